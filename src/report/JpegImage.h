#pragma once
// A JPEG picture, decoded through libjpeg-turbo when it is loaded and drawn
// from its decoded rows; the file's bytes are kept as they came.
#include "core/report/Dib.h"
#include "gui/Graphic.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TJpegImage : public TGraphic {
public:
    TJpegImage() = default;
    // Raises EInvalidGraphic for data that is no JPEG picture we decode.
    void LoadFromBytes(std::span<const uint8_t> bytes);
    void LoadFromFile(const std::wstring& path);
    const std::vector<uint8_t>& Bytes() const { return Data; }
    // The decoded picture: 24 bits, or 8 bits of grey.
    const TDib& Pixels() const { return Decoded; }

    int Width() const override { return Data.empty() ? 0 : Decoded.Width(); }
    int Height() const override { return Data.empty() ? 0 : Decoded.Height(); }
    void Draw(HDC dc, const RECT& rect) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    std::vector<uint8_t> Data;
    TDib Decoded;
};

// Draws a bitmap's pixels stretched into `rect` (the whole picture, or the
// part `source` names from its top-left corner).
void StretchDibPixels(HDC dc, const RECT& rect, const TDib& dib);
void StretchDibPixels(HDC dc, const RECT& rect, const TDib& dib, int sourceWidth, int sourceHeight);
