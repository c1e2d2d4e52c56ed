#include "core/settings/OptionValues.h"

#include "core/settings/AnsiText.h"

#include <algorithm>

TOptionValues TakeOptions(const TInitData& s)
{
    TOptionValues v;
    v.FavoritesFolder = s.FavoritesFolder;
    v.AutoSaveOnExit = s.AutoSaveOnExit;
    v.TreeColor = s.TreeColor;
    v.TreeFont = s.TreeFont;
    v.ListColor = s.ListColor;
    v.ListFont = s.ListFont;
    v.LockedColor = s.LockedColor;
    v.LockedFont = s.LockedFont;
    v.AttributeColors = {s.ReadOnlyColor, s.HiddenColor,   s.SystemColor,     s.ArchiveColor,
                         s.DirectoryColor, s.TemporaryColor, s.CompressedColor, s.OfflineColor};
    v.HotTrack = s.HotTrack;
    v.NewViewStyle = s.NewViewStyle;
    v.FileTypes = s.FileTypes;
    v.ToolColor = s.ToolColor;
    v.ToolLevel = ToolLevel(s.ToolTransparency);
    v.PluginFolder = s.PluginFolder;
    return v;
}

void StoreOptions(const TOptionValues& v, TInitData& s)
{
    s.FavoritesFolder = v.FavoritesFolder;
    s.AutoSaveOnExit = v.AutoSaveOnExit;
    s.TreeColor = v.TreeColor;
    s.TreeFont = v.TreeFont;
    s.ListColor = v.ListColor;
    s.ListFont = v.ListFont;
    s.LockedColor = v.LockedColor;
    s.LockedFont = v.LockedFont;
    s.ReadOnlyColor = v.AttributeColors[apReadOnly];
    s.HiddenColor = v.AttributeColors[apHidden];
    s.SystemColor = v.AttributeColors[apSystem];
    s.ArchiveColor = v.AttributeColors[apArchive];
    s.DirectoryColor = v.AttributeColors[apDirectory];
    s.TemporaryColor = v.AttributeColors[apTemporary];
    s.CompressedColor = v.AttributeColors[apCompressed];
    s.OfflineColor = v.AttributeColors[apOffline];
    s.HotTrack = v.HotTrack;
    s.NewViewStyle = uint8_t(std::min<int>(v.NewViewStyle, 3));
    s.FileTypes.clear();
    for (const std::string& type : v.FileTypes) s.FileTypes.push_back(AsciiUpper932(type));
    s.ToolColor = v.ToolColor;
    s.ToolTransparency = ToolLevel(v.ToolLevel);
    s.PluginFolder = v.PluginFolder;
}

int32_t ToolLevel(int32_t stored) { return std::clamp<int32_t>(stored, 0, 10); }

uint8_t ToolAlpha(int32_t stored)
{
    int32_t level = std::max<int32_t>(ToolLevel(stored), 1);
    // floor(level x 25.5) in whole numbers.
    return uint8_t(level * 255 / 10);
}

std::wstring OpacityLabel(int position) { return L": 透過率(" + std::to_wstring(position * 10) + L"%)"; }

std::string AsciiUpper932(const std::string& text)
{
    std::string out = text;
    for (size_t i = 0; i < out.size();) {
        size_t length = CharLength932(out, i);
        if (length == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = char(out[i] - 32);
        i += length;
    }
    return out;
}
