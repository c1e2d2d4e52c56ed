#include "core/commands/MenuLayout.h"

#include <utility>

#include "core/commands/CommandTable.h"

namespace {

using MK = TMenuEntryKind;
using TK = TToolEntryKind;

TMenuEntry Cmd(int command, int radio = 0)
{
    return {.Kind = MK::Command, .Command = command, .RadioGroup = radio};
}

TMenuEntry Sep()
{
    return {.Kind = MK::Separator};
}

TMenuEntry Sub(const wchar_t* caption, std::vector<TMenuEntry> items, const wchar_t* status = nullptr,
               int help = 0)
{
    return {.Kind = MK::Submenu, .Caption = caption, .StatusText = status, .HelpContext = help,
            .Items = std::move(items)};
}

// Caption and enabled state come from Action02080; the items from the settings.
TMenuEntry FileTypes()
{
    return {.Kind = MK::FileTypeList, .Command = 2080};
}

TMenuEntry WindowList()
{
    return {.Kind = MK::WindowList};
}

std::vector<TMenuEntry> NewItems()
{
    return {Cmd(1011), Cmd(1012), Cmd(1013), Sep(), Cmd(1014)};
}

std::vector<TMenuEntry> ViewStyles()
{
    return {Cmd(3041, RadioViewStyle), Cmd(3042, RadioViewStyle), Cmd(3043, RadioViewStyle),
            Cmd(3044, RadioViewStyle)};
}

std::vector<TMenuEntry> SortKeys()
{
    return {Cmd(3051, RadioSortKey), Cmd(3052, RadioSortKey), Cmd(3053, RadioSortKey),
            Cmd(3054, RadioSortKey), Cmd(3055, RadioSortKey)};
}

std::vector<TMenuEntry> Arrange()
{
    auto items = SortKeys();
    items.push_back(Sep());
    items.push_back(Cmd(3061, RadioSortDirection));
    items.push_back(Cmd(3062, RadioSortDirection));
    return items;
}

TToolEntry Button(int command)
{
    return {.Kind = TK::Button, .Command = command};
}

TToolEntry CheckButton(int command, int group = 0)
{
    return {.Kind = TK::Button, .Command = command, .Check = true, .Group = group};
}

TToolEntry Separator()
{
    return {.Kind = TK::Separator};
}

TToolEntry Label(int index)
{
    return {.Kind = TK::Label, .LabelIndex = index};
}

}  // namespace

const std::vector<TMenuEntry>& MainMenuLayout()
{
    static const std::vector<TMenuEntry> menu = {
        Sub(L"ファイル(&F)",
            {Sub(L"新規作成(&N)", NewItems(), L"新規フォルダ、ショートカットを作成するコマンドです。"),
             Cmd(1020), Cmd(1030), Sep(),
             Cmd(1040), Cmd(1050), Sep(),
             Cmd(1060), Cmd(1070), Sep(),
             Cmd(1080), Cmd(1090), Cmd(1100), Sep(),
             Cmd(1110), Cmd(1120), Sep(),
             Cmd(1130)},
            L"システムの制御に関するコマンドです。", 1000),
        Sub(L"編集(&E)",
            {Cmd(2010), Sep(),
             Cmd(2020), Cmd(2030), Cmd(2040), Sep(),
             Cmd(2050), Sep(),
             Cmd(2060), Cmd(2070), Sep(),
             FileTypes(), Cmd(2090), Cmd(2100), Sep(),
             Cmd(2110), Sep(),
             Cmd(2120)},
            L"オブジェクトの編集に関するコマンドです。", 2000),
        Sub(L"表示(&V)",
            {Sub(L"ツール バー(&T)",
                 {Cmd(3011), Cmd(3012), Cmd(3013), Cmd(3014), Cmd(3015), Cmd(3016), Cmd(3017),
                  Cmd(3018)}),
             Cmd(3020), Cmd(3030), Sep(),
             Cmd(3041, RadioViewStyle), Cmd(3042, RadioViewStyle), Cmd(3043, RadioViewStyle),
             Cmd(3044, RadioViewStyle), Sep(),
             Sub(L"アイコンの整列(&I)", Arrange()), Sep(),
             Sub(L"フォルダ オプション(&O)", {Cmd(3071), Cmd(3072), Cmd(3073), Cmd(3074)}),
             Cmd(3080), Sep(),
             Cmd(3090)},
            L"オブジェクトの表示に関するコマンドです。", 3000),
        Sub(L"移動(&G)",
            {Cmd(4010), Cmd(4020), Cmd(4030), Sep(),
             Cmd(4040), Cmd(4050), Sep(),
             Cmd(4060), Cmd(4070), Sep(),
             Cmd(4080), Sep(),
             Cmd(4090)},
            L"画面の移動に関するコマンドです。", 4000),
        Sub(L"検索(&S)",
            {Cmd(5010), Cmd(5020), Sep(),
             Cmd(5030), Cmd(5040)},
            L"オブジェクトの検索に関するコマンドです。", 5000),
        Sub(L"ツール(&T)",
            {Cmd(6010), Cmd(6020), Sep(),
             Cmd(6030), Cmd(6040), Sep(),
             Cmd(6050), Cmd(6060), Cmd(6070), Sep(),
             Cmd(6080), Sep(),
             Cmd(6090)},
            L"ツールの制御に関するコマンドです。", 6000),
        Sub(L"お気に入り(&A)",
            {Cmd(7010), Cmd(7020)},
            L"お気に入りに関するコマンドです。", 7000),
        Sub(L"ウィンドウ(&W)",
            {Cmd(8010), Sep(),
             Cmd(8020), Cmd(8030), Cmd(8040), Sep(),
             Cmd(8050), Cmd(8060),
             WindowList()},
            L"ウィンドウ制御に関するコマンドです。", 8000),
        Sub(L"ヘルプ(&H)",
            {Cmd(9010), Sep(),
             Cmd(9020), Cmd(9030), Sep(),
             Cmd(9040)},
            L"ヘルプに関するコマンドです。", 9000),
    };
    return menu;
}

