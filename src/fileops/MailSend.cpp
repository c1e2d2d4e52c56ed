#include "fileops/MailSend.h"

#include "gui/Strings.h"
#include "gui/SystemLibrary.h"

namespace {

TMapiSendMail ChosenSend = nullptr;

// The path as the ANSI mail interface can carry it: itself when the code
// page holds every character of it, else its short form, which does where
// the volume keeps short names.
std::string MailPath(const std::wstring& path)
{
    std::string narrow = WideToAnsi(path);
    if (AnsiToWide(narrow) == path) return narrow;
    std::wstring shortPath(MAX_PATH, L'\0');
    DWORD n = GetShortPathNameW(path.c_str(), shortPath.data(), DWORD(shortPath.size()));
    if (n > shortPath.size()) {
        shortPath.resize(n);
        n = GetShortPathNameW(path.c_str(), shortPath.data(), n);
    }
    if (n == 0 || n >= shortPath.size()) return narrow;
    shortPath.resize(n);
    std::string shortNarrow = WideToAnsi(shortPath);
    return AnsiToWide(shortNarrow) == shortPath ? shortNarrow : narrow;
}

// Hands the message over, with the compose window shown to the user.
bool Send(HWND owner, MapiMessage& message)
{
    TSystemLibrary mapi(L"MAPI32.DLL");
    TMapiSendMail send = ChosenSend ? ChosenSend : mapi.Proc<TMapiSendMail>("MAPISendMail");
    if (!send) return false;
    return send(0, ULONG_PTR(owner), &message, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0) == SUCCESS_SUCCESS;
}

}  // namespace

void UseMailFunction(TMapiSendMail send) { ChosenSend = send; }

bool SendFilesAsMail(HWND owner, const std::vector<std::wstring>& paths)
{
    if (paths.empty()) return false;
    std::vector<std::string> names;
    for (const std::wstring& path : paths) names.push_back(MailPath(path));
    std::vector<MapiFileDesc> files(paths.size());
    char empty[] = "";
    for (size_t i = 0; i < files.size(); ++i) {
        files[i].ulReserved = 0;
        files[i].flFlags = 0;
        files[i].nPosition = ULONG(-1);  // the mail program places it
        files[i].lpszPathName = names[i].data();
        files[i].lpszFileName = empty;
        files[i].lpFileType = nullptr;
    }
    MapiMessage message{};
    message.lpszSubject = empty;
    message.lpszNoteText = empty;
    message.nFileCount = ULONG(files.size());
    message.lpFiles = files.data();
    return Send(owner, message);
}

bool SendTextMail(HWND owner, const std::wstring& subject, const std::wstring& body, const std::wstring& recipient)
{
    std::string subjectText = WideToAnsi(subject), bodyText = WideToAnsi(body);
    // The documented form of an address outside the address book: its type,
    // then the address.
    std::string address = "SMTP:" + WideToAnsi(recipient);
    MapiRecipDesc to{};
    to.ulRecipClass = MAPI_TO;
    to.lpszName = nullptr;  // no display name
    to.lpszAddress = address.data();
    MapiMessage message{};
    message.lpszSubject = subjectText.data();
    message.lpszNoteText = bodyText.data();
    message.nRecipCount = 1;
    message.lpRecips = &to;
    return Send(owner, message);
}
