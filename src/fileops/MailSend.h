#pragma once
// Files handed to the user's mail program as the attachments of a new
// message (the simple mail interface, loaded when used).
#include <windows.h>
#include <mapi.h>

#include <string>
#include <vector>

using TMapiSendMail = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG);

// Opens the mail program's compose window with the files attached. False
// when the interface is missing or the mail was not sent (cancelled too).
// A path the ANSI code page cannot hold goes by its short form.
bool SendFilesAsMail(HWND owner, const std::vector<std::wstring>& paths);

// The function SendFilesAsMail calls instead of MAPI32's (null: MAPI32's).
void UseMailFunction(TMapiSendMail send);
