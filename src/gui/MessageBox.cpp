#include "gui/MessageBox.h"

#include "core/commands/ShownError.h"
#include "gui/Strings.h"

static std::wstring& TitleStorage()
{
    static std::wstring title = L"Quirevue";
    return title;
}

void SetApplicationTitle(const std::wstring& title) { TitleStorage() = title; }
const std::wstring& ApplicationTitle() { return TitleStorage(); }

int ShowMessageBox(HWND owner, const std::wstring& text, UINT flags)
{
    return MessageBoxW(owner, text.c_str(), ApplicationTitle().c_str(), flags);
}

void ShowErrorBox(HWND owner, const std::wstring& text)
{
    ShowMessageBox(owner, text, MB_OK | MB_ICONERROR);
}

std::wstring ExceptionText(const std::exception& e)
{
    if (auto* shown = dynamic_cast<const EShownError*>(&e)) return shown->Message;
    return AnsiToWide(e.what());
}

void ShowCurrentException(HWND owner)
{
    try {
        throw;
    } catch (const std::exception& e) {
        ShowErrorBox(owner, ExceptionText(e));
    } catch (...) {
        ShowErrorBox(owner, L"予期しないエラーが発生しました。");
    }
}

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring(L"エラー");
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text + L" (" + std::to_wstring(code) + L")";
}
