#include "dialogs/VersionDialog.h"

#include "core/help/HelpContexts.h"
#include "res/DialogIds.h"

namespace {

// Client pixels.
const int kClientWidth = 349, kClientHeight = 237;
const int kButtonWidth = 75, kButtonHeight = 25;
const int kMargin = 6;

}  // namespace

TSubForm09040::TSubForm09040(HWND owner) : TDialog(owner, IDD_VERSION, HelpContext::VersionDialog) {}

TSubForm09040::~TSubForm09040() = default;

void TSubForm09040::FormCreate()
{
    SetClientSize(kClientWidth, kClientHeight);
    int buttonTop = kClientHeight - kMargin - kButtonHeight - 2;
    RECT panel{kMargin, kMargin, kClientWidth - kMargin, buttonTop - kMargin - 2};
    InfoPanel = std::make_unique<TInfoPanel>(Handle(), panel, TInfoBevel::Lowered);
    SetWindowPos(Item(IDOK), nullptr, (kClientWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOnScreen();
}
