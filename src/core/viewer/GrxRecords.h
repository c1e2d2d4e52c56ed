#pragma once
// The side-car objects file of a picture (".grx"): fixed 620-byte records,
// one per object, texts in the ANSI code page. The file is untrusted input:
// every field is read within its bounds and a short tail is ignored.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kGrxRecordSize = 620;
inline constexpr size_t kGrxNameField = 51;       // 50 characters and a NUL
inline constexpr size_t kGrxAttributeField = 101; // 100 characters and a NUL
inline constexpr int kGrxAttributeCount = 5;

// Layer states: active, shown, hidden.
inline constexpr uint8_t kLayerActive = 0, kLayerShown = 1, kLayerHidden = 2;

class TGrxRecord {
public:
    // A fresh record: all zero except image index -1 and state "hidden".
    TGrxRecord();
    explicit TGrxRecord(std::span<const uint8_t, kGrxRecordSize> bytes);

    const std::array<uint8_t, kGrxRecordSize>& Bytes() const { return Data; }

    std::string LayerName() const;
    std::string Name() const;
    // Stores the text cut to the field (never inside a double-byte
    // character), NUL-terminated. Returns whether anything changed.
    bool SetLayerName(std::string_view name);
    bool SetName(std::string_view name);
    std::string Attribute(int index) const;  // 1..5
    bool SetAttribute(int index, std::string_view text);

    int32_t X() const;
    int32_t Y() const;
    int32_t ImageIndex() const;
    uint8_t LayerState() const { return Data[114]; }
    void SetX(int32_t v);
    void SetY(int32_t v);
    void SetImageIndex(int32_t v);
    void SetLayerState(uint8_t v) { Data[114] = v; }

private:
    std::string Text(size_t offset, size_t field) const;
    bool SetText(size_t offset, size_t field, std::string_view text);
    int32_t Int(size_t offset) const;
    void SetInt(size_t offset, int32_t v);

    std::array<uint8_t, kGrxRecordSize> Data{};
};

// One layer as the file groups it: consecutive records with the same layer
// name. A name that comes back after another starts a new layer.
struct TGrxLayer {
    std::string Name;
    uint8_t State = kLayerShown;  // taken from the layer's first record
    std::vector<TGrxRecord> Objects;
};

// The layers of a file's bytes; a trailing part shorter than a record is
// ignored. A layer state other than 0, 1, 2 reads as "shown".
std::vector<TGrxLayer> ParseGrx(std::span<const uint8_t> bytes);
// The file's bytes: every object of every layer in order, each with its
// layer's name and state; layers without objects leave no trace.
std::vector<uint8_t> FormatGrx(const std::vector<TGrxLayer>& layers);
