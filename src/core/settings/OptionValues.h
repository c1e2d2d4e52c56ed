#pragma once
// What the options dialog edits, taken from the settings and stored back on
// OK, and the rules of the tool windows' opacity. Everything the user did not
// change keeps its bytes (a system colour stays a system colour); storing
// normalises two things: the opacity level is kept to 0..10 and the file
// types are upper-cased (ASCII letters only).
#include "core/settings/InitData.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The attribute colours in the order of the dialog's panels.
enum TAttributePanel {
    apReadOnly, apHidden, apSystem, apArchive, apDirectory, apTemporary, apCompressed, apOffline, apCount
};

struct TOptionValues {
    std::string FavoritesFolder;
    bool AutoSaveOnExit = true;
    TColor TreeColor = clWindow;
    TFontData TreeFont;
    TColor ListColor = clWindow;
    TFontData ListFont;
    TColor LockedColor = clWindow;
    TFontData LockedFont;
    std::array<TColor, apCount> AttributeColors{};
    bool HotTrack = true;
    uint8_t NewViewStyle = 0;
    std::vector<std::string> FileTypes;
    TColor ToolColor = clBtnFace;
    int32_t ToolLevel = 10;  // what the track bar shows: 0..10
    std::string PluginFolder;
    bool operator==(const TOptionValues&) const = default;
};

TOptionValues TakeOptions(const TInitData& settings);
void StoreOptions(const TOptionValues& values, TInitData& settings);

// The settings' opacity step as every user takes it: above 10 is 10, below
// 0 is 0.
int32_t ToolLevel(int32_t stored);
// The tool windows' alpha value: floor(level x 25.5) for levels 1 to 10.
// Level 0 gives the alpha of level 1, so that the pad never vanishes (it
// could not be seen or found again while its command shows it open).
uint8_t ToolAlpha(int32_t stored);
// The label beside the opacity track bar: ": 透過率(" position x 10 "%)".
std::wstring OpacityLabel(int position);

// ASCII letters upper-cased in code page 932 text; the second byte of a
// double-byte character is left alone.
std::string AsciiUpper932(const std::string& text);
