#include "core/viewer/GrxRecords.h"

#include "core/settings/AnsiText.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kLayerNameAt = 0, kNameAt = 51, kXAt = 102, kYAt = 106, kImageAt = 110, kStateAt = 114,
                 kAttributesAt = 115;
}

TGrxRecord::TGrxRecord()
{
    SetImageIndex(-1);
    Data[kStateAt] = kLayerHidden;
}

TGrxRecord::TGrxRecord(std::span<const uint8_t, kGrxRecordSize> bytes)
{
    std::copy(bytes.begin(), bytes.end(), Data.begin());
}

std::string TGrxRecord::Text(size_t offset, size_t field) const
{
    const char* p = reinterpret_cast<const char*>(Data.data() + offset);
    return std::string(p, strnlen(p, field));
}

bool TGrxRecord::SetText(size_t offset, size_t field, std::string_view text)
{
    std::string cut = CutAnsiText(text.substr(0, std::min(text.find('\0'), text.size())), field - 1);
    if (Text(offset, field) == cut) return false;
    std::memset(Data.data() + offset, 0, field);
    std::memcpy(Data.data() + offset, cut.data(), cut.size());
    return true;
}

int32_t TGrxRecord::Int(size_t offset) const
{
    uint32_t v = uint32_t(Data[offset]) | uint32_t(Data[offset + 1]) << 8 | uint32_t(Data[offset + 2]) << 16 |
                 uint32_t(Data[offset + 3]) << 24;
    return int32_t(v);
}

void TGrxRecord::SetInt(size_t offset, int32_t v)
{
    uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) Data[offset + i] = uint8_t(u >> (8 * i));
}

std::string TGrxRecord::LayerName() const { return Text(kLayerNameAt, kGrxNameField); }
std::string TGrxRecord::Name() const { return Text(kNameAt, kGrxNameField); }
bool TGrxRecord::SetLayerName(std::string_view name) { return SetText(kLayerNameAt, kGrxNameField, name); }
bool TGrxRecord::SetName(std::string_view name) { return SetText(kNameAt, kGrxNameField, name); }

std::string TGrxRecord::Attribute(int index) const
{
    if (index < 1 || index > kGrxAttributeCount) return {};
    return Text(kAttributesAt + (index - 1) * kGrxAttributeField, kGrxAttributeField);
}

bool TGrxRecord::SetAttribute(int index, std::string_view text)
{
    if (index < 1 || index > kGrxAttributeCount) return false;
    return SetText(kAttributesAt + (index - 1) * kGrxAttributeField, kGrxAttributeField, text);
}

int32_t TGrxRecord::X() const { return Int(kXAt); }
int32_t TGrxRecord::Y() const { return Int(kYAt); }
int32_t TGrxRecord::ImageIndex() const { return Int(kImageAt); }
void TGrxRecord::SetX(int32_t v) { SetInt(kXAt, v); }
void TGrxRecord::SetY(int32_t v) { SetInt(kYAt, v); }
void TGrxRecord::SetImageIndex(int32_t v) { SetInt(kImageAt, v); }

std::vector<TGrxLayer> ParseGrx(std::span<const uint8_t> bytes)
{
    std::vector<TGrxLayer> layers;
    size_t count = bytes.size() / kGrxRecordSize;
    for (size_t i = 0; i < count; ++i) {
        TGrxRecord record(bytes.subspan(i * kGrxRecordSize).first<kGrxRecordSize>());
        std::string name = record.LayerName();
        // The first record always opens a layer, even with an empty name.
        if (layers.empty() || layers.back().Name != name) {
            uint8_t state = record.LayerState();
            layers.push_back({name, state <= kLayerHidden ? state : kLayerShown, {}});
        }
        layers.back().Objects.push_back(record);
    }
    return layers;
}

std::vector<uint8_t> FormatGrx(const std::vector<TGrxLayer>& layers)
{
    std::vector<uint8_t> out;
    for (const TGrxLayer& layer : layers) {
        for (TGrxRecord record : layer.Objects) {
            record.SetLayerState(layer.State);
            // The layer's name replaces the field whole, so nothing of an
            // older, longer name survives behind the new NUL.
            record.SetLayerName("");
            record.SetLayerName(layer.Name);
            out.insert(out.end(), record.Bytes().begin(), record.Bytes().end());
        }
    }
    return out;
}
