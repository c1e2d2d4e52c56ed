// Shell commands on sets of items, against files in folders the tests make:
// cut, copy and paste through the clipboard, finding menu commands by verb
// or caption, and the commands that run through the shell's own menu.
#include "../support/TempFolder.h"
#include "fileops/OwnVerbs.h"
#include "gui/Handles.h"
#include "shell/ShellClipboard.h"
#include "shell/ShellCommand.h"

#include "../support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Names = std::set<std::wstring>;

const std::vector<uint8_t> kSmall = {'a', 'b', 'c'};
const std::vector<uint8_t> kJapanese = {0x93, 0xfa, 0x96, 0x7b, '\r', '\n'};  // Shift-JIS text

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// The items named in a folder, as a set whose parent is the folder.
void ItemsOf(TSHIDList2& set, const std::wstring& folder, const std::vector<std::wstring>& names)
{
    TIDListPtr parent = PathToIDList(folder);
    ASSERT_TRUE(parent);
    set.SetParent(parent.release());
    for (const std::wstring& name : names) {
        TIDListPtr absolute = PathToIDList(folder + L"\\" + name);
        ASSERT_TRUE(absolute) << NameOf(name);
        set.AddOwned(GetLastItem(absolute.get()));
    }
}

// A folder as the one item of a set whose parent is the folder's parent:
// how the list and the tree name the folder to paste into.
void FolderAsItem(TSHIDList2& set, const std::wstring& folder)
{
    TIDListPtr absolute = PathToIDList(folder);
    ASSERT_TRUE(absolute);
    ASSERT_GE(GetIDListLevel(absolute.get()), 2);
    set.SetParent(GetParentIDList(absolute.get()));
    set.AddOwned(GetLastItem(absolute.get()));
}

