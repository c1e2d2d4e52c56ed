// The icon commands on the real main window: the icon browser over a
// library's icons and a plain file, icons and bitmaps saved as real files
// and read back, and a folder's own icon in its "desktop.ini".
#include "FrameFixture.h"
#include "Screenshot.h"
#include "core/fileops/IconFile.h"
#include "dialogs/IconBrowser.h"
#include "fileops/FolderIcon.h"
#include "fileops/IconFiles.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"
#include "support/DialogAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiTestHelpers.h"

#include <cstring>
#include <vector>

namespace {

class IconCommandsTest : public TFrameFixture {
protected:
    // A folder with a copy of the system's icon library, a text file and a
    // sub-folder.
    std::wstring MakeIconFolder()
    {
        std::wstring folder = MakeFolder(L"icons", {L"folder"}, {L"note.txt"});
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        EXPECT_TRUE(CopyFileW((std::wstring(system) + L"\\shell32.dll").c_str(), (folder + L"\\lib.dll").c_str(), FALSE));
        return folder;
    }
    // Resource names as FindResource takes them ("#12" for a number).
    static BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list)
    {
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(
            IS_INTRESOURCE(name) ? L"#" + std::to_wstring(ULONG_PTR(name)) : std::wstring(name));
        return TRUE;
    }
    // How many images the library's icon group number `index` holds.
    static size_t GroupImages(const std::wstring& file, int index)
    {
        HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        std::vector<std::wstring> names;
        EnumResourceNamesW(module, RT_GROUP_ICON, &IconCommandsTest::AddName, LONG_PTR(&names));
        size_t count = 0;
        if (size_t(index) < names.size()) {
            HRSRC found = FindResourceW(module, names[size_t(index)].c_str(), RT_GROUP_ICON);
            auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
            if (auto group = ReadIconGroup({bytes, SizeofResource(module, found)})) count = group->size();
        }
        FreeLibrary(module);
        return count;
    }
    static int ListCount(HWND dialog) { return int(SendDlgItemMessageW(dialog, IDC_ICONLIST, LVM_GETITEMCOUNT, 0, 0)); }
};

}  // namespace

