// The floors of the source tree: an include never climbs to a higher
// floor, and the core stays free of the platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// From the bottom up. Folders on one floor may include each other.
const std::map<std::string, int> kFloors = {
    {"core", 0},     {"res", 0},
    {"gui", 1},
    {"controls", 2}, {"settings", 2}, {"shell", 2},
    {"fileops", 3},
    {"browser", 4},  {"dialogs", 4},  {"viewer", 4}, {"export", 4}, {"report", 4},
    {"support", 4},  {"favorites", 4}, {"help", 4},
    {"commands", 5},
    {"app", 6},
};

struct TInclude {
    std::string File;  // relative to src/
    int Line;
    std::string Target;
};

std::vector<TInclude> IncludesOf(const fs::path& root)
{
    static const std::regex include(R"(^\s*#\s*include\s*[<"]([^">]+)[">])");
    std::vector<TInclude> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        std::ifstream in(entry.path());
        std::string text;
        for (int line = 1; std::getline(in, text); ++line) {
            std::smatch m;
            if (std::regex_search(text, m, include))
                found.push_back({fs::relative(entry.path(), root).generic_string(), line, m[1]});
        }
    }
    return found;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find('/')); }

TEST(IncludeRules, NoIncludeClimbsAFloor)
{
    std::vector<TInclude> includes = IncludesOf(QV_SOURCE_DIR);
    ASSERT_GT(includes.size(), 500u) << "the sources were not found at " << QV_SOURCE_DIR;
    for (const TInclude& inc : includes) {
        std::string from = FolderOf(inc.File);
        ASSERT_TRUE(kFloors.count(from)) << "src/" << from << " has no floor yet: add it to kFloors";
        if (inc.Target.find('/') == std::string::npos) continue;  // a system or sibling header
        std::string to = FolderOf(inc.Target);
        auto floor = kFloors.find(to);
        if (floor == kFloors.end()) continue;  // <sys/...> and the like
        EXPECT_LE(floor->second, kFloors.at(from))
            << "src/" << inc.File << ":" << inc.Line << " includes " << inc.Target << " from a higher floor";
    }
}

TEST(IncludeRules, TheCoreKnowsNoPlatform)
{
    for (const TInclude& inc : IncludesOf(fs::path(QV_SOURCE_DIR) / "core")) {
        std::string target = inc.Target;
        for (char& c : target) c = char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(target != "windows.h" && target.find("shlobj") == std::string::npos &&
                    target.find("commctrl") == std::string::npos)
            << "src/core/" << inc.File << ":" << inc.Line << " includes " << inc.Target;
    }
}

}  // namespace
