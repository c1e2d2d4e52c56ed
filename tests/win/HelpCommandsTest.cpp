// The help menu on the real main window: the help file at its contents and
// at a dialog's topic, the home page, the version dialog and the support
// report. Nothing here starts a browser or a mail program: the shell's
// opener, the help viewer and the mail interface are replaced where a test
// would reach them.
#include "CompiledHelpMap.h"
#include "DialogTesting.h"
#include "FrameFixture.h"
#include "ViewerTestSupport.h"
#include "core/commands/CommandIds.h"
#include "core/support/ProductInfo.h"
#include "dialogs/SupportDialog.h"
#include "dialogs/VersionDialog.h"
#include "fileops/MailSend.h"
#include "fileops/PlatformTools.h"
#include "gui/Platform.h"
#include "gui/Strings.h"
#include "help/HtmlHelp.h"
#include "res/DialogIds.h"
#include "support/DialogAnswerer.h"
#include "support/FileVersion.h"

#include <vector>

namespace {

struct THelpCall {
    HWND Owner;
    std::wstring File;
    UINT Command;
    DWORD_PTR Data;
};
std::vector<THelpCall> HelpCalls;

HWND WINAPI RecordingHelp(HWND owner, LPCWSTR file, UINT command, DWORD_PTR data)
{
    HelpCalls.push_back({owner, file ? file : L"", command, data});
    return nullptr;
}

class HelpCommandsTest : public TFrameFixture {
protected:
    void SetUp() override
    {
        HelpCalls.clear();
        UseHtmlHelpFunction(&RecordingHelp);
    }
    void TearDown() override
    {
        TFrameFixture::TearDown();
        UseHtmlHelpFunction(nullptr);
    }
};

// The topic the compiled help file opens for a context.
std::string CompiledTopic(int context)
{
    TCompiledHelp chm(ProgramDir() + L"\\Quirevue.chm");
    bool sound = false;
    std::map<int, std::string> map = chm.ContextMap(sound);
    auto it = map.find(context);
    return sound && it != map.end() ? it->second : "(not in the map)";
}

}  // namespace

TEST_F(HelpCommandsTest, F1OpensTheContentsAndHelpButtonsTheirTopics)
{
    Start();
    const std::wstring helpFile = App / L"Quirevue.CHM";
    EXPECT_TRUE(Action(Cmd::Help).Enabled);
    EXPECT_TRUE(PressKey(VK_F1));
    ASSERT_EQ(HelpCalls.size(), 1u);
    EXPECT_EQ(HelpCalls[0].Owner, nullptr);
    EXPECT_EQ(HelpCalls[0].File, helpFile);
    EXPECT_EQ(HelpCalls[0].Command, 0x0001u);  // HH_DISPLAY_TOC
    EXPECT_EQ(HelpCalls[0].Data, 0u);

    // The support dialog's help button, and F1 in the version dialog.
    TSubForm09030 support(Form->Handle(), kSupportMailAddress, RunningExecutablePath());
    ASSERT_TRUE(support.Create());
    ClickButton(support, IDHELPBUTTON);
    support.PressCancel();
    TSubForm09040 version(Form->Handle());
    ASSERT_TRUE(version.Create());
    SendMessageW(version.Handle(), WM_HELP, 0, 0);
    version.PressCancel();
    ASSERT_EQ(HelpCalls.size(), 3u);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(HelpCalls[i].File, helpFile);
        EXPECT_EQ(HelpCalls[i].Command, 0x000Fu);  // HH_HELP_CONTEXT
    }
    EXPECT_EQ(HelpCalls[1].Data, 9030u);
    EXPECT_EQ(HelpCalls[2].Data, 9040u);
    // What the viewer finds for them in the file that ships.
    EXPECT_EQ(CompiledTopic(9030), "topics/support-report.htm");
    EXPECT_EQ(CompiledTopic(9040), "topics/version.htm");
}

namespace {

std::vector<std::wstring> OpenedAddresses;
INT_PTR OpenerResult = 0;

HINSTANCE WINAPI FakeOpener(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT show)
{
    OpenedAddresses.push_back(std::wstring(verb) + L"|" + file + L"|" + parameters + L"|" + std::to_wstring(show));
    return reinterpret_cast<HINSTANCE>(OpenerResult);
}

}  // namespace

