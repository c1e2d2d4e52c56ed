#pragma once
// The real main window, started in-process on a settings file of the test's
// own, with a folder of files the test makes.
#include "app/MainForm.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "core/commands/CommandIds.h"
#include "core/settings/SettingsCodec.h"
#include "gui/MessageLoop.h"
#include "support/ShellTestHelpers.h"
#include "support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TFrameFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OleInitialize(nullptr);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
    }

    // Writes the settings the window starts from (defaults when not called).
    void WriteSettings(const TInitData& data) { ASSERT_TRUE(WriteWholeFile(App / L"Quirevue.qvs", EncodeSettings(data))); }

    // The settings file as the program wrote it.
    TInitData WrittenSettings()
    {
        std::vector<uint8_t> bytes = ReadWholeFile(App / L"Quirevue.qvs");
        TInitData data;
        EXPECT_FALSE(DecodeSettings(bytes.data(), bytes.size(), data).Damaged);
        return data;
    }

    TMainForm& Start()
    {
        Form = std::make_unique<TMainForm>(App / L"Quirevue.exe");
        EXPECT_TRUE(Form->Start(SW_SHOWNORMAL));
        Pump();
        return *Form;
    }
    void Pump()
    {
        ProcessPendingMessages();
        if (Form && Form->Handle()) Form->UpdateActions();
    }
    // Closing is never refused.
    void Close()
    {
        if (Form && Form->Handle()) {
            SendMessageW(Form->Handle(), WM_CLOSE, 0, 0);
            EXPECT_EQ(Form->Handle(), nullptr);
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
        Form.reset();
    }
    void TearDown() override { Close(); }

    // Opens a folder window on `folder` the way the user does.
    TSHListView& OpenWindow(const std::wstring& folder)
    {
        Form->ShellTree().SelectPath(folder);
        Form->ActionList().Execute(Cmd::NewWindow, Form->Handle());
        Pump();
        return *Form->ActiveList();
    }
    // Runs a command after an update pass; false when it was disabled.
    bool Run(int command)
    {
        Pump();
        bool ran = Form->ActionList().Execute(command, Form->Handle());
        Pump();
        return ran;
    }
    // A key through the main window's shortcut filter, with Ctrl and Alt
    // as given; true when a command took it.
    bool PressKey(WPARAM key, bool ctrl = false, bool alt = false)
    {
        BYTE keys[256] = {};
        if (ctrl) keys[VK_CONTROL] = 0x80;
        if (alt) keys[VK_MENU] = 0x80;
        SetKeyboardState(keys);
        MSG msg{GetFocus(), UINT(alt ? WM_SYSKEYDOWN : WM_KEYDOWN), key, 0};
        bool consumed = Form->PreTranslate(msg);
        BYTE none[256] = {};
        SetKeyboardState(none);
        Pump();
        return consumed;
    }
    // The row of the object with that name in the list; -1 when none.
    int RowOf(TSHListView& list, const std::wstring& name)
    {
        for (int i = 0; i < list.FileList().Count(); ++i)
            if (list.FileList().Rows(i)->GetFileName() == name) return i;
        return -1;
    }
    // Selects exactly the objects named (by file name), leaving the focus
    // where it is.
    void SelectNamed(TSHListView& list, const std::set<std::wstring>& names)
    {
        list.SelectAll(false);
        for (int i = 0; i < list.FileList().Count(); ++i)
            if (names.count(list.FileList().Rows(i)->GetFileName())) list.SetSelected(i, true);
    }
    // Focuses the list and selects exactly the objects named.
    void SelectOnly(TSHListView& list, const std::set<std::wstring>& names)
    {
        SetFocus(list.ListHandle());
        SelectNamed(list, names);
        for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) list.SetFocusedIndex(row);
        Pump();
    }
    // A folder in the test's data folder with sub-folders and files of ten
    // bytes.
    std::wstring MakeFolder(const std::wstring& name, std::initializer_list<const wchar_t*> folders,
                            std::initializer_list<const wchar_t*> files)
    {
        std::wstring root = Data / name;
        CreateDirectoryW(root.c_str(), nullptr);
        for (const wchar_t* folder : folders) CreateDirectoryW((root + L"\\" + folder).c_str(), nullptr);
        for (const wchar_t* file : files) MakeFile(root + L"\\" + file, 10);
        return root;
    }
    TAction& Action(int command)
    {
        Pump();
        return *Form->ActionList().Find(command);
    }

    TTempFolder App, Data;
    std::unique_ptr<TMainForm> Form;
};
