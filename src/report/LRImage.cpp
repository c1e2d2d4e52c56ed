#include "report/LRImage.h"

#include "core/report/ReportErrors.h"
#include "core/report/ReportItemLayout.h"
#include "report/JpegImage.h"
#include "report/dib/DibImage.h"

#include <vector>

void TLRImage::SetPicture(const TGraphic* graphic)
{
    if (!graphic) {
        Holder.Assign(nullptr);
        return;
    }
    const bool accepted = graphic->Empty() || dynamic_cast<const DibImage*>(graphic) ||
                          dynamic_cast<const TBitmapGraphic*>(graphic) || dynamic_cast<const TJpegImage*>(graphic);
    if (!accepted) throw ELRError(kLRImageKindRefused);
    Holder.Assign(graphic->Clone());
}

void TLRImage::PrintOut(HDC canvas, const TLRRect& rect, TPrintStatus status, double scale)
{
    if (status != TPrintStatus::psNormal || Holder.Empty()) return;
    const TGraphic& graphic = *Holder.Graphic();
    const int width = graphic.Width(), height = graphic.Height();
    const TImagePlacement place = ImageItemPlacement(rect, {width, height}, Stretch, scale);
    if (place.Source.Width <= 0 || place.Source.Height <= 0) return;
    const TLRRect& t = place.Target;
    const RECT target{t.Left, t.Top, t.Right, t.Bottom};

    // Pictures that hold device-independent rows already are stretched
    // from them as they are.
    if (auto* dib = dynamic_cast<const DibImage*>(&graphic); dib && dib->PaletteMode == 0) {
        dib->DrawPart(canvas, target, place.Source.Width, place.Source.Height);
        return;
    }
    if (auto* jpeg = dynamic_cast<const TJpegImage*>(&graphic)) {
        StretchDibPixels(canvas, target, jpeg->Pixels(), place.Source.Width, place.Source.Height);
        return;
    }

    // The picture as a device bitmap, then as device-independent rows that
    // any target (a printer too) takes.
    TWindowDC screen(nullptr);
    HDC memory = CreateCompatibleDC(screen.Get());
    TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) {
        if (memory) DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap.Get());
    RECT whole{0, 0, width, height};
    FillRect(memory, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    graphic.Draw(memory, whole);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    std::vector<uint8_t> bits(size_t((width * 3 + 3) & ~3) * size_t(height));
    if (GetDIBits(memory, bitmap.Get(), 0, UINT(height), bits.data(), &info, DIB_RGB_COLORS)) {
        const int mode = SetStretchBltMode(canvas, COLORONCOLOR);
        // Rows from the picture's top: the bottom-up rows count from the last.
        StretchDIBits(canvas, t.Left, t.Top, t.Width(), t.Height(), 0, height - place.Source.Height,
                      place.Source.Width, place.Source.Height, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(canvas, mode);
    }
    DeleteDC(memory);
}
