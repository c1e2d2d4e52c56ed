#pragma once
// When each command is enabled and checked: one pure function of a snapshot
// of what the rules read. The frame fills the snapshot once per update pass
// (one attribute query per pane, one look at the focus and the clipboard);
// the execute handlers still read the live state when they run.
#include "core/shell/VirtualItems.h"
#include "core/viewer/RasterActionRules.h"

#include <optional>

// The shell's attribute bits the rules read. They have the values of the
// platform's SFGAO_ constants, so the frame passes those through unchanged.
enum TShellAttribute : unsigned {
    saCanCopy = 0x1,
    saCanLink = 0x4,
    saCanRename = 0x10,
    saCanDelete = 0x20,
    saHasPropSheet = 0x40,
    saFolder = 0x20000000,
    saFileSystem = 0x40000000,
};
// Every bit above, for the one query per pane.
constexpr unsigned kRuleAttributes =
    saCanCopy | saCanLink | saCanRename | saCanDelete | saHasPropSheet | saFolder | saFileSystem;

// Which of the folder tree and the attached folder list has the keyboard
// focus (None: something else, or nothing).
enum class TFocusPane { None, Tree, List };

struct TTreeSnapshot {
    bool HasSelection = false;
    unsigned Attributes = 0;         // of the selected node (TShellAttribute bits)
    bool HasPath = false;            // the selected node has a file-system path
    bool HasParent = false;
    bool HasPrevious = false;        // in the depth-first walk over existing nodes
    bool HasNext = false;
    bool Editing = false;            // a node's label is being edited
    int BackCount = 0;
    int ForwardCount = 0;
};

struct TListSnapshot {
    bool Attached = false;           // a folder list is attached to the tree
    int ItemCount = 0;
    int SelectedCount = 0;
    unsigned SelectionAttributes = 0;  // the bits every selected item has
    bool OneSelectedIsFile = false;  // exactly one selected, and it is a file
    bool Editing = false;            // a caption is being edited
    bool HasFolderPath = false;      // the list's folder has a file-system path
    int ViewStyle = 0;               // 0 large icons, 1 small icons, 2 list, 3 details
    int SortKey = 0;                 // 0 name, 1 size, 2 type, 3 date, 4 attributes
    bool SortAscending = true;       // the direction of the sort key
    bool Locked = false;
};

struct TCommandSnapshot {
    TFocusPane Focus = TFocusPane::None;
    TTreeSnapshot Tree;
    TListSnapshot List;
    bool ClipboardHasFiles = false;  // CF_HDROP is offered
    bool FileTypesPresent = false;   // the settings' file-type list is not empty
    bool BandVisible[8] = {};        // the eight tool bars, file to address
    bool StatusBarVisible = false;
    bool ViewerVisible = false;
    bool NavigatorVisible = false;
    TShVirtuaItems VirtualItems = 0;
    bool IncludeHidden = false;
    bool AddressHasText = false;
    bool FilterEntryChosen = false;
    bool Filtering = false;
    bool FolderWindowExists = false;
    bool FolderWindowActive = false;
    bool ComputerSearchAvailable = false;  // the platform's call is safe to make
    TRasterSnapshot Viewer;          // the image view while the viewer shows
};

struct TCommandState {
    bool Enabled = false;
    // Nothing: leave the checked state as it is.
    std::optional<bool> Checked;
};

// The state of command `id`. `wasEnabled` is its enabled state before this
// pass: a command that follows the focused pane keeps it while a list is
// attached but neither the tree nor the list has the focus. A command this
// function does not know is disabled.
TCommandState CommandState(int id, const TCommandSnapshot& snapshot, bool wasEnabled);
