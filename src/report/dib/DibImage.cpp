#include "report/dib/DibImage.h"

#include "core/commands/ShownError.h"
#include "core/report/DibConvert.h"
#include "core/report/DibErrors.h"
#include "core/report/DibFile.h"
#include "core/report/DibPalettes.h"
#include "gui/AtomicFile.h"
#include "report/dib/DibCanvas.h"

#include <cstring>

namespace {

// The fixed palettes of modes 1 and 2, made on first use and kept to the
// end of the run.
HPALETTE FixedPaletteHandle(uint8_t mode)
{
    static HPALETTE palettes[2] = {};
    HPALETTE& held = palettes[mode == 1 ? 0 : 1];
    if (!held) {
        std::span<const uint32_t> entries = mode == 1 ? FixedPalette215() : FixedPalette2();
        held = MakePalette(entries.data(), entries.size());
        if (!held) throw EOutOfResources("DibImage.GetPalette: Cannot Make Palette(1)");
    }
    return held;
}

TDibStorage& LoadPlanned(std::shared_ptr<TDibStorage>& out, std::span<const uint8_t> input, const TDibPlan& plan,
                         bool mapped)
{
    out = std::make_shared<TDibStorage>(plan.Info, plan.Colors, plan.ImageSize, mapped);
    ReadDibBits(input, plan, std::span<uint8_t>(out->Bits(), plan.ImageSize));
    return *out;
}

TDib InfoOnly(const TDibInfo& info)
{
    TDib dib;
    dib.Info = info;
    return dib;
}

} // namespace

DibImage::DibImage() : Store(TDibStorage::FromDib(NewDib(), true)) {}

int DibImage::Height() const { return Store->Info.Height < 0 ? -Store->Info.Height : Store->Info.Height; }

void DibImage::Changed()
{
    if (Store->PaletteChanged) {
        PaletteModified = true;
        Store->PaletteChanged = false;
    }
    if (OnChange) OnChange();
}

void DibImage::Replace(std::shared_ptr<TDibStorage> storage)
{
    Store = std::move(storage);
    Changed();
}

TDibStorage& DibImage::Writable()
{
    if (Store.use_count() > 1) Store = Store->Copy();
    return *Store;
}

void DibImage::LoadFromBytes(std::span<const uint8_t> bytes)
{
    const TDibPlan plan = PlanDibFile(bytes);
    std::shared_ptr<TDibStorage> loaded;
    LoadPlanned(loaded, bytes, plan, Store->Mapped());
    Replace(std::move(loaded));
}

void DibImage::LoadFromFile(const std::wstring& path)
{
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) throw EDibInvalidDIBFile("DibStorage.LoadFromFile: File type is invalid");
    // The reader takes what a bitmap can be; more is not read.
    const uint64_t wanted = std::min<uint64_t>(uint64_t(size.QuadPart), uint64_t(INT32_MAX));
    std::vector<uint8_t> bytes(static_cast<size_t>(wanted));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    LoadFromBytes(bytes);
}

std::vector<uint8_t> DibImage::SaveToBytes() const { return SaveDibFile(Pixels()); }

bool DibImage::SaveToFile(const std::wstring& path, DWORD* error) const
{
    const std::vector<uint8_t> bytes = SaveToBytes();
    const DWORD code = ReplaceFileWhole(path, bytes.data(), bytes.size());
    if (error) *error = code;
    return code == 0;
}

void DibImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE)
{
    if (format != CF_DIB || !data)
        throw EInvalidGraphic("DibImage.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    const SIZE_T size = GlobalSize(data);
    const void* block = GlobalLock(data);
    if (!block || size == 0) {
        if (block) GlobalUnlock(data);
        throw EInvalidGraphic("DibImage.LoadFromClipboardFormat: Invalid Clipboard Data");
    }
    std::shared_ptr<TDibStorage> loaded;
    try {
        std::span<const uint8_t> bytes(static_cast<const uint8_t*>(block), size);
        LoadPlanned(loaded, bytes, PlanPackedDib(bytes), Store->Mapped());
    } catch (...) {
        GlobalUnlock(data);
        throw;
    }
    GlobalUnlock(data);
    Replace(std::move(loaded));
}

void DibImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) const
{
    const std::vector<uint8_t> info = Store->InfoBytes();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, info.size() + Store->ImageSize());
    void* at = block ? GlobalLock(block) : nullptr;
    if (!at) {
        if (block) GlobalFree(block);
        throw EDibError("DibStorage.SaveToClipboardFormat: Out Of Memory");
    }
    std::memcpy(at, info.data(), info.size());
    std::memcpy(static_cast<uint8_t*>(at) + info.size(), Store->Bits(), Store->ImageSize());
    GlobalUnlock(block);
    format = CF_DIB;
    data = block;
    palette = nullptr;
}

