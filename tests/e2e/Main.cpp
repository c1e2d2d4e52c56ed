// The end-to-end tests' entry: takes the program's path and saves a
// screenshot for every failed test.
#include "Driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

void SetProgramUnderTest(const std::string& path);

namespace {
class TScreenshotOnFailure : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        if (info.result()->Failed()) SaveScreenshot(std::string(info.test_suite_name()) + "." + info.name());
    }
};
}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--exe=", 6) == 0) SetProgramUnderTest(argv[i] + 6);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TScreenshotOnFailure);
    return RUN_ALL_TESTS();
}
