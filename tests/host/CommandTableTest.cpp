// Consistency of the command table with the menus, tool bars and image strips
// built from it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/commands/CommandIds.h"
#include "core/commands/CommandTable.h"
#include "core/commands/MenuLayout.h"

namespace {

const std::filesystem::path SourceDir = std::filesystem::path(QV_FIXTURES).parent_path().parent_path();

std::string Narrow(const std::wstring& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

bool IsRaster(int number)
{
    return number / 1000 == 10;
}

// Every menu item, with the entries of its level.
void ForEachLevel(const std::vector<TMenuEntry>& level, const std::string& path,
                  const std::function<void(const std::vector<TMenuEntry>&, const std::string&)>& visit)
{
    visit(level, path);
    for (const TMenuEntry& e : level)
        if (e.Kind == TMenuEntryKind::Submenu)
            ForEachLevel(e.Items, path + "/" + std::to_string(&e - level.data()), visit);
}

std::map<std::string, const std::vector<TMenuEntry>*> Menus()
{
    return {{"MainMenu", &MainMenuLayout()},
            {"PopupMenu1", &PopupMenu1Layout()},
            {"ToolBarMenu1", &ToolBarMenu1Layout()},
            {"ToolBarMenu2", &ToolBarMenu2Layout()}};
}

std::vector<std::pair<std::string, const TToolEntry*>> ToolEntries()
{
    std::vector<std::pair<std::string, const TToolEntry*>> all;
    for (const TBandLayout& band : CoolBarLayout())
        for (const TToolEntry& e : band.Entries)
            all.emplace_back(Narrow(band.Name), &e);
    for (const TToolEntry& e : ToolBar8Layout())
        all.emplace_back("ToolBar8", &e);
    for (const TToolEntry& e : ToolBar88Layout())
        all.emplace_back("ToolBar88", &e);
    return all;
}

// The access key of a caption ("&&" is a literal ampersand), or 0.
wchar_t AccessKey(const wchar_t* caption)
{
    for (const wchar_t* p = caption; *p; ++p) {
        if (*p != L'&')
            continue;
        if (p[1] == L'&') {
            ++p;
            continue;
        }
        return static_cast<wchar_t>(std::towupper(p[1]));
    }
    return 0;
}

}  // namespace

TEST(CommandTable, NumbersNamesAndLookup)
{
    static const std::map<int, std::wstring> categories = {
        {1, L"ファイル"}, {2, L"編集"}, {3, L"表示"}, {4, L"移動"}, {5, L"検索"},
        {6, L"ツール"}, {7, L"お気に入り"}, {8, L"ウィンドウ"}, {9, L"ヘルプ"}, {10, L"画像"}};
    int previous = 0;
    for (const TCommandDef& c : CommandTable()) {
        SCOPED_TRACE(c.Number);
        EXPECT_GT(c.Number, previous) << "table out of order or number twice";
        previous = c.Number;
        EXPECT_EQ(FindCommand(c.Number), &c);
        EXPECT_EQ(c.Category, categories.at(c.Number / 1000));
        EXPECT_EQ(IsRaster(c.Number), c.Kind == TCommandKind::RasterAction);
        EXPECT_TRUE(*c.Caption && *c.Tooltip && *c.StatusText);
    }
    EXPECT_EQ(CommandTable().size(), 100u);
    // The named numbers are exactly the table's.
    std::vector<int> named(std::begin(Cmd::AllIds), std::end(Cmd::AllIds)), numbers;
    for (const TCommandDef& c : CommandTable()) numbers.push_back(c.Number);
    EXPECT_EQ(named, numbers);
    EXPECT_EQ(Cmd::NewFolder, 1011);
    EXPECT_EQ(Cmd::ViewerHalfTone, 10110);
    EXPECT_EQ(FindCommand(0), nullptr);
    EXPECT_EQ(FindCommand(1015), nullptr);
    EXPECT_EQ(FindCommand(99999), nullptr);
    EXPECT_EQ(ActionName(1011), L"Action01011");
    EXPECT_EQ(ActionName(10110), L"Action10110");
    EXPECT_EQ(CommandHint(*FindCommand(10020)), L"ポイントツール|ポイントツールをアクティブにします。");
}

TEST(CommandTable, HelpContexts)
{
    for (const TCommandDef& c : CommandTable()) {
        int shared = c.Number >= 3011 && c.Number <= 3018   ? 3010
                     : c.Number >= 3051 && c.Number <= 3055 ? 3050
                     : c.Number >= 3061 && c.Number <= 3062 ? 3060
                     : c.Number >= 3071 && c.Number <= 3074 ? 3070
                                                            : c.Number;
        EXPECT_EQ(c.HelpContext, shared) << c.Number;
    }
}

TEST(CommandTable, EveryShortcutRunsOneCommand)
{
    std::map<std::tuple<uint16_t, bool, bool, bool>, std::vector<int>> bound;
    for (const TCommandDef& c : CommandTable())
        if (c.Keys.Key)
            bound[{c.Keys.Key, c.Keys.Ctrl, c.Keys.Alt, c.Keys.Shift}].push_back(c.Number);
    for (const auto& [keys, numbers] : bound) {
        // F5 is also the viewer's redraw key; the menu's refresh wins.
        if (std::get<0>(keys) == 0x74 && !std::get<1>(keys) && !std::get<2>(keys))
            EXPECT_EQ(numbers, (std::vector<int>{3090, 10090}));
        else
            EXPECT_EQ(numbers.size(), 1u) << "key " << std::get<0>(keys) << " bound to " << numbers[0]
                                          << " and " << numbers[1];
    }
    EXPECT_EQ(FindCommand(1110)->Keys, (TShortCut{0x0D, false, true}));  // Alt+Enter
}

TEST(CommandTable, ImageIndices)
{
    std::map<int, int> owner;  // image index -> command
    for (const TCommandDef& c : CommandTable()) {
        SCOPED_TRACE(c.Number);
        EXPECT_GE(c.ImageIndex, 0);
        EXPECT_LT(c.ImageIndex, ImageCount);
        EXPECT_NE(c.ImageIndex, ImageFolderLock);
        EXPECT_NE(c.ImageIndex, ImageDisplayFilter);
        EXPECT_NE(c.ImageIndex, ImageNewDropDown);
        EXPECT_NE(c.ImageIndex, ImageArrangeDropDown);
        auto [it, fresh] = owner.emplace(c.ImageIndex, c.Number);
        EXPECT_TRUE(fresh || c.Hidden || FindCommand(it->second)->Hidden)
            << "image " << c.ImageIndex << " shared with " << it->second;
    }
    // Fixed by the status bar and the viewer.
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(FindCommand(10010 + 10 * i)->ImageIndex, 95 + i);
    EXPECT_EQ(FindCommand(10100)->ImageIndex, 73);
    EXPECT_EQ(FindCommand(10110)->ImageIndex, 71);

    for (const auto& [bar, e] : ToolEntries())
        EXPECT_LT(e->ImageIndex, ImageCount) << bar;
}

// tools/icons.txt says what each image is for; the strips are built from it.
TEST(CommandTable, ImageStripsMatchTheIconTable)
{
    std::ifstream table(SourceDir / "tools/icons.txt");
    ASSERT_TRUE(table);
    std::map<int, std::string> rows;
    std::string line;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int index = -1;
        fields >> index;
        EXPECT_EQ(index, static_cast<int>(rows.size())) << line;
        rows[index] = line;
    }
    EXPECT_EQ(rows.size(), static_cast<size_t>(ImageCount));
    for (const TCommandDef& c : CommandTable()) {
        std::string name = Narrow(ActionName(c.Number));
        EXPECT_NE(rows[c.ImageIndex].find(name), std::string::npos)
            << "icons.txt row " << c.ImageIndex << " is not for " << name;
    }

