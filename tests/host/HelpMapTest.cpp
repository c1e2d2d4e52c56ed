// The help file's context map (help/Quirevue.ali) against the help contexts
// the program uses: every command, every menu of the menu bar, every window
// and dialog has a topic, and the map names no context the program lacks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "core/commands/CommandTable.h"
#include "core/commands/MenuLayout.h"
#include "core/help/HelpContexts.h"

namespace {

const std::filesystem::path HelpDir = std::filesystem::path(QV_FIXTURES).parent_path().parent_path() / "help";

// IDH_<context>=<topic> lines of the map.
std::map<int, std::string> ReadMap()
{
    std::map<int, std::string> map;
    std::ifstream in(HelpDir / "Quirevue.ali");
    const std::regex alias(R"(^IDH_([0-9]+)=(\S+)\s*$)");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, alias)) {
            int context = std::stoi(m[1]);
            EXPECT_TRUE(map.emplace(context, m[2]).second) << "context " << context << " is mapped twice";
        } else {
            EXPECT_TRUE(line.empty() || line[0] == ';') << "not an alias line: " << line;
        }
    }
    return map;
}

// Where each context the program uses comes from, for the messages.
std::map<int, std::string> UsedContexts()
{
    std::map<int, std::string> used;
    for (const TCommandDef& c : CommandTable()) used.emplace(c.HelpContext, "command " + std::to_string(c.Number));
    std::function<void(const std::vector<TMenuEntry>&)> walk = [&](const std::vector<TMenuEntry>& entries) {
        for (const TMenuEntry& e : entries) {
            if (e.HelpContext != 0) used.emplace(e.HelpContext, "a menu");
            walk(e.Items);
        }
    };
    walk(MainMenuLayout());
    walk(PopupMenu1Layout());
    for (int context : HelpContext::Windows) used.emplace(context, "a window or dialog");
    return used;
}

TEST(HelpMap, EveryContextHasATopic)
{
    std::map<int, std::string> map = ReadMap();
    std::map<int, std::string> used = UsedContexts();
    // The nine menus of the menu bar, which F1 on an open menu asks for.
    for (int menu = 1000; menu <= 9000; menu += 1000) EXPECT_TRUE(used.count(menu)) << "menu context " << menu;

    for (const auto& [context, user] : used) {
        auto it = map.find(context);
        if (it == map.end()) {
            ADD_FAILURE() << "context " << context << " (" << user << ") has no topic in help/Quirevue.ali";
            continue;
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(HelpDir / it->second)) << it->second << " does not exist";
    }
    for (const auto& [context, topic] : map)
        EXPECT_TRUE(used.count(context)) << "help/Quirevue.ali maps " << context << ", which the program does not use";
}

TEST(HelpMap, OneTopicPerContext)
{
    // chmcmd gives a topic file one context only; a second alias to the same
    // file would take the first one's place.
    std::set<std::string> topics;
    for (const auto& [context, topic] : ReadMap()) EXPECT_TRUE(topics.insert(topic).second) << topic << " serves two contexts";
}

} // namespace
