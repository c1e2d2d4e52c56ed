#pragma once
// The names of the program's command numbers. A command's number is also
// its WM_COMMAND identifier and, written with five digits, its name
// (Action01011 for 1011); the table in CommandTable.cpp gives every one of
// them its texts, keys and image.

// X(name, number), in ascending order.
#define QV_COMMAND_IDS(X) \
    X(NewFolder, 1011) \
    X(NewSequentialFolders, 1012) \
    X(NewShortcut, 1013) \
    X(NewZipFolder, 1014) \
    X(Open, 1020) \
    X(CloseWindow, 1030) \
    X(ExportList, 1040) \
    X(SendAsMail, 1050) \
    X(PrinterSetup, 1060) \
    X(Print, 1070) \
    X(ChangeDateTime, 1080) \
    X(ChangeAttributes, 1090) \
    X(Rename, 1100) \
    X(Properties, 1110) \
    X(ShowInViewer, 1120) \
    X(Exit, 1130) \
    X(Undo, 2010) \
    X(Cut, 2020) \
    X(Copy, 2030) \
    X(Paste, 2040) \
    X(Delete, 2050) \
    X(CopyToFolder, 2060) \
    X(MoveToFolder, 2070) \
    X(SelectByType, 2080) \
    X(SelectFolders, 2090) \
    X(SelectFiles, 2100) \
    X(SelectAll, 2110) \
    X(InvertSelection, 2120) \
    X(ShowBandFile, 3011) \
    X(ShowBandEdit, 3012) \
    X(ShowBandView, 3013) \
    X(ShowBandGo, 3014) \
    X(ShowBandTools, 3015) \
    X(ShowBandWindow, 3016) \
    X(ShowBandFilter, 3017) \
    X(ShowBandAddress, 3018) \
    X(ShowStatusBar, 3020) \
    X(ShowViewer, 3030) \
    X(ViewLargeIcons, 3041) \
    X(ViewSmallIcons, 3042) \
    X(ViewList, 3043) \
    X(ViewDetails, 3044) \
    X(SortByName, 3051) \
    X(SortBySize, 3052) \
    X(SortByType, 3053) \
    X(SortByDate, 3054) \
    X(SortByAttributes, 3055) \
    X(SortAscending, 3061) \
    X(SortDescending, 3062) \
    X(ShowVirtualFolders, 3071) \
    X(ShowNetwork, 3072) \
    X(ShowRecycleBin, 3073) \
    X(ShowInternet, 3074) \
    X(ShowHiddenFiles, 3080) \
    X(Refresh, 3090) \
    X(Back, 4010) \
    X(Forward, 4020) \
    X(Up, 4030) \
    X(ExpandAll, 4040) \
    X(CollapseAll, 4050) \
    X(PreviousFolder, 4060) \
    X(NextFolder, 4070) \
    X(FolderLock, 4080) \
    X(GoToAddress, 4090) \
    X(FilterConditions, 5010) \
    X(Filtering, 5020) \
    X(FindFiles, 5030) \
    X(FindComputer, 5040) \
    X(BrowseIcons, 6010) \
    X(ChangeFolderIcon, 6020) \
    X(OpenWith, 6030) \
    X(CreateShortcut, 6040) \
    X(MapNetworkDrive, 6050) \
    X(DisconnectNetworkDrive, 6060) \
    X(EmptyRecycleBin, 6070) \
    X(Navigator, 6080) \
    X(Options, 6090) \
    X(AddFavorite, 7010) \
    X(OrganizeFavorites, 7020) \
    X(NewWindow, 8010) \
    X(Cascade, 8020) \
    X(TileHorizontally, 8030) \
    X(TileVertically, 8040) \
    X(MinimizeAll, 8050) \
    X(ArrangeIcons, 8060) \
    X(Help, 9010) \
    X(HomePage, 9020) \
    X(SupportReport, 9030) \
    X(About, 9040) \
    X(ViewerCancel, 10010) \
    X(ViewerPointTool, 10020) \
    X(ViewerExtent, 10030) \
    X(ViewerCentering, 10040) \
    X(ViewerZoomRectTool, 10050) \
    X(ViewerZoomInTool, 10060) \
    X(ViewerZoomOutTool, 10070) \
    X(ViewerScrollTool, 10080) \
    X(ViewerRedraw, 10090) \
    X(ViewerColorOn, 10100) \
    X(ViewerHalfTone, 10110)

namespace Cmd {
enum : int {
#define QV_COMMAND_ID_ENUM(name, number) name = number,
QV_COMMAND_IDS(QV_COMMAND_ID_ENUM)
#undef QV_COMMAND_ID_ENUM
};

// Every command number, ascending.
inline constexpr int AllIds[] = {
#define QV_COMMAND_ID_VALUE(name, number) number,
QV_COMMAND_IDS(QV_COMMAND_ID_VALUE)
#undef QV_COMMAND_ID_VALUE
};
}  // namespace Cmd
