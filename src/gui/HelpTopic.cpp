#include "gui/HelpTopic.h"

static std::function<void(HWND, int)>& Handler()
{
    static std::function<void(HWND, int)> handler;
    return handler;
}

void SetHelpHandler(std::function<void(HWND owner, int context)> handler) { Handler() = std::move(handler); }

void ShowHelpTopic(HWND owner, int context)
{
    if (Handler()) Handler()(owner, context);
}
