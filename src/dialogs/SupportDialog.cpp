#include "dialogs/SupportDialog.h"

#include "core/help/HelpContexts.h"
#include "core/support/SupportReport.h"
#include "fileops/MailSend.h"
#include "gui/MessageBox.h"
#include "res/DialogIds.h"
#include "support/ReportFacts.h"

#include <algorithm>

namespace {

// The least the frame may be made, in pixels.
const int kMinWidth = 425, kMinHeight = 265;
// Posted at the end of the creation: the dialog manager selects the whole
// text of the control it gives the focus first.
const UINT kPlaceCaret = WM_APP + 1;

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

HFONT FixedPitchFont()
{
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(font.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace

TSubForm09030::TSubForm09030(HWND owner, const std::wstring& recipient, const std::wstring& exePath)
    : TDialog(owner, IDD_SUPPORT, HelpContext::SupportDialog), Recipient(recipient), ExePath(exePath)
{
}

HWND TSubForm09030::Memo() const { return Item(IDC_SUPPORTMEMO); }

void TSubForm09030::FormCreate()
{
    RECT client;
    GetClientRect(Handle(), &client);
    FirstClient = {client.right, client.bottom};
    for (int id : {IDC_SUPPORTMEMO, IDC_SUPPORTSEND, IDCANCEL, IDC_HELPBUTTON}) {
        RECT r;
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        Anchored.push_back({id, r});
    }

    MemoFont.Reset(FixedPitchFont());
    SendMessageW(Memo(), WM_SETFONT, WPARAM(MemoFont.Get()), FALSE);
    SendMessageW(Memo(), EM_LIMITTEXT, 0, 0);  // the user's description may run long
    SetItemText(IDC_SUPPORTMEMO, SupportReportText(CollectReportFacts(ExePath)));

    RECT frame;
    GetWindowRect(Handle(), &frame);
    if (frame.right - frame.left < kMinWidth || frame.bottom - frame.top < kMinHeight)
        SetWindowPos(Handle(), nullptr, 0, 0, std::max<int>(kMinWidth, frame.right - frame.left),
                     std::max<int>(kMinHeight, frame.bottom - frame.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOnScreen();
    PostMessageW(Handle(), kPlaceCaret, 0, 0);
}

bool TSubForm09030::OnCommand(int id, int code, HWND)
{
    if (id == IDC_SUPPORTSEND && code == BN_CLICKED) {
        ButtonMailClick();
        return true;
    }
    return false;
}

void TSubForm09030::ButtonMailClick()
{
    // The memo's lines, each ended by CR LF.
    std::wstring body = ItemText(IDC_SUPPORTMEMO);
    if (body.size() < 2 || body.compare(body.size() - 2, 2, L"\r\n") != 0) body += L"\r\n";
    if (!SendTextMail(Handle(), SupportMailSubject(FileNameOf(ExePath)), body, Recipient))
        ShowMessageBox(Handle(), L"メールの転送エラーが発生。", MB_OK | MB_ICONERROR);
}

void TSubForm09030::LayOut(int width, int height)
{
    if (Anchored.empty()) return;
    int dx = width - FirstClient.cx, dy = height - FirstClient.cy;
    HDWP moves = BeginDeferWindowPos(int(Anchored.size()));
    for (const TAnchored& a : Anchored) {
        RECT r = a.Bounds;
        if (a.Id == IDC_SUPPORTMEMO) {
            r.right += dx;  // the memo grows with the frame
            r.bottom += dy;
        } else {
            OffsetRect(&r, dx, dy);  // the buttons keep to the bottom right
        }
        if (moves)
            moves = DeferWindowPos(moves, Item(a.Id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves) EndDeferWindowPos(moves);
}

bool TSubForm09030::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (msg) {
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {kMinWidth, kMinHeight};
        result = 0;
        return true;
    }
    case WM_SIZE:
        LayOut(LOWORD(lParam), HIWORD(lParam));
        InvalidateRect(Handle(), nullptr, TRUE);
        return false;
    case kPlaceCaret: {
        // Ready for the user's description, under the report.
        SetFocus(Memo());
        int end = GetWindowTextLengthW(Memo());
        SendMessageW(Memo(), EM_SETSEL, end, end);
        SendMessageW(Memo(), EM_SCROLLCARET, 0, 0);
        return true;
    }
    }
    return false;
}
