#include "core/commands/MenuLayout.h"

#include <utility>

#include "core/commands/CommandIds.h"
#include "core/commands/CommandTable.h"

namespace {

using MK = TMenuEntryKind;
using TK = TToolEntryKind;

TMenuEntry Item(int command, int radio = 0)
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
    return {.Kind = MK::FileTypeList, .Command = Cmd::SelectByType};
}

TMenuEntry WindowList()
{
    return {.Kind = MK::WindowList};
}

std::vector<TMenuEntry> NewItems()
{
    return {Item(Cmd::NewFolder), Item(Cmd::NewSequentialFolders), Item(Cmd::NewShortcut), Sep(), Item(Cmd::NewZipFolder)};
}

std::vector<TMenuEntry> ViewStyles()
{
    return {Item(Cmd::ViewLargeIcons, RadioViewStyle), Item(Cmd::ViewSmallIcons, RadioViewStyle), Item(Cmd::ViewList, RadioViewStyle),
            Item(Cmd::ViewDetails, RadioViewStyle)};
}

std::vector<TMenuEntry> SortKeys()
{
    return {Item(Cmd::SortByName, RadioSortKey), Item(Cmd::SortBySize, RadioSortKey), Item(Cmd::SortByType, RadioSortKey),
            Item(Cmd::SortByDate, RadioSortKey), Item(Cmd::SortByAttributes, RadioSortKey)};
}

std::vector<TMenuEntry> Arrange()
{
    auto items = SortKeys();
    items.push_back(Sep());
    items.push_back(Item(Cmd::SortAscending, RadioSortDirection));
    items.push_back(Item(Cmd::SortDescending, RadioSortDirection));
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
             Item(Cmd::Open), Item(Cmd::CloseWindow), Sep(),
             Item(Cmd::ExportList), Item(Cmd::SendAsMail), Sep(),
             Item(Cmd::PrinterSetup), Item(Cmd::Print), Sep(),
             Item(Cmd::ChangeDateTime), Item(Cmd::ChangeAttributes), Item(Cmd::Rename), Sep(),
             Item(Cmd::Properties), Item(Cmd::ShowInViewer), Sep(),
             Item(Cmd::Exit)},
            L"システムの制御に関するコマンドです。", 1000),
        Sub(L"編集(&E)",
            {Item(Cmd::Undo), Sep(),
             Item(Cmd::Cut), Item(Cmd::Copy), Item(Cmd::Paste), Sep(),
             Item(Cmd::Delete), Sep(),
             Item(Cmd::CopyToFolder), Item(Cmd::MoveToFolder), Sep(),
             FileTypes(), Item(Cmd::SelectFolders), Item(Cmd::SelectFiles), Sep(),
             Item(Cmd::SelectAll), Sep(),
             Item(Cmd::InvertSelection)},
            L"オブジェクトの編集に関するコマンドです。", 2000),
        Sub(L"表示(&V)",
            {Sub(L"ツール バー(&T)",
                 {Item(Cmd::ShowBandFile), Item(Cmd::ShowBandEdit), Item(Cmd::ShowBandView), Item(Cmd::ShowBandGo), Item(Cmd::ShowBandTools), Item(Cmd::ShowBandWindow), Item(Cmd::ShowBandFilter),
                  Item(Cmd::ShowBandAddress)}),
             Item(Cmd::ShowStatusBar), Item(Cmd::ShowViewer), Sep(),
             Item(Cmd::ViewLargeIcons, RadioViewStyle), Item(Cmd::ViewSmallIcons, RadioViewStyle), Item(Cmd::ViewList, RadioViewStyle),
             Item(Cmd::ViewDetails, RadioViewStyle), Sep(),
             Sub(L"アイコンの整列(&I)", Arrange()), Sep(),
             Sub(L"フォルダ オプション(&O)", {Item(Cmd::ShowVirtualFolders), Item(Cmd::ShowNetwork), Item(Cmd::ShowRecycleBin), Item(Cmd::ShowInternet)}),
             Item(Cmd::ShowHiddenFiles), Sep(),
             Item(Cmd::Refresh)},
            L"オブジェクトの表示に関するコマンドです。", 3000),
        Sub(L"移動(&G)",
            {Item(Cmd::Back), Item(Cmd::Forward), Item(Cmd::Up), Sep(),
             Item(Cmd::ExpandAll), Item(Cmd::CollapseAll), Sep(),
             Item(Cmd::PreviousFolder), Item(Cmd::NextFolder), Sep(),
             Item(Cmd::FolderLock), Sep(),
             Item(Cmd::GoToAddress)},
            L"画面の移動に関するコマンドです。", 4000),
        Sub(L"検索(&S)",
            {Item(Cmd::FilterConditions), Item(Cmd::Filtering), Sep(),
             Item(Cmd::FindFiles), Item(Cmd::FindComputer)},
            L"オブジェクトの検索に関するコマンドです。", 5000),
        Sub(L"ツール(&T)",
            {Item(Cmd::BrowseIcons), Item(Cmd::ChangeFolderIcon), Sep(),
             Item(Cmd::OpenWith), Item(Cmd::CreateShortcut), Sep(),
             Item(Cmd::MapNetworkDrive), Item(Cmd::DisconnectNetworkDrive), Item(Cmd::EmptyRecycleBin), Sep(),
             Item(Cmd::Navigator), Sep(),
             Item(Cmd::Options)},
            L"ツールの制御に関するコマンドです。", 6000),
        Sub(L"お気に入り(&A)",
            {Item(Cmd::AddFavorite), Item(Cmd::OrganizeFavorites)},
            L"お気に入りに関するコマンドです。", 7000),
        Sub(L"ウィンドウ(&W)",
            {Item(Cmd::NewWindow), Sep(),
             Item(Cmd::Cascade), Item(Cmd::TileHorizontally), Item(Cmd::TileVertically), Sep(),
             Item(Cmd::MinimizeAll), Item(Cmd::ArrangeIcons),
             WindowList()},
            L"ウィンドウ制御に関するコマンドです。", 8000),
        Sub(L"ヘルプ(&H)",
            {Item(Cmd::Help), Sep(),
             Item(Cmd::HomePage), Item(Cmd::SupportReport), Sep(),
             Item(Cmd::About)},
            L"ヘルプに関するコマンドです。", 9000),
    };
    return menu;
}

