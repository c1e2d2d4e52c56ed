#include "app/Program.h"

#include "app/MainForm.h"
#include "gui/MessageBox.h"
#include "gui/MessageLoop.h"
#include "gui/Platform.h"

#include <commctrl.h>
#include <objbase.h>

int RunProgram(int showCommand)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                             ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    SetApplicationTitle(L"Quirevue");

    int result = 0;
    {
        TMainForm form(RunningExecutablePath());
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