// A window of the test's own to own what it puts on the clipboard.
class TClipboardWindow {
public:
    TClipboardWindow()
        : Window(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~TClipboardWindow() { DestroyWindow(Window); }
    HWND Window;
};

void PutTextOnClipboard(const std::wstring& text)
{
    TClipboardWindow owner;
    ASSERT_TRUE(OpenClipboard(owner.Window));
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    EXPECT_TRUE(SetClipboardData(CF_UNICODETEXT, block));
    CloseClipboard();
}

std::wstring TextOnClipboard()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

std::vector<uint8_t> ClipboardBytes(const wchar_t* formatName)
{
    std::vector<uint8_t> bytes;
    UINT format = RegisterClipboardFormatW(formatName);
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        auto* data = static_cast<const uint8_t*>(GlobalLock(block));
        bytes.assign(data, data + GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

uint32_t UInt32At(const std::vector<uint8_t>& bytes, size_t at)
{
    uint32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

class ShellCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    // For tests that expect no dialog: one that comes anyway (say, a
    // question about a name clash) is cancelled and fails the test instead
    // of blocking it.
    void RefuseDialogs() { Guard.emplace(IDCANCEL); }
    void TearDown() override
    {
        if (Guard) {
            EXPECT_EQ(Guard->Count(), 0) << "a dialog was shown";
        }
    }

    // a.txt, a Japanese name, a name outside code page 932, and a folder
    // with a file inside.
    void MakeSources()
    {
        ASSERT_TRUE(WriteWholeFile(Source / L"a.txt", kSmall));
        ASSERT_TRUE(WriteWholeFile(Source / Japanese, kJapanese));
        ASSERT_TRUE(WriteWholeFile(Source / Accented, kSmall));
        ASSERT_TRUE(CreateDirectoryW((Source / L"sub").c_str(), nullptr));
        ASSERT_TRUE(WriteWholeFile(Source / L"sub\\inner.bin", kJapanese));
    }

    std::vector<std::wstring> SourceNames() const { return {L"a.txt", Japanese, Accented, L"sub"}; }

    void ExpectCopiesIn(const std::wstring& folder)
    {
        EXPECT_EQ(ReadWholeFile(folder + L"\\a.txt"), kSmall);
        EXPECT_EQ(ReadWholeFile(folder + L"\\" + Japanese), kJapanese);
        EXPECT_EQ(ReadWholeFile(folder + L"\\" + Accented), kSmall);
        EXPECT_EQ(ReadWholeFile(folder + L"\\sub\\inner.bin"), kJapanese);
    }

    bool Paste(const std::wstring& folder)
    {
        TSHIDList2 target;
        FolderAsItem(target, folder);
        return RunShellCommand(nullptr, target, TShellCommand::scPaste);
    }

    bool Run(const std::vector<std::wstring>& names, TShellCommand command)
    {
        TSHIDList2 items;
        ItemsOf(items, Source.Path(), names);
        return RunShellCommand(nullptr, items, command);
    }

    TTempFolder Source, Target, Other;
    std::optional<TDialogAnswerer> Guard;
    const std::wstring Japanese = Utf8Path("日本語の名前.txt");
    const std::wstring Accented = Utf8Path("café.txt");
};

TEST_F(ShellCommandTest, CutAndCopyPutTheShellFormatsOnTheClipboard)
{
    RefuseDialogs();
    MakeSources();
    const struct {
        TShellCommand command;
        uint32_t effect;
        bool move;
    } cases[] = {
        {TShellCommand::scCopy, DROPEFFECT_COPY | DROPEFFECT_LINK, false},
        {TShellCommand::scCut, DROPEFFECT_MOVE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.move ? "cut" : "copy");
        PutTextOnClipboard(L"before");
        ASSERT_TRUE(Run({L"a.txt", Japanese, L"sub"}, c.command));
        EXPECT_TRUE(ClipboardHasFiles());
        EXPECT_EQ(TextOnClipboard(), L"");

        bool move = !c.move;
        Names files;
        for (const std::wstring& path : ClipboardFiles(&move)) files.insert(NameOf(path));
        EXPECT_EQ(files, (Names{L"a.txt", Japanese, L"sub"}));
        EXPECT_EQ(move, c.move);
        EXPECT_EQ(UInt32At(ClipboardBytes(L"Preferred DropEffect"), 0), c.effect);

        // The item list array names the same objects: its parent joined with
        // each item resolves to the file's path.
        std::vector<uint8_t> array = ClipboardBytes(L"Shell IDList Array");
        ASSERT_EQ(UInt32At(array, 0), 3u);
        auto listAt = [&array](size_t index) {
            return reinterpret_cast<PCIDList>(array.data() + UInt32At(array, 4 * (index + 1)));
        };
        Names named;
        for (size_t i = 1; i <= 3; ++i) {
            TIDListPtr absolute(ConcatIDLists(listAt(0), listAt(i)));
            std::wstring path;
            EXPECT_TRUE(IDListToPath(absolute.get(), path));
            named.insert(NameOf(path));
        }
        EXPECT_EQ(named, files);
    }
}

TEST_F(ShellCommandTest, CopyThenPasteCopiesTheFilesAndStaysOnTheClipboard)
{
    RefuseDialogs();
    MakeSources();
    ASSERT_TRUE(Run(SourceNames(), TShellCommand::scCopy));
    ASSERT_TRUE(Paste(Target.Path()));
    ExpectCopiesIn(Target.Path());
    ExpectCopiesIn(Source.Path());

    // A copy can be pasted again, elsewhere.
    ASSERT_TRUE(Paste(Other.Path()));
    ExpectCopiesIn(Other.Path());
    EXPECT_TRUE(ClipboardHasFiles());
}

TEST_F(ShellCommandTest, CutThenPasteMovesTheFilesAndASecondPasteDoesNothing)
{
    RefuseDialogs();
    MakeSources();
    ASSERT_TRUE(Run(SourceNames(), TShellCommand::scCut));
    // Cutting alone changes nothing on disk.
    EXPECT_EQ(FolderContents(Source.Path()).size(), 4u);

    ASSERT_TRUE(Paste(Target.Path()));
    ExpectCopiesIn(Target.Path());
    EXPECT_EQ(FolderContents(Source.Path()), Names{});
    EXPECT_FALSE(ClipboardHasFiles());

    EXPECT_FALSE(Paste(Other.Path()));
    EXPECT_EQ(FolderContents(Other.Path()), Names{});
    EXPECT_EQ(FolderContents(Target.Path()).size(), 4u);
}

TEST_F(ShellCommandTest, CutPastedIntoItsOwnFolderLeavesEverythingAsItWas)
{
    RefuseDialogs();
    MakeSources();
    ASSERT_TRUE(Run({L"a.txt"}, TShellCommand::scCut));
    EXPECT_FALSE(Paste(Source.Path()));
    EXPECT_EQ(ReadWholeFile(Source / L"a.txt"), kSmall);
    EXPECT_EQ(FolderContents(Source.Path()).size(), 4u);
    // The cut is still there to be pasted somewhere else.
    ASSERT_TRUE(Paste(Target.Path()));
    EXPECT_EQ(FolderContents(Target.Path()), Names{L"a.txt"});
}

TEST_F(ShellCommandTest, APasteThatCannotBeDoneIsToldOnce)
{
    MakeSources();
    ASSERT_TRUE(Run({L"sub"}, TShellCommand::scCut));
    TDialogAnswerer answerer(IDOK);
    EXPECT_FALSE(PasteFromClipboard(nullptr, Source / L"sub"));
    EXPECT_EQ(answerer.Count(), 1);
    EXPECT_NE(answerer.Text.find(L"サブフォルダ"), std::wstring::npos) << answerer.Text;
    EXPECT_EQ(FolderContents(Source / L"sub"), Names{L"inner.bin"});
}

TEST_F(ShellCommandTest, PasteWithOnlyTextOnTheClipboardDoesNothing)
{
    RefuseDialogs();
    PutTextOnClipboard(L"C:\\windows\\win.ini");
    EXPECT_FALSE(ClipboardHasFiles());
    EXPECT_FALSE(Paste(Target.Path()));
    EXPECT_FALSE(PasteFromClipboard(nullptr, Target.Path()));
    EXPECT_EQ(FolderContents(Target.Path()), Names{});
    EXPECT_EQ(TextOnClipboard(), L"C:\\windows\\win.ini");
}

TEST_F(ShellCommandTest, CommandsWithoutTheirCapabilityOrTargetAreRefused)
{
    RefuseDialogs();
    MakeSources();
    // My Computer, seen from the desktop: no file-system object at all.
    TSHIDList2 computer;
    computer.SetParent(CopyIDList(SpecialFolderIDList(CSIDL_DESKTOP)));
    computer.AddOwned(CopyIDList(SpecialFolderIDList(CSIDL_DRIVES)));
    ASSERT_NE(computer.Items(0), nullptr);
    TSHIDList empty;
    TSHIDList2 file;
    ItemsOf(file, Source.Path(), {L"a.txt"});

    const struct {
        const char* what;
        TSHIDList* items;
        TShellCommand command;
    } cases[] = {
        {"copy of nothing", &empty, TShellCommand::scCopy},
        {"cut of nothing", &empty, TShellCommand::scCut},
        {"delete of nothing", &empty, TShellCommand::scDelete},
        {"copy of My Computer", &computer, TShellCommand::scCopy},
        {"cut of My Computer", &computer, TShellCommand::scCut},
        {"paste into My Computer", &computer, TShellCommand::scPaste},
        {"paste into a file", &file, TShellCommand::scPaste},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Files are on the clipboard, so that only the target can be at fault.
        TSHIDList2 copied;
        ItemsOf(copied, Source.Path(), {L"sub"});
        ASSERT_TRUE(RunShellCommand(nullptr, copied, TShellCommand::scCopy));
        EXPECT_FALSE(RunShellCommand(nullptr, *c.items, c.command));
        // The clipboard still holds what was there.
        Names files;
        for (const std::wstring& path : ClipboardFiles()) files.insert(NameOf(path));
        EXPECT_EQ(files, Names{L"sub"});
    }
    EXPECT_EQ(FolderContents(Source.Path()).size(), 4u);
    EXPECT_EQ(ReadWholeFile(Source / L"a.txt"), kSmall);
}

// A context menu of the test's own: items with or without verbs.
class TFakeMenu : public IContextMenu {
public:
    struct Item {
        const wchar_t* Caption;  // null for a separator
        const char* Verb;        // null when the handler names none
        UINT State;
    };
    explicit TFakeMenu(std::vector<Item> items, int defaultIndex = -1)
        : Items(std::move(items)), DefaultIndex(defaultIndex)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT, UINT first, UINT, UINT) override
    {
        for (size_t i = 0; i < Items.size(); ++i) {
            const Item& item = Items[i];
            if (!item.Caption) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else AppendMenuW(menu, MF_STRING | item.State, first + i, item.Caption);
        }
        if (DefaultIndex >= 0) SetMenuDefaultItem(menu, first + UINT(DefaultIndex), FALSE);
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, Items.size());
    }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR offset, UINT type, UINT*, LPSTR name, UINT size) override
    {
        if (offset >= Items.size() || !Items[offset].Verb) return E_INVALIDARG;
        const char* verb = Items[offset].Verb;
        if (type == GCS_VERBW) {
            auto* wide = reinterpret_cast<wchar_t*>(name);
            UINT i = 0;
            for (; verb[i] && i + 1 < size; ++i) wide[i] = wchar_t(verb[i]);
            wide[i] = 0;
            return S_OK;
        }
        if (type == GCS_VERBA) {
            lstrcpynA(name, verb, int(size));
            return S_OK;
        }
        return E_NOTIMPL;
    }

