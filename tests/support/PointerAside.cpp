// Every test program starts with the pointer in the far corner of the screen:
// a pointer that an earlier program left over a toolbar would put the
// button's hint into the status bar, and one left over a list would track
// its rows.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

class TPointerAside final : public ::testing::Environment {
public:
    void SetUp() override { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }
};

const auto* const kPointerAside = ::testing::AddGlobalTestEnvironment(new TPointerAside);

}  // namespace