const std::vector<TMenuEntry>& PopupMenu1Layout()
{
    static const std::vector<TMenuEntry> menu = {
        Item(Cmd::Up), Sep(),
        Sub(L"表示(&V)", ViewStyles()), Sep(),
        Sub(L"アイコンの整列(&I)", Arrange()), Sep(),
        Item(Cmd::Refresh), Sep(),
        Item(Cmd::Paste), Sep(),
        Sub(L"新規作成(&N)", {Item(Cmd::NewFolder), Item(Cmd::NewSequentialFolders), Sep(), Item(Cmd::NewZipFolder), Sep(), Item(Cmd::NewShortcut)}), Sep(),
        FileTypes(), Item(Cmd::SelectFolders), Item(Cmd::SelectFiles), Sep(),
        Item(Cmd::SelectAll),
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
          Button(Cmd::Open), Separator(),
          Button(Cmd::ExportList), Button(Cmd::SendAsMail), Separator(),
          Button(Cmd::Print), Separator(),
          Button(Cmd::ChangeDateTime), Button(Cmd::ChangeAttributes), Button(Cmd::Rename), Separator(),
          Button(Cmd::Properties), Button(Cmd::ShowInViewer), Separator(),
          Button(Cmd::Help)}},
        {1, L"ToolBar2", nullptr, false,
         {Button(Cmd::Cut), Button(Cmd::Copy),
          {.Kind = TK::PasteButton, .Caption = L"貼り付け(&P)", .Tooltip = L"貼り付け",
           .StatusText = L"コピー、または切り取ったオブジェクトを選択された位置に貼り付けます。",
           .ImageIndex = FindCommand(Cmd::Paste)->ImageIndex},
          Separator(),
          Button(Cmd::Delete), Separator(),
          Button(Cmd::CopyToFolder), Button(Cmd::MoveToFolder), Separator(),
          Button(Cmd::SelectFolders), Button(Cmd::SelectFiles)}},
        {2, L"ToolBar3", nullptr, false,
         {CheckButton(Cmd::ViewLargeIcons, 1), CheckButton(Cmd::ViewSmallIcons, 1), CheckButton(Cmd::ViewList, 1), CheckButton(Cmd::ViewDetails, 1),
          Separator(),
          {.Kind = TK::DropDownButton, .DropDownMenu = TToolMenu::ToolBarMenu2,
           .Caption = L"アイコンの整列(&I)", .Tooltip = L"アイコンの整列",
           .StatusText = L"ウインドウ内のオブジェクトを整列するコマンドです。",
           .ImageIndex = ImageArrangeDropDown},
          CheckButton(Cmd::SortAscending, 2), CheckButton(Cmd::SortDescending, 2), Separator(),
          Button(Cmd::Refresh)}},
        {3, L"ToolBar4", nullptr, true,
         {{.Kind = TK::Button, .Command = Cmd::Back, .DropDownMenu = TToolMenu::Popup_Undo,
           .RightClickMenu = TToolMenu::Popup_Redo},
          {.Kind = TK::Button, .Command = Cmd::Forward, .DropDownMenu = TToolMenu::Popup_Redo},
          Button(Cmd::Up), Separator(),
          Button(Cmd::ExpandAll), Button(Cmd::CollapseAll), Separator(),
          Button(Cmd::PreviousFolder), Button(Cmd::NextFolder), Separator(),
          CheckButton(Cmd::FolderLock)}},
        {4, L"ToolBar5", nullptr, false,
         {Button(Cmd::BrowseIcons), Button(Cmd::OpenWith), Button(Cmd::CreateShortcut), Separator(),
          Button(Cmd::EmptyRecycleBin), Separator(),
          CheckButton(Cmd::Navigator)}},
        {5, L"ToolBar6", nullptr, false,
         {Button(Cmd::NewWindow), Separator(),
          Button(Cmd::Cascade), Button(Cmd::TileHorizontally), Button(Cmd::TileVertically)}},
        {6, L"ToolBar7", L"フィルタ", false,
         {{.Kind = TK::FilterCombo}, Separator(),
          CheckButton(Cmd::Filtering)}},
        {7, L"Frame1", L"アドレス", true,
         {{.Kind = TK::AddressBar},
          {.Kind = TK::Button, .Command = Cmd::GoToAddress, .Caption = L"移動", .ImageIndex = TToolEntry::NoImage,
           .ShowCaption = true}}},
    };
    return bands;
}

