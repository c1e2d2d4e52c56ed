#pragma once
// New messages handed to the user's mail program through the simple mail
// interface (loaded when used), which shows them for editing and sending:
// files as attachments, or a written message to one recipient.
#include <windows.h>
#include <mapi.h>

#include <string>
#include <vector>

using TMapiSendMail = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG);

// Opens the mail program's compose window with the files attached. False
// when the interface is missing or the mail was not sent (cancelled too).
// A path the ANSI code page cannot hold goes by its short form.
bool SendFilesAsMail(HWND owner, const std::vector<std::wstring>& paths);

// Opens the mail program's compose window with the subject, the body (its
// lines ended by CR LF) and one "to" recipient. False when the interface is
// missing or the mail was not sent (cancelled too). The texts go in the ANSI
// code page.
bool SendTextMail(HWND owner, const std::wstring& subject, const std::wstring& body, const std::wstring& recipient);

// The function both sends call instead of MAPI32's (null: MAPI32's).
void UseMailFunction(TMapiSendMail send);