TEST_F(HelpCommandsTest, HomePageThatCannotBeOpenedIsReported)
{
    Start();
    UseWebOpener(&FakeOpener);
    const std::wstring expected = std::wstring(L"open|") + kHomePageAddress + L"||" + std::to_wstring(SW_SHOW);
    {
        OpenerResult = SE_ERR_NOASSOC;
        TDialogAnswerer ok(IDOK);
        EXPECT_TRUE(Run(Cmd::HomePage));
        ASSERT_TRUE(ok.WaitForAnswer(std::chrono::seconds(3)));
        EXPECT_EQ(ok.Caption, L"Quirevue");
        EXPECT_EQ(ok.Text, L"ホームページを参照することができません。");
    }
    {
        OpenerResult = 42;  // started
        TDialogAnswerer ok(IDOK);
        EXPECT_TRUE(Run(Cmd::HomePage));
        PumpFor(200);
        EXPECT_EQ(ok.Count(), 0);
    }
    UseWebOpener(nullptr);
    EXPECT_EQ(OpenedAddresses, (std::vector<std::wstring>{expected, expected}));
}

namespace {

// The registered owner in the system's own registry view, changed for one
// test and put back.
class TRegisteredOwner {
public:
    explicit TRegisteredOwner(const std::wstring& owner)
    {
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                      KEY_READ | KEY_SET_VALUE | KEY_WOW64_64KEY, &Key);
        wchar_t old[256] = {};
        DWORD bytes = sizeof old, type = 0;
        Had = Key && RegQueryValueExW(Key, L"RegisteredOwner", nullptr, &type, reinterpret_cast<BYTE*>(old), &bytes) ==
                         ERROR_SUCCESS;
        Old = old;
        Set(owner);
    }
    ~TRegisteredOwner()
    {
        if (!Key) return;
        if (Had) Set(Old);
        else RegDeleteValueW(Key, L"RegisteredOwner");
        RegCloseKey(Key);
    }
    bool Ready() const { return Key != nullptr; }

private:
    void Set(const std::wstring& owner)
    {
        if (Key)
            RegSetValueExW(Key, L"RegisteredOwner", 0, REG_SZ, reinterpret_cast<const BYTE*>(owner.c_str()),
                           DWORD((owner.size() + 1) * sizeof(wchar_t)));
    }
    HKEY Key = nullptr;
    bool Had = false;
    std::wstring Old;
};

}  // namespace