    for (const char* file : {"src/res/ImageList1.bmp", "src/res/ImageList2.bmp"}) {
        SCOPED_TRACE(file);
        std::ifstream in(SourceDir / file, std::ios::binary);
        ASSERT_TRUE(in);
        std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GE(b.size(), 54u);
        auto u32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; };
        auto u16 = [&](size_t at) { return b[at] | b[at + 1] << 8; };
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(2), b.size());
        EXPECT_EQ(u32(10), 54u);                 // pixels right after the header
        EXPECT_EQ(u32(14), 40u);                 // BITMAPINFOHEADER
        EXPECT_EQ(u32(18), 16u * ImageCount);    // width
        EXPECT_EQ(u32(22), 16u);                 // height, positive: bottom-up
        EXPECT_EQ(u16(28), 32);                  // bits per pixel
        EXPECT_EQ(u32(30), 0u);                  // BI_RGB
        EXPECT_EQ(b.size(), 54u + 16u * 16u * 4u * ImageCount);
    }
}

TEST(MenuLayout, MenusReferToCommandsThatExist)
{
    std::set<int> inMenus;
    for (const auto& [name, menu] : Menus()) {
        ForEachLevel(*menu, name, [&](const std::vector<TMenuEntry>& level, const std::string& path) {
            SCOPED_TRACE(path);
            for (const TMenuEntry& e : level) {
                if (e.Kind == TMenuEntryKind::Command || e.Kind == TMenuEntryKind::FileTypeList) {
                    EXPECT_NE(FindCommand(e.Command), nullptr) << e.Command;
                    inMenus.insert(e.Command);
                } else {
                    EXPECT_EQ(e.Command, 0);
                }
                EXPECT_EQ(e.Kind == TMenuEntryKind::Submenu, e.Caption && !e.Items.empty());
                EXPECT_TRUE(!e.RadioGroup || e.Kind == TMenuEntryKind::Command);
            }
            // A separator never starts or ends a level or follows another.
            for (size_t i = 0; i < level.size(); ++i) {
                if (level[i].Kind == TMenuEntryKind::Separator) {
                    EXPECT_TRUE(i > 0 && i + 1 < level.size() &&
                                level[i + 1].Kind != TMenuEntryKind::Separator)
                        << "separator " << i;
                }
            }
        });
    }
    // The viewer's commands live on its tool bar only; all others are in a menu.
    for (const TCommandDef& c : CommandTable())
        EXPECT_EQ(inMenus.count(c.Number), IsRaster(c.Number) ? 0u : 1u) << c.Number;
}