void DibImage::Assign(const DibImage& source)
{
    if (&source == this) return;
    ConvertOption = source.ConvertOption;
    BackgroundColor = source.BackgroundColor;
    PaletteMode = source.PaletteMode;
    Replace(source.Store);
}

void DibImage::AssignBitmap(HBITMAP bitmap, HPALETTE palette)
{
    BITMAP facts{};
    if (!bitmap || !GetObjectW(bitmap, sizeof facts, &facts)) throw EInvalidGraphic("DibImage.Assign: Invalid Bitmap");
    int bits = facts.bmBitsPixel * facts.bmPlanes;
    if (bits != 1 && bits != 4 && bits != 8) bits = 24;
    TDibInfo info = CreateDibInfo(facts.bmWidth, facts.bmHeight, bits == 24 ? 0 : 1 << bits, bits);
    auto storage = TDibStorage::Blank(info, Store->Mapped());
    std::vector<uint8_t> header(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bi = reinterpret_cast<BITMAPINFO*>(header.data());
    bi->bmiHeader = {sizeof(BITMAPINFOHEADER), info.Width, info.Height, 1, WORD(bits), BI_RGB};
    TWindowDC screen(nullptr);
    HPALETTE old = palette ? SelectPalette(screen.Get(), palette, FALSE) : nullptr;
    if (palette) RealizePalette(screen.Get());
    const int rows = GetDIBits(screen.Get(), bitmap, 0, UINT(facts.bmHeight), storage->Bits(), bi, DIB_RGB_COLORS);
    if (palette) SelectPalette(screen.Get(), old, FALSE);
    if (rows == 0) throw EInvalidGraphic("DibImage.Assign: Invalid Bitmap");
    for (uint32_t i = 0; i < DibTableEntries(info); ++i) {
        const RGBQUAD& q = bi->bmiColors[i];
        storage->Colors[i] = RgbEntry(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    Replace(std::move(storage));
}

void DibImage::AssignFromClipboard()
{
    if (!OpenClipboard(nullptr))
        throw EInvalidGraphic("DibImage.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    try {
        LoadFromClipboardFormat(CF_DIB, GetClipboardData(CF_DIB), static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)));
    } catch (...) {
        CloseClipboard();
        throw;
    }
    CloseClipboard();
}

void DibImage::Clear() { Replace(TDibStorage::FromDib(NewDib(), Store->Mapped())); }

std::unique_ptr<TBitmapGraphic> DibImage::AssignToBitmap() const
{
    const TDibStorage& s = *Store;
    const int bits = FormatBitCount(PixelFormat());
    TDibInfo info = CreateDibInfo(s.Info.Width, Height(), bits == 24 ? 0 : 1 << bits, bits);
    std::array<uint32_t, kMaxDibColors> colors = s.Colors;
    const std::vector<uint8_t> header = DibInfoBytes(info, colors);
    void* target = nullptr;
    TWindowDC screen(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen.Get(), reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                                      &target, nullptr, 0);
    if (bitmap) {
        HDC memory = CreateCompatibleDC(screen.Get());
        HGDIOBJ old = SelectObject(memory, bitmap);
        const std::vector<uint8_t> own = s.InfoBytes();
        StretchDIBits(memory, 0, 0, info.Width, info.Height, 0, 0, s.Info.Width, Height(), s.Bits(),
                      reinterpret_cast<const BITMAPINFO*>(own.data()), DIB_RGB_COLORS, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    if (!bitmap) throw EOutOfResources("DibImage.AssignTo: Cannot Make Bitmap");
    return std::make_unique<TBitmapGraphic>(bitmap);
}

void DibImage::SetWidth(int32_t width)
{
    if (auto info = DibInfoForWidth(Store->Info, width)) Replace(TDibStorage::Blank(*info, Store->Mapped()));
}

void DibImage::SetHeight(int32_t height)
{
    if (auto info = DibInfoForHeight(Store->Info, height)) Replace(TDibStorage::Blank(*info, Store->Mapped()));
}

void DibImage::SetBitCount(int bitCount)
{
    if (auto info = DibInfoForBitCount(Store->Info, bitCount)) Replace(TDibStorage::Blank(*info, Store->Mapped()));
}

TDibFormat DibImage::PixelFormat() const { return GetDibFormat(InfoOnly(Store->Info)); }

void DibImage::SetPixelFormat(TDibFormat format)
{
    const TDibFormat from = PixelFormat();
    if (format == from) return;
    const TDibProgressCaption progress = PixelFormatProgress(from, format);
    TDibConvertOptions options;
    options.Option = ConvertOption;
    options.Background = BackgroundColor;
    const bool reports = !progress.Caption.empty() && OnProgress;
    if (reports) {
        options.Progress = [this, &progress](int percent) { OnProgress(TProgressStage::Running, percent, progress.Caption); };
        OnProgress(TProgressStage::Starting, 0, progress.Caption);
    }
    TDib converted = ConvertDibFormat(Pixels(), format, options);
    if (reports) OnProgress(TProgressStage::Ending, 100, progress.Caption);
    Replace(TDibStorage::FromDib(converted, Store->Mapped()));
}

HPALETTE DibImage::Palette() const
{
    if (PaletteMode == 1 || PaletteMode == 2) return FixedPaletteHandle(PaletteMode);
    return Store->Palette();
}

void DibImage::SetPalette(HPALETTE palette)
{
    std::vector<uint32_t> colors;
    if (palette) {
        WORD count = 0;
        if (!GetObjectW(palette, sizeof count, &count) || count == 0)
            throw EDibInvalidPalette("DibImage.SetPalette: Invalid Palette");
        count = std::min<WORD>(count, kMaxDibColors);
        PALETTEENTRY entries[kMaxDibColors];
        count = WORD(GetPaletteEntries(palette, 0, count, entries));
        if (count == 0) throw EDibInvalidPalette("DibImage.SetPalette: Invalid Palette");
        for (WORD i = 0; i < count; ++i) colors.push_back(RgbEntry(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    }
    TDibStorage& s = Writable();
    s.Colors.fill(0);
    std::copy(colors.begin(), colors.end(), s.Colors.begin());
    s.Info.ClrUsed = uint32_t(colors.size());
    s.ColorsChanged();
    Changed();
}

void DibImage::DrawOwnPalette(HDC dc, const RECT& rect) const { DrawPart(dc, rect, Width(), Height()); }

void DibImage::DrawPart(HDC dc, const RECT& rect, int width, int height) const
{
    HPALETTE palette = Store->Palette();
    HPALETTE old = palette ? SelectPalette(dc, palette, TRUE) : nullptr;
    if (palette) RealizePalette(dc);
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    const std::vector<uint8_t> info = Store->InfoBytes();
    // Rows from the picture's top: a bottom-up picture counts them from its
    // last row.
    const int sourceY = Store->Info.Height < 0 ? 0 : Height() - height;
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, sourceY, width, height,
                  Store->Bits(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, mode);
    if (palette) SelectPalette(dc, old, TRUE);
}

void DibImage::Draw(HDC dc, const RECT& rect) const
{
    if (PaletteMode != 1 && PaletteMode != 2) {
        DrawOwnPalette(dc, rect);
        return;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    // Drawn at the rectangle's size first, then reduced onto the fixed
    // palette, so the reduction works on what shows.
    const int bits = FormatBitCount(PixelFormat());
    DibImage temporary;
    temporary.SetBitCount(bits);
    temporary.SetWidth(width);
    temporary.SetHeight(height);
    if (bits != 24) {
        TDibStorage& t = temporary.Writable();
        t.Colors = Store->Colors;
        t.Info.ClrUsed = Store->Info.ClrUsed ? std::min<uint32_t>(Store->Info.ClrUsed, kMaxDibColors) : 1u << bits;
        t.ColorsChanged();
    }
    {
        DibCanvas canvas(temporary);
        DrawOwnPalette(canvas.Handle(), {0, 0, width, height});
    }
    temporary.ConvertOption = ConvertOption;
    temporary.BackgroundColor = BackgroundColor;
    temporary.SetPixelFormat(PaletteMode == 1 ? TDibFormat::Fixed215 : TDibFormat::Fixed2);
    temporary.Draw(dc, rect);
}

std::unique_ptr<TGraphic> DibImage::Clone() const
{
    // Shares the storage (no blank one made first).
    std::unique_ptr<DibImage> copy(new DibImage(Store));
    copy->ConvertOption = ConvertOption;
    copy->BackgroundColor = BackgroundColor;
    copy->PaletteMode = PaletteMode;
    return copy;
}