TEST_F(HelpCommandsTest, VersionDialogShowsTheFileVersionAndTheOwner)
{
    Start();
    struct TCase {
        const wchar_t* Registered;
        const wchar_t* Shown;
    };
    for (const TCase& c : {TCase{L"検証 花子", L"検証 花子"}, TCase{L"", L"Known User"}}) {
        TRegisteredOwner owner(c.Registered);
        ASSERT_TRUE(owner.Ready());
        TSubForm09040 dialog(Form->Handle());
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(dialog.Panel());
        EXPECT_EQ(dialog.Panel()->ItemText(InfoVersion), L"Version " + FixedFileVersion(RunningExecutablePath()));
        EXPECT_EQ(dialog.Panel()->ItemText(InfoProductName), L"Quirevue");
        EXPECT_EQ(dialog.Panel()->ItemText(InfoOwner), c.Shown);
        EXPECT_EQ(dialog.Panel()->ItemText(InfoNotice), kNoticeLine);
        RECT client;
        GetClientRect(dialog.Handle(), &client);
        EXPECT_EQ(client.right, 349);
        EXPECT_EQ(client.bottom, 237);
        EXPECT_TRUE(GetWindowLongPtrW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        dialog.PressCancel();
    }

    // The command shows it modally over the main window.
    TDialogAnswerer ok(IDOK);
    EXPECT_TRUE(Run(Cmd::About));
    EXPECT_EQ(ok.Caption, L"バージョン情報");
    EXPECT_EQ(ok.Owner, Form->Handle());
}

namespace {

struct TMailCall {
    HWND Parent;
    ULONG Flags;
    std::string Subject, Body, Recipient;
    ULONG RecipientClass, Files;
    bool Named;
};
std::vector<TMailCall> MailCalls;
ULONG MailResult = SUCCESS_SUCCESS;

ULONG WINAPI RecordingMail(LHANDLE, ULONG_PTR parent, lpMapiMessage message, FLAGS flags, ULONG)
{
    TMailCall call{HWND(parent), ULONG(flags), message->lpszSubject, message->lpszNoteText, "", 0,
                   message->nFileCount, false};
    if (message->nRecipCount == 1) {
        call.Recipient = message->lpRecips[0].lpszAddress ? message->lpRecips[0].lpszAddress : "";
        call.RecipientClass = message->lpRecips[0].ulRecipClass;
        call.Named = message->lpRecips[0].lpszName && *message->lpRecips[0].lpszName;
    }
    MailCalls.push_back(call);
    return MailResult;
}

std::wstring MemoText(HWND memo)
{
    std::wstring text(size_t(GetWindowTextLengthW(memo)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(memo, text.data(), int(text.size()))));
    return text;
}

}  // namespace

TEST_F(HelpCommandsTest, SupportReportShowsAlignedLinesAndStaysOpenAfterASend)
{
    Start();
    TSubForm09030 dialog(Form->Handle(), kSupportMailAddress, RunningExecutablePath());
    ASSERT_TRUE(dialog.Create());
    PumpFor(100);
    HWND memo = dialog.Memo();

    std::wstring text = MemoText(memo);
    std::vector<std::wstring> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find(L"\r\n", at);
        ASSERT_NE(end, std::wstring::npos) << "every line ends with CR LF";
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[17].rfind(L"qv_win_tests.exe : " + FixedFileVersion(RunningExecutablePath()), 0), 0u) << lines[17];
    EXPECT_EQ(lines[25], L"【障害内容】");

    // Every label's colon stands in the same column on screen.
    int colonX = -1;
    for (int line : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20, 21, 22, 23}) {
        size_t colon = lines[size_t(line)].find(L" : ");
        ASSERT_NE(colon, std::wstring::npos) << "line " << line + 1;
        int at = int(SendMessageW(memo, EM_LINEINDEX, line, 0)) + int(colon) + 1;
        int x = short(LOWORD(SendMessageW(memo, EM_POSFROMCHAR, at, 0)));
        if (colonX < 0) colonX = x;
        EXPECT_EQ(x, colonX) << "line " << line + 1 << ": " << lines[size_t(line)];
    }
    HDC dc = GetDC(memo);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(memo, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(memo, dc);
    EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << "a fixed-pitch font (the bit means variable)";

    // The caret waits under the report for the user's description.
    DWORD start = 0, end = 0;
    SendMessageW(memo, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, DWORD(text.size()));
    EXPECT_EQ(end, DWORD(text.size()));
    SendMessageW(memo, EM_REPLACESEL, TRUE, LPARAM(L"一覧が空のままです。"));

    // The frame keeps to its least size.
    SetWindowPos(dialog.Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT frame;
    GetWindowRect(dialog.Handle(), &frame);
    EXPECT_GE(frame.right - frame.left, 425);
    EXPECT_GE(frame.bottom - frame.top, 265);

    UseMailFunction(&RecordingMail);
    MailCalls.clear();
    {
        MailResult = MAPI_E_USER_ABORT;
        TDialogAnswerer ok(IDOK, dialog.Handle());
        ClickButton(dialog, IDC_SUPPORTSEND);
        ASSERT_TRUE(ok.WaitForAnswer(std::chrono::seconds(3)));
        EXPECT_EQ(ok.Caption, L"Quirevue");
        EXPECT_EQ(ok.Text, L"メールの転送エラーが発生。");
    }
    {
        MailResult = SUCCESS_SUCCESS;
        TDialogAnswerer ok(IDOK, dialog.Handle());
        ClickButton(dialog, IDC_SUPPORTSEND);
        PumpFor(200);
        EXPECT_EQ(ok.Count(), 0);
    }
    UseMailFunction(nullptr);
    EXPECT_FALSE(dialog.Closed());
    EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
    ASSERT_EQ(MailCalls.size(), 2u);
    const TMailCall& sent = MailCalls[0];
    EXPECT_EQ(sent.Parent, dialog.Handle());
    EXPECT_EQ(sent.Flags, 11u);  // logon UI, new session, the compose dialog
    EXPECT_EQ(AnsiToWide(sent.Subject), L"障害報告 【qv_win_tests.exe】");
    EXPECT_EQ(AnsiToWide(sent.Body), text + L"一覧が空のままです。\r\n");
    EXPECT_EQ(AnsiToWide(sent.Recipient), std::wstring(L"SMTP:") + kSupportMailAddress);
    EXPECT_EQ(sent.RecipientClass, ULONG(MAPI_TO));
    EXPECT_FALSE(sent.Named);
    EXPECT_EQ(sent.Files, 0u);
    dialog.PressCancel();

    // The command shows it modally, closed with its close button.
    TDialogAnswerer cancel(IDCANCEL);
    EXPECT_TRUE(Run(Cmd::SupportReport));
    EXPECT_EQ(cancel.Caption, L"サポート情報");
    EXPECT_EQ(cancel.Owner, Form->Handle());
}
