#include "export/IconBitmaps.h"

#include "core/export/ExportForm.h"
#include "core/report/DibFile.h"
#include "gui/AtomicFile.h"
#include "gui/Handles.h"
#include "shell/IDList.h"

#include <commctrl.h>

#include <cstring>

namespace {

bool MakeFolder(const std::wstring& folder)
{
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TFileFailure WriteIconBitmaps(const std::wstring& folder, const std::vector<int>& icons)
{
    if (!MakeFolder(folder)) return {folder, GetLastError()};
    HIMAGELIST images = GetSysImageList(false);
    int width = 16, height = 16;
    if (images) ImageList_GetIconSize(images, &width, &height);
    COLORREF background = images ? ImageList_GetBkColor(images) : CLR_NONE;
    if (background == CLR_NONE) background = GetSysColor(COLOR_WINDOW);

    // One 24-bit bottom-up canvas, drawn on and copied out for each icon.
    TDib dib = CreateDib(width, height, 0, 24);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDCHandle dc(CreateCompatibleDC(nullptr));
    if (!canvas || !dc || !bits) return {folder, GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY};
    TSelectObject selected(dc.Get(), canvas.Get());
    TBrushHandle brush(CreateSolidBrush(background));
    const RECT whole{0, 0, width, height};

    for (int icon : icons) {
        FillRect(dc.Get(), &whole, brush.Get());
        if (images) ImageList_Draw(images, icon, dc.Get(), 0, 0, ILD_TRANSPARENT);
        GdiFlush();
        std::memcpy(dib.Bits.data(), bits, dib.Bits.size());
        std::vector<uint8_t> file = SaveDibFile(dib);
        std::wstring path = folder + L"\\" + IconFileName(icon);
        if (DWORD error = ReplaceFileWhole(path, file.data(), file.size())) return {path, error};
    }
    return {};
}