    std::vector<Item> Items;
    int DefaultIndex;
};

TEST(ShellMenuCommand, FindsTheCommandByVerbThenByCaption)
{
    using Item = TFakeMenu::Item;
    const struct {
        const char* what;
        std::vector<Item> items;
        int defaultIndex;
        TShellCommand command;
        int expected;  // index of the item, -1 for none
    } cases[] = {
        {"verb, whatever the caption",
         {{L"開く(&O)", "open", 0}, {L"Remove", "delete", 0}}, 0, TShellCommand::scDelete, 1},
        {"the verb wins over an earlier caption of another verb",
         {{L"削除(&D)", "shred", 0}, {L"消す(&X)", "delete", 0}}, -1, TShellCommand::scDelete, 1},
        {"a caption counts only where no verb is named",
         {{L"削除(&D)", "shred", 0}}, -1, TShellCommand::scDelete, -1},
        {"caption when no verb is named",
         {{L"開く(&O)", nullptr, 0}, {L"プロパティ(&R)...", nullptr, 0}}, -1, TShellCommand::scProperties, 1},
        {"verbs compare without case",
         {{L"x", "Properties", 0}}, -1, TShellCommand::scProperties, 0},
        {"disabled and grayed items are passed over",
         {{L"a", "link", MF_GRAYED}, {L"b", "link", MF_DISABLED}, {L"ショートカットの作成(&S)", nullptr, 0}}, -1,
         TShellCommand::scCreateShortcut, 2},
        {"separators are passed over",
         {{nullptr, nullptr, 0}, {L"削除(&D)", nullptr, 0}}, -1, TShellCommand::scDelete, 1},
        {"a caption that is only similar does not count",
         {{L"削除", nullptr, 0}, {L"プロパティ(&P)", nullptr, 0}}, -1, TShellCommand::scDelete, -1},
        {"default item for the default command",
         {{L"印刷(&P)", "print", 0}, {L"編集(&E)", "edit", 0}}, 1, TShellCommand::scDefault, 1},
        {"open when there is no default item",
         {{L"印刷(&P)", "print", 0}, {L"開く(&O)", "open", 0}}, -1, TShellCommand::scDefault, 1},
        {"a disabled default item falls back to open",
         {{L"編集(&E)", "edit", MF_GRAYED}, {L"開く", "open", 0}}, 0, TShellCommand::scDefault, 1},
        {"nothing that fits",
         {{L"開く(&O)", "open", 0}}, 0, TShellCommand::scProperties, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeMenu menu(c.items, c.defaultIndex);
        TMenuHandle popup(CreatePopupMenu());
        menu.QueryContextMenu(popup.Get(), 0, kShellMenuFirstCommand, kShellMenuLastCommand, CMF_EXPLORE);
        UINT expected = c.expected < 0 ? 0 : kShellMenuFirstCommand + UINT(c.expected);
        EXPECT_EQ(FindShellMenuCommand(&menu, popup.Get(), c.command), expected);
    }
}

TEST_F(ShellCommandTest, TheShellsMenuOffersEachCommandByItsVerb)
{
    MakeSources();
    TSHIDList2 items;
    ItemsOf(items, Source.Path(), {L"a.txt"});
    ComPtr<IShellFolder> folder;
    *folder.Put() = items.GetParentFolder();
    ASSERT_TRUE(folder);
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(folder->GetUIObjectOf(nullptr, 1, items.GetItemList(), IID_IContextMenu, nullptr, menu.PutVoid()), S_OK);
    TMenuHandle popup(CreatePopupMenu());
    ASSERT_TRUE(SUCCEEDED(
        menu->QueryContextMenu(popup.Get(), 0, kShellMenuFirstCommand, kShellMenuLastCommand, CMF_EXPLORE)));

    const struct {
        TShellCommand command;
        const wchar_t* verb;
    } cases[] = {
        {TShellCommand::scDefault, L"open"},
        {TShellCommand::scCut, L"cut"},
        {TShellCommand::scCopy, L"copy"},
        {TShellCommand::scCreateShortcut, L"link"},
        {TShellCommand::scDelete, L"delete"},
        {TShellCommand::scProperties, L"properties"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.verb)));
        UINT id = FindShellMenuCommand(menu.Get(), popup.Get(), c.command);
        ASSERT_NE(id, 0u);
        wchar_t verb[MAX_PATH] = {};
        menu->GetCommandString(id - kShellMenuFirstCommand, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(verb),
                               MAX_PATH);
        EXPECT_EQ(_wcsicmp(verb, c.verb), 0);
    }
}

