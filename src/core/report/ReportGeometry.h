#pragma once
// Plain geometry of the report engine, in page units of 1/96 inch.
#include <cstdint>

struct TLRRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const TLRRect&) const = default;
};

inline TLRRect LRBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    return {left, top, left + width, top + height};
}

struct TLRSize {
    int32_t Width = 0, Height = 0;
    bool operator==(const TLRSize&) const = default;
};
