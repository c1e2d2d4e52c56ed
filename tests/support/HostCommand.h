#pragma once
// Changes made on the machine that runs Wine, beside the program: the
// tests' way of changing files "from outside". Some changes behave
// differently when a Windows program makes them (a folder that a program
// watches is only marked for deletion until the watch is closed).
#include <windows.h>

#include <string>

// The host's path of a Windows path (UTF-16 of the host's UTF-8 bytes);
// empty when there is none.
std::wstring HostPath(const std::wstring& windowsPath);
// Single quotes for the host's shell.
std::wstring ShellQuoted(const std::wstring& text);
// Runs `/bin/sh -c command` on the host and waits until it has finished
// (Wine gives no process handle for host programs, so the command marks its
// end with a file). False when it could not start or did not finish in time.
bool RunOnHost(const std::wstring& command, DWORD timeoutMs = 20000);
