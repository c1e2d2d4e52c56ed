#include "report/dib/DibCanvas.h"

#include "core/commands/ShownError.h"
#include "core/report/DibErrors.h"
#include "report/dib/DibImage.h"

#include <vector>

DibCanvas::DibCanvas(DibImage& image) : Image(image)
{
    if (!image.Storage().Mapped()) throw EDibCanvasFailed("DibCanvas.Create: Cannot Create Canvas");
    TDibStorage& storage = image.Writable();
    Dc = CreateCompatibleDC(nullptr);
    if (!Dc) throw EOutOfResources("DibCanvas.Create: Cannot Create Memory DC");
    if (HPALETTE palette = storage.Palette()) {
        OldPalette = SelectPalette(Dc, palette, FALSE);
        RealizePalette(Dc);
    }
    const std::vector<uint8_t> info = storage.InfoBytes();
    void* bits = nullptr;
    Section = CreateDIBSection(Dc, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                               storage.MappingHandle(), 0);
    if (!Section) {
        if (OldPalette) SelectPalette(Dc, OldPalette, FALSE);
        DeleteDC(Dc);
        throw EOutOfResources("DibCanvas.Create: Cannot Create Memory DC");
    }
    OldBitmap = SelectObject(Dc, Section);
}

DibCanvas::~DibCanvas()
{
    GdiFlush();
    SelectObject(Dc, OldBitmap);
    if (OldPalette) SelectPalette(Dc, OldPalette, FALSE);
    DeleteObject(Section);
    DeleteDC(Dc);
    Image.Changed();
}