TEST_F(IconCommandsTest, TheBrowserShowsEveryIconAndSavesRealIconsAndBitmaps)
{
    std::wstring folder = MakeIconFolder();
    TMainForm& form = Start();
    TSHListView& list = OpenWindow(folder);
    std::wstring library = folder + L"\\lib.dll";
    int icons = IconCountOf(library);
    ASSERT_GT(icons, 2);

    // Through the command: every icon of the library; the plain file has
    // the one shell icon.
    int shown = -1;
    bool saveEnabled = true;
    SelectOnly(list, {L"lib.dll"});
    {
        TDialogDriver driver(L"アイコンの参照", [&](HWND dialog) {
            shown = ListCount(dialog);
            saveEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ICONSAVE));
            TDialogDriver::Press(dialog, IDCANCEL);
        });
        ASSERT_TRUE(Run(Cmd::BrowseIcons));
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(shown, icons);
    EXPECT_FALSE(saveEnabled);
    SelectOnly(list, {L"note.txt"});
    {
        TDialogDriver driver(L"アイコンの参照", [&](HWND dialog) {
            shown = ListCount(dialog);
            TDialogDriver::Press(dialog, IDCANCEL);
        });
        ASSERT_TRUE(Run(Cmd::BrowseIcons));
    }
    EXPECT_EQ(shown, 1);

    // The second icon saved: an icon file with every image of its group,
    // and a bitmap of it drawn on white.
    TSubForm06010 browser(form.Handle(), library);
    ASSERT_TRUE(browser.Create());
    browser.Icons().Select(1);
    browser.UpdateControls();
    EXPECT_TRUE(IsWindowEnabled(browser.Item(IDC_ICONSAVE)));
    PumpFor(200);
    SaveScreenshot("icon-browser");
    std::wstring ico = Data / L"second.ico", bmp = Data / L"second.bmp";
    ASSERT_EQ(browser.SaveSelected(ico, 1), 0u);
    ASSERT_EQ(browser.SaveSelected(bmp, 2), 0u);
    browser.PressCancel();

    std::vector<uint8_t> icoBytes = ReadWholeFile(ico);
    auto images = ReadIconFile(icoBytes);
    ASSERT_TRUE(images);
    EXPECT_EQ(images->size(), GroupImages(library, 1));
    EXPECT_GT(images->size(), 1u);  // a group of several sizes and depths
    HICON loaded = HICON(LoadImageW(nullptr, ico.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    EXPECT_TRUE(loaded);
    if (loaded) DestroyIcon(loaded);

    std::vector<uint8_t> bmpBytes = ReadWholeFile(bmp);
    ASSERT_GT(bmpBytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(bmpBytes[0], 'B');
    EXPECT_EQ(bmpBytes[1], 'M');
    BITMAPINFOHEADER info;
    std::memcpy(&info, bmpBytes.data() + sizeof(BITMAPFILEHEADER), sizeof info);
    EXPECT_EQ(info.biWidth, 32);
    EXPECT_EQ(info.biBitCount, 24);
    HBITMAP picture = HBITMAP(LoadImageW(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_TRUE(picture);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    // A corner outside the icon's shape is the named background.
    EXPECT_EQ(GetPixel(dc, 0, 0), kIconBitmapBackground);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
}

TEST_F(IconCommandsTest, AFolderGetsItsIconThroughOurPickerAndAFileIsTold)
{
    std::wstring folder = MakeIconFolder();
    TMainForm& form = Start();
    (void)form;
    TSHListView& list = OpenWindow(folder);
    std::wstring target = folder + L"\\folder";

    // Cancelling the picker writes nothing, not even the icon size.
    const wchar_t kMetrics[] = L"Control Panel\\Desktop\\WindowMetrics";
    auto iconSize = [&] {
        wchar_t size[16] = {};
        DWORD bytes = sizeof size;
        RegGetValueW(HKEY_CURRENT_USER, kMetrics, L"Shell Icon Size", RRF_RT_REG_SZ, nullptr, size, &bytes);
        return std::wstring(size);
    };
    // The prefix is shared with the other tests: the value is put back.
    struct TRestoreValue {
        const wchar_t* Key;
        std::wstring Old;
        ~TRestoreValue()
        {
            if (Old.empty()) RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"Shell Icon Size");
            else RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"Shell Icon Size", REG_SZ, Old.c_str(), DWORD((Old.size() + 1) * 2));
        }
    } restore{kMetrics, iconSize()};
    RegSetKeyValueW(HKEY_CURRENT_USER, kMetrics, L"Shell Icon Size", REG_SZ, L"30", 6);
    SelectOnly(list, {L"folder"});
    {
        TDialogAnswerer cancel(IDCANCEL);
        ASSERT_TRUE(Run(Cmd::ChangeFolderIcon));
        EXPECT_EQ(cancel.Caption, L"アイコンの変更");
    }
    EXPECT_FALSE(FileExists(DesktopIniPath(target)));
    EXPECT_EQ(iconSize(), L"30");

    // This shell's picker answers without showing anything: ours chooses.
    {
        TDialogDriver driver(L"アイコンの変更", [&](HWND dialog) {
            LVITEMW item{};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendDlgItemMessageW(dialog, IDC_ICONLIST, LVM_SETITEMSTATE, 3, LPARAM(&item));
            Sleep(100);
            TDialogDriver::Press(dialog, IDOK);
        });
        ASSERT_TRUE(Run(Cmd::ChangeFolderIcon));
        EXPECT_TRUE(driver.Done());
    }
    std::vector<uint8_t> ini = ReadWholeFile(DesktopIniPath(target));
    ASSERT_GT(ini.size(), 2u);
    EXPECT_EQ(ini[0], 0xFF);
    EXPECT_EQ(ini[1], 0xFE);
    std::wstring text(reinterpret_cast<const wchar_t*>(ini.data() + 2), (ini.size() - 2) / 2);
    EXPECT_NE(text.find(L"[.ShellClassInfo]"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"IconFile=" + DefaultIconLibrary()), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"IconIndex=3"), std::wstring::npos) << text;
    // The folder became a system folder, so that the shell reads the file.
    EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_SYSTEM);
    // The shell's icons were reloaded: the icon size is back where it was.
    EXPECT_EQ(iconSize(), L"30");

    // A file has no icon of its own to record: the command says so.
    SelectOnly(list, {L"note.txt"});
    {
        TDialogAnswerer ok(IDOK);
        ASSERT_TRUE(Run(Cmd::ChangeFolderIcon));
        EXPECT_EQ(ok.Text, L"フォルダ アイコンは、ファイル システムのフォルダにだけ設定できます。");
    }
}

TEST_F(IconCommandsTest, AFolderWhoseDesktopIniCannotBeWrittenIsTold)
{
    std::wstring folder = MakeFolder(L"blocked", {L"folder", L"folder\\desktop.ini"}, {});
    EXPECT_NE(WriteFolderIcon(folder + L"\\folder", DefaultIconLibrary(), 1), 0u);
    EXPECT_TRUE(DirectoryExists(folder + L"\\folder\\desktop.ini"));
}