const std::vector<TToolEntry>& ToolBar8Layout()
{
    // Paint modes are one group; the six mouse tools another.
    static const std::vector<TToolEntry> bar = {
        Separator(),
        Button(Cmd::ViewerCancel), Separator(),
        CheckButton(Cmd::ViewerColorOn, 1), CheckButton(Cmd::ViewerHalfTone, 1), Separator(),
        CheckButton(Cmd::ViewerPointTool, 2), CheckButton(Cmd::ViewerScrollTool, 2), CheckButton(Cmd::ViewerCentering, 2), CheckButton(Cmd::ViewerZoomRectTool, 2),
        Separator(),
        CheckButton(Cmd::ViewerZoomInTool, 2), CheckButton(Cmd::ViewerZoomOutTool, 2), Separator(),
        Button(Cmd::ViewerExtent), Button(Cmd::ViewerRedraw), Separator(),
        Label(1), Separator(),
        Label(2), Separator(),
        Label(3), Separator(),
    };
    return bar;
}

const std::vector<TToolEntry>& ToolBar88Layout()
{
    static const std::vector<TToolEntry> bar = {
        {.Kind = TK::Button, .Command = Cmd::AddFavorite, .Caption = L" 追加...", .ShowCaption = true},
        {.Kind = TK::Button, .Command = Cmd::OrganizeFavorites, .Caption = L" 整理...", .ShowCaption = true},
    };
    return bar;
}
