#pragma once
// Helpers the in-process Windows tests share: identifier lists of paths,
// files of a given size, and pumping the queue until something happened.
#include "shell/IDList.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

TIDListPtr ListOf(const std::wstring& path);

// A file of `size` bytes (sparse where the file system allows), with the
// attributes and, when given, the local last-write time.
void MakeFile(const std::wstring& path, uint64_t size = 1, DWORD attributes = FILE_ATTRIBUTE_NORMAL,
              const SYSTEMTIME* written = nullptr);

// Dispatches messages until `done` holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// The target path a shortcut file resolves to, or a text in parentheses
// saying why it does not.
std::wstring ResolvedTarget(const std::wstring& linkPath);
