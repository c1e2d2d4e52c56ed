#pragma once
// Reading and writing the settings file on disk. Saving is atomic: the bytes
// go to a temporary file beside it, which then replaces the old one, so a
// failed save leaves the previous file exactly as it was.
#include "core/settings/InitData.h"

#include <stdexcept>
#include <string>

struct TSettingsFileState {
    bool Damaged = false;       // the file on disk could only be read in part
    std::wstring Problem;       // what was wrong with it
    std::wstring KeptAs;        // where the damaged file was put aside
};

// A failure the user is told about; what() is not used, Message is.
class TSettingsFileError : public std::runtime_error {
public:
    explicit TSettingsFileError(std::wstring message)
        : std::runtime_error("settings file error"), Message(std::move(message)) {}
    std::wstring Message;
};

// The settings file of an executable: same folder and base name, ".qvs".
std::wstring SettingsFileNameFor(const std::wstring& exePath);

// False when there is no file (the defaults stand). A file that exists but
// cannot be opened raises TSettingsFileError. A damaged file is read as far
// as it is sound and reported in `state`.
bool LoadSettings(const std::wstring& fileName, TInitData& data, TSettingsFileState& state);

// Raises TSettingsFileError when the file cannot be written. A damaged file
// read earlier is first renamed aside (never overwritten).
void SaveSettings(const std::wstring& fileName, const TInitData& data, TSettingsFileState& state);
