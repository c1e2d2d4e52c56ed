#include "app/Program.h"

#include "app/MainForm.h"
#include "gui/MessageBox.h"
#include "gui/MessageLoop.h"

#include <commctrl.h>
#include <objbase.h>

std::wstring ExecutablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int RunProgram(int showCommand)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                             ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    SetApplicationTitle(L"Quirevue");

    int result = 0;
    {
        TMainForm form(ExecutablePath());
        if (form.Start(showCommand)) {
            TMessageLoopHooks hooks;
            hooks.PreTranslate = [&form](MSG& msg) { return form.PreTranslate(msg); };
            hooks.OnIdle = [&form] { if (form.Handle()) form.UpdateActions(); };
            result = RunMessageLoop(hooks);
        }
    }
    OleUninitialize();
    return result;
}
