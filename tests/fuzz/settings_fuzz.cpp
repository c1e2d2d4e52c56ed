// Any bytes: decoding never reads out of bounds nor allocates without bound,
// and whatever it produced (sound or read in part) is written as a file that
// reads back sound and writes again to the same bytes.
#include "core/settings/SettingsCodec.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "settings_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TInitData first;
    TSettingsReadResult r = DecodeSettings(data, size, first);
    Require(r.BytesRead <= size, "read past the end");
    Require(r.Damaged != r.Problem.empty(), "a damaged result names its problem, a sound one none");
    Require(r.Damaged || r.BytesRead == size, "a sound file is read to its end");

    std::vector<uint8_t> once = EncodeSettings(first);
    // Every field of a sound file has a fixed width or is kept as it stands.
    Require(r.Damaged || once.size() == size, "a sound file keeps its size");

    TInitData second;
    TSettingsReadResult again = DecodeSettings(once.data(), once.size(), second);
    Require(!again.Damaged, "a written file reads back sound");
    Require(EncodeSettings(second) == once, "a written file writes again to the same bytes");
    return 0;
}