TEST_F(ShellCommandTest, DefaultCommandOpensTheItem)
{
    // A batch file's default verb runs it; this one leaves a mark beside itself.
    const std::string script = "@echo opened> \"%~dp0opened.txt\"\r\n";
    ASSERT_TRUE(WriteWholeFile(Source / L"open me.bat", {script.begin(), script.end()}));
    ASSERT_TRUE(Run({L"open me.bat"}, TShellCommand::scDefault));
    for (int i = 0; i < 500 && !FileExists(Source / L"opened.txt"); ++i) Sleep(20);
    EXPECT_TRUE(FileExists(Source / L"opened.txt"));
}

TEST_F(ShellCommandTest, CreateShortcutReportsWhetherAShortcutWasMade)
{
    RefuseDialogs();
    MakeSources();
    Names before = FolderContents(Source.Path());
    bool made = Run({L"a.txt"}, TShellCommand::scCreateShortcut);
    Names after = FolderContents(Source.Path());
    Names added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::inserter(added, added.end()));
    // Some shells list the command but cannot run it; then nothing appears.
    if (made) {
        ASSERT_EQ(added.size(), 1u);
        EXPECT_TRUE(added.begin()->ends_with(L".lnk"));
    } else {
        EXPECT_EQ(added, Names{});
    }
    EXPECT_EQ(ReadWholeFile(Source / L"a.txt"), kSmall);
}

TEST_F(ShellCommandTest, DeleteRemovesTheItemsOnceConfirmed)
{
    MakeSources();
    TDialogAnswerer answerer(IDYES);
    EXPECT_TRUE(Run({L"a.txt", Japanese}, TShellCommand::scDelete));
    EXPECT_FALSE(FileExists(Source / L"a.txt"));
    EXPECT_FALSE(FileExists(Source / Japanese));
    EXPECT_TRUE(FileExists(Source / Accented));
}

TEST_F(ShellCommandTest, PropertiesShowsASheet)
{
    MakeSources();
    TDialogAnswerer answerer(IDCANCEL);
    EXPECT_TRUE(Run({L"a.txt"}, TShellCommand::scProperties));
    // Some shells show the sheet modally, others from a thread of their own.
    EXPECT_TRUE(answerer.WaitForAnswer(std::chrono::seconds(10)));
}

}  // namespace
