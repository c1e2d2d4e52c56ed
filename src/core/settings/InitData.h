#pragma once
// The settings object: every setting that outlives a run of the program.
// Strings are held as ANSI (code page 932) bytes, as the settings file
// stores them; the platform layer converts at its edge.
#include "core/shell/FileFilter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// 0x00BBGGRR for an RGB colour, 0xFF0000nn for the system colour nn.
using TColor = uint32_t;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBtnFace = 0xFF00000F;

// Font style bits.
constexpr uint8_t fsBold = 0x01;
constexpr uint8_t fsItalic = 0x02;
constexpr uint8_t fsUnderline = 0x04;
constexpr uint8_t fsStrikeOut = 0x08;

struct TFontData {
    std::string Name;
    TColor Color = clWindowText;
    int32_t Size = 9; // points
    uint8_t Style = 0;
    bool operator==(const TFontData&) const = default;
};

// One tool-bar band. ID: 0 file, 1 edit, 2 view, 3 go, 4 tools, 5 window,
// 6 filter tool bar, 7 address bar.
struct TBandData {
    int32_t ID = -1;
    int32_t Width = -1;
    bool Visible = false;
    bool Break = false;
    bool operator==(const TBandData&) const = default;
};

// One column of a folder list. ID: 0 name, 1 size, 2 type, 3 modified,
// 4 attributes. The n-th record carries the direction kept for sort key n.
struct TColumnData {
    int32_t ID = -1;
    int32_t Width = 50;
    int32_t SortDirection = 1; // 1 ascending, -1 descending
    bool operator==(const TColumnData&) const = default;
};

// One folder window.
struct TWindowData {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t WindowState = 0; // 0 normal, 1 minimised, 2 maximised
    uint8_t ViewStyle = 0;   // 0 large icons, 1 small icons, 2 list, 3 details
    uint8_t SortType = 0;    // 0 name, 1 size, 2 type, 3 modified, 4 attributes
    bool FolderLock = false;
    std::string FilterName;  // empty: no filter
    std::vector<TColumnData> Columns;
    // The folder's absolute item identifier list, including its two-byte
    // zero terminator; empty for no folder.
    std::vector<uint8_t> IDList;
    bool operator==(const TWindowData&) const = default;
};

class TInitData {
public:
    // What depends on the platform comes from the caller: the executable's
    // folder (ANSI) and the system's icon-title font.
    TInitData(std::string exeFolderAnsi, TFontData iconTitleFont);
    // For tests: executable folder "C:\", a plausible icon-title font.
    TInitData();

    std::string FileName; // full path of the settings file; not stored in it

    int32_t Reserved = 0; // kept unchanged
    std::string FavoritesFolder;
    int32_t WindowLeft = 0;
    int32_t WindowTop = 0;
    int32_t WindowWidth = 800;
    int32_t WindowHeight = 600;
    int32_t TreePanelWidth = 200;
    bool AutoSaveOnExit = true;
    bool HotTrack = true;
    bool StatusBarVisible = true;
    bool IncludeHidden = true;
    bool Filtering = false;
    TColor TreeColor = clWindow;
    TFontData TreeFont;
    uint8_t NewViewStyle = 0; // 0 large icons, 1 small icons, 2 list, 3 details
    TColor ListColor = clWindow;
    TFontData ListFont;
    TColor LockedColor = clWindow;
    TFontData LockedFont;
    uint16_t ShVirtuaItems = 0x01E0; // bit 5 Internet, 6 recycle bin, 7 network, 8 other virtual folders
    TColor ArchiveColor = clWindowText;
    TColor HiddenColor = clWindowText;
    TColor ReadOnlyColor = clWindowText;
    TColor SystemColor = clWindowText;
    TColor DirectoryColor = clWindowText;
    TColor CompressedColor = clWindowText;
    TColor OfflineColor = clWindowText;
    TColor TemporaryColor = clWindowText;

    bool SeqHeaderParent = true;
    std::string SeqHeaderText1;
    std::string SeqHeaderText2;
    bool SeqFooterParent = false;
    std::string SeqFooterText1;
    std::string SeqFooterText2;
    int32_t SeqDigits = 1;
    int32_t SeqStart = 1;
    int32_t SeqStep = 1;

    bool RenHeaderParent = true;
    bool RenHeaderOriginal = false;
    std::string RenHeaderText1;
    std::string RenHeaderText2;
    bool RenFooterParent = false;
    bool RenFooterOriginal = false;
    std::string RenFooterText1;
    std::string RenFooterText2;
    int32_t RenDigits = 0;
    int32_t RenStart = 1;
    int32_t RenStep = 1;
    int32_t RenExtMode = 0; // 0 unchanged, 1 upper case, 2 lower case, 3 RenExtText
    std::string RenExtText = "tmp";

    TColor ToolColor = clBtnFace;
    int32_t ToolTransparency = 70; // 0..10 in steps of 10 %; above 10 means 10
    int32_t NavigatorLeft = 0;
    int32_t NavigatorTop = 0;
    bool NavigatorVisible = false;
    std::string PluginFolder;
    int32_t ViewerHeight = 150;
    bool ViewerVisible = false;
    int32_t WheelMode = 0; // 0 forward zooms out, 1 the reverse, other: nothing

    std::vector<TBandData> Bands;
    std::vector<TWindowData> Windows;
    // Folder lists point at these filters, so each one keeps its address.
    std::vector<std::unique_ptr<TSHFileFilter>> Filters;
    std::vector<std::string> FileTypes;
};
