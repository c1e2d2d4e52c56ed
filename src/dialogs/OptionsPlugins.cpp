// The options dialog's plug-in list: every usable plug-in of the folder in
// the plug-in box, asked through a collection of its own (every call goes
// through the plug-in guard).
#include "dialogs/OptionsDialog.h"

#include "gui/Strings.h"
#include "res/DialogIds.h"
#include "viewer/SusiePlug.h"

namespace {

const struct {
    const wchar_t* Caption;
    int Width;
} kColumns[] = {{L"プラグイン名", 90}, {L"フォーマットタイプ", 110}, {L"拡張子", 70}, {L"インフォメーション", 200}};

}  // namespace

void TSubForm06090::FillPluginList()
{
    HWND list = Item(IDC_LISTVIEW5);
    if (!PluginImages) {
        for (int i = 0; i < int(std::size(kColumns)); ++i) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = kColumns[i].Width;
            column.pszText = const_cast<wchar_t*>(kColumns[i].Caption);
            SendMessageW(list, LVM_INSERTCOLUMNW, i, LPARAM(&column));
        }
        // Image 0 marks a plug-in that failed while it was asked.
        PluginImages.Reset(ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                            ILC_COLOR32 | ILC_MASK, 1, 1));
        ImageList_AddIcon(PluginImages.Get(), LoadIconW(nullptr, IDI_WARNING));
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(PluginImages.Get()));
    }
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);

    TSusiePlugs plugs;
    plugs.SetFolder(ItemText(IDC_EDIT511));
    for (int i = 0; i < plugs.Count(); ++i) {
        TSusiePlug& plug = plugs.Items(i);
        if (!plug.Load()) continue;
        std::wstring type = AnsiToWide(plug.FileTypeName());
        std::wstring extension = AnsiToWide(plug.FileExtension());
        std::wstring name = AnsiToWide(plug.PluginName());
        std::wstring file = plug.FileName();
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = INT_MAX;
        item.pszText = file.data();
        item.iImage = plug.Faulted() ? 0 : I_IMAGENONE;
        int row = int(SendMessageW(list, LVM_INSERTITEMW, 0, LPARAM(&item)));
        std::wstring* cells[] = {&type, &extension, &name};
        for (int c = 0; c < 3 && row >= 0; ++c) {
            LVITEMW sub{};
            sub.iSubItem = c + 1;
            sub.pszText = cells[c]->data();
            SendMessageW(list, LVM_SETITEMTEXTW, row, LPARAM(&sub));
        }
        plug.Unload();
    }
}

int TSubForm06090::PluginRowCount() const
{
    return int(SendMessageW(Item(IDC_LISTVIEW5), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring TSubForm06090::PluginCell(int row, int column) const
{
    wchar_t text[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 260;
    SendMessageW(Item(IDC_LISTVIEW5), LVM_GETITEMTEXTW, row, LPARAM(&item));
    return text;
}