TEST(MenuLayout, AccessKeysAreUniqueWithinEachMenu)
{
    for (const auto& [name, menu] : Menus()) {
        ForEachLevel(*menu, name, [&](const std::vector<TMenuEntry>& level, const std::string& path) {
            std::map<wchar_t, std::vector<std::string>> keys;
            for (const TMenuEntry& e : level) {
                const wchar_t* caption = e.Caption;
                std::string item = "submenu " + std::to_string(&e - level.data());
                if (e.Command) {
                    const TCommandDef* c = FindCommand(e.Command);
                    if (!c || c->Hidden)
                        continue;
                    caption = c->Caption;
                    item = Narrow(ActionName(e.Command));
                }
                if (!caption)
                    continue;
                wchar_t key = AccessKey(caption);
                EXPECT_NE(key, 0) << path << ": " << item << " has no access key";
                keys[key].push_back(item);
            }
            for (const auto& [key, items] : keys) {
                // The folder list's context menu has both "最新の情報に更新(&R)" and
                // "フォルダを選択(&R)"; the captions are shared with the menu bar, where
                // they do not meet, so &R stays twice here.
                if (path == "PopupMenu1" && items == std::vector<std::string>{"Action03090", "Action02090"})
                    continue;
                EXPECT_EQ(items.size(), 1u) << path << ": " << items[0] << " / " << items[1];
            }
        });
    }
}

TEST(MenuLayout, ToolBars)
{
    std::set<int> onViewerBar;
    for (const auto& [bar, e] : ToolEntries()) {
        SCOPED_TRACE(bar);
        if (e->Kind == TToolEntryKind::Button) {
            const TCommandDef* c = FindCommand(e->Command);
            ASSERT_NE(c, nullptr) << e->Command;
            EXPECT_FALSE(c->Hidden) << e->Command;
            EXPECT_EQ(bar == "ToolBar8", IsRaster(e->Command)) << e->Command;
            if (bar == "ToolBar8")
                onViewerBar.insert(e->Command);
        } else {
            EXPECT_EQ(e->Command, 0);
        }
        EXPECT_TRUE(!e->Group || e->Check) << e->Command << " grouped but not a check button";
        if (e->Kind == TToolEntryKind::DropDownButton || e->Kind == TToolEntryKind::PasteButton) {
            EXPECT_TRUE(e->Caption && e->Tooltip && e->StatusText);
            EXPECT_GE(e->ImageIndex, 0);
        }
    }
    EXPECT_EQ(onViewerBar.size(), 11u);

    std::set<int> ids;
    for (const TBandLayout& band : CoolBarLayout())
        ids.insert(band.ID);
    EXPECT_EQ(ids, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}
