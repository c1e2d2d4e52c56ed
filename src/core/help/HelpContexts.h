#pragma once
// Help contexts of the program's windows and dialogs. Each is the number of
// the command that opens it, so one topic of the help file explains both;
// the menus' own contexts are in MenuLayout, the commands' in CommandTable.
#include "core/commands/CommandIds.h"

namespace HelpContext {

inline constexpr int FolderWindow = Cmd::NewWindow;  // 8010
inline constexpr int SequenceDialog = Cmd::NewSequentialFolders;
inline constexpr int NewShortcutDialog = Cmd::NewShortcut;
inline constexpr int ExportDialog = Cmd::ExportList;
inline constexpr int PrintPreview = Cmd::Print;
inline constexpr int DateTimeDialog = Cmd::ChangeDateTime;
inline constexpr int AttributeDialog = Cmd::ChangeAttributes;
inline constexpr int RenameDialog = Cmd::Rename;
inline constexpr int FilterDialog = Cmd::FilterConditions;
inline constexpr int IconBrowser = Cmd::BrowseIcons;
inline constexpr int Navigator = Cmd::Navigator;
inline constexpr int OptionsDialog = Cmd::Options;
inline constexpr int AddFavoriteDialog = Cmd::AddFavorite;
inline constexpr int OrganizeFavoritesDialog = Cmd::OrganizeFavorites;
inline constexpr int SupportDialog = Cmd::SupportReport;
inline constexpr int VersionDialog = Cmd::About;

// Every one of them, for the check that the help file has their topics.
inline constexpr int Windows[] = {
    FolderWindow, SequenceDialog, NewShortcutDialog, ExportDialog, PrintPreview, DateTimeDialog,
    AttributeDialog, RenameDialog, FilterDialog, IconBrowser, Navigator, OptionsDialog,
    AddFavoriteDialog, OrganizeFavoritesDialog, SupportDialog, VersionDialog,
};

}  // namespace HelpContext
