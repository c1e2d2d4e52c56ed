#include "core/export/ExportForm.h"

TExportForm ExportFormOfFilter(int filterIndex)
{
    switch (filterIndex) {
    case 2: return TExportForm::Csv;
    case 3: return TExportForm::Html;
    default: return TExportForm::Text;
    }
}

const wchar_t* ExportExtension(TExportForm form)
{
    switch (form) {
    case TExportForm::Csv: return L"csv";
    case TExportForm::Html: return L"htm";
    default: return L"txt";
    }
}

namespace {

size_t LastSeparator(std::wstring_view path)
{
    size_t at = path.find_last_of(L"\\/:");
    return at == std::wstring_view::npos ? 0 : at + 1;
}

}  // namespace

std::wstring IconFolderPath(std::wstring_view pagePath)
{
    size_t nameAt = LastSeparator(pagePath);
    size_t dot = pagePath.find_last_of(L'.');
    size_t end = dot != std::wstring_view::npos && dot >= nameAt ? dot : pagePath.size();
    return std::wstring(pagePath.substr(0, end)) + L".file";
}

std::wstring LastPathComponent(std::wstring_view path) { return std::wstring(path.substr(LastSeparator(path))); }

std::wstring IconFileName(int iconIndex) { return std::to_wstring(iconIndex) + L".bmp"; }
