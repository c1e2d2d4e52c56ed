#pragma once
// A drawing surface on a DibImage's own bits: a memory device context with a
// DIB section made on the image's mapping, so that what is drawn lands in
// the picture. The image gets a storage of its own first (copy-on-write)
// and is told that it changed when the canvas goes.
#include <windows.h>

class DibImage;

class DibCanvas {
public:
    // Raises EDibCanvasFailed "DibCanvas.Create: Cannot Create Canvas"
    // unless the image's bits are in a mapping, and the platform's
    // out-of-resources error "DibCanvas.Create: Cannot Create Memory DC"
    // when the context or the section cannot be made.
    explicit DibCanvas(DibImage& image);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Handle() const { return Dc; }

private:
    DibImage& Image;
    HDC Dc = nullptr;
    HBITMAP Section = nullptr;
    HGDIOBJ OldBitmap = nullptr;
    HPALETTE OldPalette = nullptr;
};
