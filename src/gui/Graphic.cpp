#include "gui/Graphic.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    SIZE size = BitmapSize(info.hbmMask);
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    if (!info.hbmColor) size.cy /= 2;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return size;
}

} // namespace

std::unique_ptr<TBitmapGraphic> TBitmapGraphic::Blank(int width, int height)
{
    TWindowDC screen(nullptr);
    return std::make_unique<TBitmapGraphic>(CreateCompatibleBitmap(screen.Get(), width, height));
}

int TBitmapGraphic::Width() const { return BitmapSize(Bitmap.Get()).cx; }
int TBitmapGraphic::Height() const { return BitmapSize(Bitmap.Get()).cy; }

void TBitmapGraphic::Draw(HDC dc, const RECT& rect) const
{
    if (!Bitmap) return;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    {
        TSelectObject in(source, Bitmap.Get());
        const SIZE size = BitmapSize(Bitmap.Get());
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0, size.cx,
                   size.cy, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    DeleteDC(source);
}

std::unique_ptr<TGraphic> TBitmapGraphic::Clone() const
{
    HBITMAP copy = Bitmap ? static_cast<HBITMAP>(CopyImage(Bitmap.Get(), IMAGE_BITMAP, 0, 0, 0)) : nullptr;
    return std::make_unique<TBitmapGraphic>(copy);
}

int TIconGraphic::Width() const { return IconSize(Icon.Get()).cx; }
int TIconGraphic::Height() const { return IconSize(Icon.Get()).cy; }

void TIconGraphic::Draw(HDC dc, const RECT& rect) const
{
    if (Icon) DrawIconEx(dc, rect.left, rect.top, Icon.Get(), rect.right - rect.left, rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
}

std::unique_ptr<TGraphic> TIconGraphic::Clone() const
{
    return std::make_unique<TIconGraphic>(Icon ? CopyIcon(Icon.Get()) : nullptr);
}

TMetafileGraphic::~TMetafileGraphic()
{
    if (Metafile) DeleteEnhMetaFile(Metafile);
}

namespace {

RECT MetafileFrame(HENHMETAFILE metafile)
{
    ENHMETAHEADER header{};
    if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof header, &header)) return {};
    return {header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1, header.rclBounds.bottom + 1};
}

} // namespace

int TMetafileGraphic::Width() const
{
    RECT r = MetafileFrame(Metafile);
    return r.right - r.left;
}

int TMetafileGraphic::Height() const
{
    RECT r = MetafileFrame(Metafile);
    return r.bottom - r.top;
}

void TMetafileGraphic::Draw(HDC dc, const RECT& rect) const
{
    if (Metafile) PlayEnhMetaFile(dc, Metafile, &rect);
}

std::unique_ptr<TGraphic> TMetafileGraphic::Clone() const
{
    return std::make_unique<TMetafileGraphic>(Metafile ? CopyEnhMetaFileW(Metafile, nullptr) : nullptr);
}
