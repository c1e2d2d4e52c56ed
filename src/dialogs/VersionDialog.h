#pragma once
// "バージョン情報": the information panel and an OK button, in the middle of
// the screen, on top of every window.
#include "dialogs/InfoPanel.h"
#include "gui/Dialog.h"

#include <memory>

class TSubForm09040 : public TDialog {
public:
    explicit TSubForm09040(HWND owner);
    ~TSubForm09040() override;

    // The panel, once the dialog exists.
    const TInfoPanel* Panel() const { return InfoPanel.get(); }

protected:
    void FormCreate() override;

private:
    std::unique_ptr<TInfoPanel> InfoPanel;
};
