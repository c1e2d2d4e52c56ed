#pragma once
// A device-independent bitmap as a picture: it reads and writes the bitmap
// file and the clipboard's CF_DIB, draws by stretching its bits straight
// from memory, converts between pixel formats, and lends its bits to a
// drawing canvas (DibCanvas). Images share their storage until one of them
// changes it (copy-on-write). Errors are the EDib classes of
// core/report/DibErrors.h with their messages.
#include "core/report/Dib.h"
#include "gui/Graphic.h"
#include "report/dib/DibStorage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

enum class TProgressStage { Starting, Running, Ending };

class DibImage : public TGraphic {
public:
    // A 1 x 1 picture of 8 bits and 256 colours, its bits in a mapping.
    DibImage();

    int ConvertOption = 0;                       // 0 Low, otherwise High quality reductions
    COLORREF BackgroundColor = RGB(255, 255, 255);
    uint8_t PaletteMode = 0;                     // 0 own palette, 1 fixed 215 colours, 2 black and white
    // Conversions report their progress here (caption as "PixelFormat
    // 24Bit -> 8Bit").
    std::function<void(TProgressStage stage, int percent, const std::string& caption)> OnProgress;
    // The picture changed (loaded, converted, drawn on, resized).
    std::function<void()> OnChange;
    bool PaletteModified = false;

    // The bitmap file. A failed load leaves the picture as it was.
    void LoadFromBytes(std::span<const uint8_t> bytes);
    void LoadFromFile(const std::wstring& path);
    std::vector<uint8_t> SaveToBytes() const;
    // Written whole or not at all; false (with the system's reason) when
    // the file could not be written.
    bool SaveToFile(const std::wstring& path, DWORD* error = nullptr) const;

    // The clipboard: only CF_DIB, measured against the block's GlobalSize.
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
    // A new global block holding the packed bitmap, in format CF_DIB, and no
    // palette. The caller owns the block.
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) const;

    // Shares the other image's storage and takes its options.
    void Assign(const DibImage& source);
    // A device bitmap's pixels (16 and 32 bits become 24), read through the
    // screen with its palette realised.
    void AssignBitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
    // What the clipboard holds as CF_DIB.
    void AssignFromClipboard();
    // A new blank picture.
    void Clear();
    // The picture as a device bitmap of its bit depth and palette.
    std::unique_ptr<TBitmapGraphic> AssignToBitmap() const;

    int Width() const override { return Store->Info.Width; }
    int Height() const override;
    bool Empty() const override { return false; }
    // A different size or depth makes a blank picture (the old one is lost).
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    int BitCount() const { return Store->Info.BitCount; }
    void SetBitCount(int bitCount);

    TDibFormat PixelFormat() const;
    void SetPixelFormat(TDibFormat format);

    // PaletteMode 0: the colour table's palette (null for an empty table);
    // 1 or 2: the fixed palettes. The image keeps the handle.
    HPALETTE Palette() const;
    // The entries of a palette become the colour table (a copy is made);
    // null empties the table.
    void SetPalette(HPALETTE palette);

    void Draw(HDC dc, const RECT& rect) const override;
    // The part of the picture from its top-left corner, `width` x `height`,
    // stretched into `rect` with the picture's own palette.
    void DrawPart(HDC dc, const RECT& rect, int width, int height) const;
    std::unique_ptr<TGraphic> Clone() const override;

    // A copy of the picture's header, colours and bits.
    TDib Pixels() const { return Store->ToDib(); }
    const TDibStorage& Storage() const { return *Store; }
    bool SharesStorageWith(const DibImage& other) const { return Store == other.Store; }
    long StorageUsers() const { return Store.use_count(); }

private:
    friend class DibCanvas;
    explicit DibImage(std::shared_ptr<TDibStorage> storage) : Store(std::move(storage)) {}
    // Gives this image a storage of its own before it writes.
    TDibStorage& Writable();
    void Replace(std::shared_ptr<TDibStorage> storage);
    void Changed();
    void DrawOwnPalette(HDC dc, const RECT& rect) const;

    std::shared_ptr<TDibStorage> Store;
};
