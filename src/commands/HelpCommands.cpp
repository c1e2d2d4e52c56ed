// The help menu: the help file, the home page, the support report and the
// version dialog; and the dialogs' help buttons.
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "core/support/ProductInfo.h"
#include "dialogs/SupportDialog.h"
#include "dialogs/VersionDialog.h"
#include "fileops/PlatformTools.h"
#include "gui/HelpTopic.h"
#include "gui/MessageBox.h"
#include "gui/Platform.h"

void BindHelpCommands(TActionList& actions, IMainFrame& frame)
{
    // The help buttons of the dialogs open the frame's help file.
    SetHelpHandler([&frame](HWND, int context) { frame.ShowHelp(context); });

    BindCommand(actions, Cmd::Help, [&frame] { frame.ShowHelpContents(); });
    BindCommand(actions, Cmd::HomePage, [&frame] {
        if (!OpenWebAddress(frame.OwnerWindow(), kHomePageAddress))
            ShowMessageBox(frame.OwnerWindow(), L"ホームページを参照することができません。", MB_OK | MB_ICONERROR);
    });
    BindCommand(actions, Cmd::SupportReport, [&frame] {
        TSubForm09030(frame.OwnerWindow(), kSupportMailAddress, RunningExecutablePath()).ShowModal();
    });
    BindCommand(actions, Cmd::About, [&frame] { TSubForm09040(frame.OwnerWindow()).ShowModal(); });
}
