#pragma once
// Small helpers around paths, volume labels and file times.
#include <windows.h>

#include <string>

// The volume's label in lower case with a capital first letter ("Data
// disk"); empty on failure, and never a system box for an empty drive.
std::wstring GetVolumeLabel(const std::wstring& rootPath);
bool DirectoryExists(const std::wstring& path);
// An existing file, not a directory.
bool RegularFileExists(const std::wstring& path);
// Creates "新しいフォルダ" in `folder`, or that name with " (2)", " (3)" ...
// when it is taken; gives the name created, or empty on failure.
std::wstring CreateNewFolder(const std::wstring& folder);
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// The file system's entry of one file or folder.
bool FindFileData(const std::wstring& path, WIN32_FIND_DATAW& data);
std::wstring IncludeBackslash(const std::wstring& path);
// Days since 30 December 1899 in local time; 0 when either half is 0.
double FileTimeToDate(const FILETIME& time);
// The date at DOS resolution (2 s, years 1980 to 2107) as a UTC file time;
// a zero file time for 0 and for dates a DOS date cannot hold.
FILETIME DateToFileTime(double date);
// The locale's thousands and decimal separators.
wchar_t LocaleThousandsSeparator();
wchar_t LocaleDecimalSeparator();
// "ddddd t": the short date, a space, the short time.
std::wstring FormatShortDateTime(double date);

// Switches the error mode so that an empty removable drive brings up no
// system box, for the life of the object.
class TNoCriticalErrorBoxes {
public:
    TNoCriticalErrorBoxes() : Previous(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~TNoCriticalErrorBoxes() { SetErrorMode(Previous); }
    TNoCriticalErrorBoxes(const TNoCriticalErrorBoxes&) = delete;
    TNoCriticalErrorBoxes& operator=(const TNoCriticalErrorBoxes&) = delete;

private:
    UINT Previous;
};
