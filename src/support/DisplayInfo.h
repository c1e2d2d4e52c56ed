#pragma once
// The display modes the current display offers.
#include <cstdint>
#include <vector>

struct TDisplayMode {
    uint32_t BitsPerPixel, Width, Height, Frequency;
};

class TDisplayInfo {
public:
    TDisplayInfo();
    const std::vector<TDisplayMode>& Modes() const { return FModes; }
    size_t Count() const { return FModes.size(); }

private:
    std::vector<TDisplayMode> FModes;
};