const std::vector<TMenuEntry>& PopupMenu1Layout()
{
    static const std::vector<TMenuEntry> menu = {
        Cmd(4030), Sep(),
        Sub(L"表示(&V)", ViewStyles()), Sep(),
        Sub(L"アイコンの整列(&I)", Arrange()), Sep(),
        Cmd(3090), Sep(),
        Cmd(2040), Sep(),
        Sub(L"新規作成(&N)", {Cmd(1011), Cmd(1012), Sep(), Cmd(1014), Sep(), Cmd(1013)}), Sep(),
        FileTypes(), Cmd(2090), Cmd(2100), Sep(),
        Cmd(2110),
    };
    return menu;
}

const std::vector<TMenuEntry>& ToolBarMenu1Layout()
{
    static const std::vector<TMenuEntry> menu = NewItems();
    return menu;
}

const std::vector<TMenuEntry>& ToolBarMenu2Layout()
{
    static const std::vector<TMenuEntry> menu = SortKeys();
    return menu;
}

const std::vector<TBandLayout>& CoolBarLayout()
{
    // Button groups are numbered per tool bar.
    static const std::vector<TBandLayout> bands = {
        {0, L"ToolBar1", nullptr, false,
         {{.Kind = TK::DropDownButton, .DropDownMenu = TToolMenu::ToolBarMenu1,
           .Caption = L"新規作成(&N)", .Tooltip = L"新規作成",
           .StatusText = L"新規フォルダ、ショートカットを作成するコマンドです。",
           .ImageIndex = ImageNewDropDown},
          Button(1020), Separator(),
          Button(1040), Button(1050), Separator(),
          Button(1070), Separator(),
          Button(1080), Button(1090), Button(1100), Separator(),
          Button(1110), Button(1120), Separator(),
          Button(9010)}},
        {1, L"ToolBar2", nullptr, false,
         {Button(2020), Button(2030),
          {.Kind = TK::PasteButton, .Caption = L"貼り付け(&P)", .Tooltip = L"貼り付け",
           .StatusText = L"コピー、または切り取ったオブジェクトを選択された位置に貼り付けます。",
           .ImageIndex = FindCommand(2040)->ImageIndex},
          Separator(),
          Button(2050), Separator(),
          Button(2060), Button(2070), Separator(),
          Button(2090), Button(2100)}},
        {2, L"ToolBar3", nullptr, false,
         {CheckButton(3041, 1), CheckButton(3042, 1), CheckButton(3043, 1), CheckButton(3044, 1),
          Separator(),
          {.Kind = TK::DropDownButton, .DropDownMenu = TToolMenu::ToolBarMenu2,
           .Caption = L"アイコンの整列(&I)", .Tooltip = L"アイコンの整列",
           .StatusText = L"ウインドウ内のオブジェクトを整列するコマンドです。",
           .ImageIndex = ImageArrangeDropDown},
          CheckButton(3061, 2), CheckButton(3062, 2), Separator(),
          Button(3090)}},
        {3, L"ToolBar4", nullptr, true,
         {{.Kind = TK::Button, .Command = 4010, .DropDownMenu = TToolMenu::Popup_Undo,
           .RightClickMenu = TToolMenu::Popup_Redo},
          {.Kind = TK::Button, .Command = 4020, .DropDownMenu = TToolMenu::Popup_Redo},
          Button(4030), Separator(),
          Button(4040), Button(4050), Separator(),
          Button(4060), Button(4070), Separator(),
          CheckButton(4080)}},
        {4, L"ToolBar5", nullptr, false,
         {Button(6010), Button(6030), Button(6040), Separator(),
          Button(6070), Separator(),
          CheckButton(6080)}},
        {5, L"ToolBar6", nullptr, false,
         {Button(8010), Separator(),
          Button(8020), Button(8030), Button(8040)}},
        {6, L"ToolBar7", L"フィルタ", false,
         {{.Kind = TK::FilterCombo}, Separator(),
          CheckButton(5020)}},
        {7, L"Frame1", L"アドレス", true,
         {{.Kind = TK::AddressBar},
          {.Kind = TK::Button, .Command = 4090, .Caption = L"移動", .ImageIndex = TToolEntry::NoImage,
           .ShowCaption = true}}},
    };
    return bands;
}

const std::vector<TToolEntry>& ToolBar8Layout()
{
    // Paint modes are one group; the six mouse tools another.
    static const std::vector<TToolEntry> bar = {
        Separator(),
        Button(10010), Separator(),
        CheckButton(10100, 1), CheckButton(10110, 1), Separator(),
        CheckButton(10020, 2), CheckButton(10080, 2), CheckButton(10040, 2), CheckButton(10050, 2),
        Separator(),
        CheckButton(10060, 2), CheckButton(10070, 2), Separator(),
        Button(10030), Button(10090), Separator(),
        Label(1), Separator(),
        Label(2), Separator(),
        Label(3), Separator(),
    };
    return bar;
}

const std::vector<TToolEntry>& ToolBar88Layout()
{
    static const std::vector<TToolEntry> bar = {
        {.Kind = TK::Button, .Command = 7010, .Caption = L" 追加...", .ShowCaption = true},
        {.Kind = TK::Button, .Command = 7020, .Caption = L" 整理...", .ShowCaption = true},
    };
    return bar;
}
