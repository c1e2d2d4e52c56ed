// The plug-ins we ship and the host, with the real DLLs: the full 00IN
// interface of our plug-ins, and the host's defences against plug-ins that
// misbehave (built by the tests).
#include "viewer/SusiePlug.h"

#include "core/viewer/DibLayout.h"
#include "core/viewer/PeImage.h"
#include "support/PictureFiles.h"
#include "viewer/DllSearch.h"
#include "ViewerTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using TGetPluginInfo = int(WINAPI*)(int, LPSTR, int);
using TIsSupported = int(WINAPI*)(LPCSTR, ULONG_PTR);
using TGetPictureInfo = int(WINAPI*)(LPCSTR, LONG_PTR, unsigned, void*);
using TGetPicture = int(WINAPI*)(LPCSTR, LONG_PTR, unsigned, HLOCAL*, HLOCAL*, TSusieProgressProc, LONG_PTR);

struct TProgressLog {
    int Calls = 0;
    int AbortAt = -1;  // call number that answers "stop"
};

int WINAPI CountProgress(int, int, LONG_PTR user)
{
    auto* log = reinterpret_cast<TProgressLog*>(user);
    return ++log->Calls == log->AbortAt ? 1 : 0;
}

// Our plug-in loaded directly, as any host would.
struct TDirectPlugin {
    HMODULE Module = nullptr;
    TGetPluginInfo Info = nullptr;
    TIsSupported Supported = nullptr;
    TGetPictureInfo PictureInfo = nullptr;
    TGetPicture Picture = nullptr;
    explicit TDirectPlugin(const std::wstring& name, bool decorated = false)
    {
        Module = LoadLibraryW((ProgramDir() + L"\\" + name + kPluginExt).c_str());
        if (!Module) return;
        auto get = [&](const char* plain, const char* dec) {
            return GetProcAddress(Module, decorated ? dec : plain);
        };
        Info = reinterpret_cast<TGetPluginInfo>(get("GetPluginInfo", "GetPluginInfo@12"));
        Supported = reinterpret_cast<TIsSupported>(get("IsSupported", "IsSupported@8"));
        PictureInfo = reinterpret_cast<TGetPictureInfo>(get("GetPictureInfo", "GetPictureInfo@16"));
        Picture = reinterpret_cast<TGetPicture>(get("GetPicture", "GetPicture@28"));
    }
    ~TDirectPlugin() { if (Module) FreeLibrary(Module); }
};

struct TFormatCase {
    const wchar_t* Plugin;
    const wchar_t* File;
    bool (*Write)(const std::wstring&, int, int);
    int Depth, Dpi, Tolerance;
};

bool Jpeg(const std::wstring& p, int w, int h) { return WriteTestJpeg(p, w, h, 98, 300); }
bool Png(const std::wstring& p, int w, int h) { return WriteTestPng(p, w, h, false, 96); }
bool Bmp(const std::wstring& p, int w, int h) { return WriteTestBmp(p, w, h); }

const TFormatCase kFormats[] = {
    {L"qvbmp", L"p.bmp", Bmp, 24, 96, 0},
    {L"qvjpeg", L"p.jpg", Jpeg, 24, 300, 12},
    {L"qvpng", L"p.png", Png, 24, 96, 0},
};

TEST(OurPlugins, FullInterfaceFromMemoryAndFromFile)
{
    TTempFolder dir;
    for (const TFormatCase& f : kFormats) {
        SCOPED_TRACE(testing::Message() << f.File);
        TDirectPlugin p(f.Plugin);
        ASSERT_TRUE(p.Module && p.Info && p.Supported && p.PictureInfo && p.Picture);
        char text[256];
        EXPECT_EQ(p.Info(0, text, 255), 4);
        EXPECT_STREQ(text, "00IN");
        EXPECT_GT(p.Info(1, text, 255), 0);
        EXPECT_GT(p.Info(2, text, 255), 0);
        EXPECT_EQ(text[0], '*');
        EXPECT_GT(p.Info(3, text, 255), 0);
        EXPECT_EQ(p.Info(4, text, 255), 0);
        EXPECT_EQ(p.Info(0, text, 3), 2);  // cut to the buffer, NUL-terminated
        EXPECT_STREQ(text, "00");

        const int w = 37, h = 21;
        std::wstring path = dir / f.File;
        ASSERT_TRUE(f.Write(path, w, h));
        std::vector<uint8_t> file = ReadWholeFile(path);
        std::vector<uint8_t> head(2048, 0);
        std::memcpy(head.data(), file.data(), std::min<size_t>(file.size(), 2048));
        EXPECT_EQ(p.Supported("x", ULONG_PTR(head.data())), 1);
        std::vector<uint8_t> junk(2048, 0x42);
        EXPECT_EQ(p.Supported("x", ULONG_PTR(junk.data())), 0);
        // A file handle instead of a buffer.
        HANDLE fh = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(p.Supported("x", ULONG_PTR(fh)), 1);
        CloseHandle(fh);

        uint8_t record[32] = {};
        ASSERT_EQ(p.PictureInfo(reinterpret_cast<LPCSTR>(file.data()), LONG_PTR(file.size()), 1, record), 0);
        TPictureInfo info = ReadPictureInfo(record);
        EXPECT_EQ(info.Width, w);
        EXPECT_EQ(info.Height, h);
        EXPECT_EQ(info.XDensity, f.Dpi);
        EXPECT_EQ(info.ColorDepth, f.Depth);

        // From a file, at an offset: the same picture after 100 bytes.
        std::vector<uint8_t> padded(100 + file.size(), 0);
        std::memcpy(padded.data() + 100, file.data(), file.size());
        std::wstring offsetPath = dir / (std::wstring(L"off-") + f.File);
        ASSERT_TRUE(WriteWholeFile(offsetPath, padded));
        std::string ansiPath(offsetPath.begin(), offsetPath.end());
        for (int input = 0; input < 2; ++input) {
            HLOCAL hi = nullptr, hb = nullptr;
            TProgressLog log;
            int r = input == 0 ? p.Picture(reinterpret_cast<LPCSTR>(file.data()), LONG_PTR(file.size()), 1, &hi, &hb,
                                           CountProgress, LONG_PTR(&log))
                               : p.Picture(ansiPath.c_str(), 100, 0, &hi, &hb, CountProgress, LONG_PTR(&log));
            ASSERT_EQ(r, 0) << "input " << input;
            EXPECT_GE(log.Calls, 2);
            auto* bi = static_cast<uint8_t*>(LocalLock(hi));
            auto* bits = static_cast<uint8_t*>(LocalLock(hb));
            TDibFacts facts;
            std::string why;
            ASSERT_TRUE(CheckDib(bi, LocalSize(hi), LocalSize(hb), facts, why)) << why;
            EXPECT_FALSE(facts.TopDown);
            EXPECT_EQ(facts.Width, w);
            EXPECT_EQ(facts.BitCount, 24);
            for (int y : {0, h / 2, h - 1})
                for (int x : {0, w / 2, w - 1}) {
                    uint8_t want[3];
                    TestPixel(x, y, want);
                    const uint8_t* got = bits + facts.Stride * uint64_t(h - 1 - y) + 3 * x;
                    for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], f.Tolerance) << x << "," << y;
                }
            LocalUnlock(hi);
            LocalUnlock(hb);
            LocalFree(hi);
            LocalFree(hb);
        }
        // The progress function stops the decode; damaged data gets an error code.
        HLOCAL hi = nullptr, hb = nullptr;
        TProgressLog stop{0, 1};
        EXPECT_EQ(p.Picture(reinterpret_cast<LPCSTR>(file.data()), LONG_PTR(file.size()), 1, &hi, &hb, CountProgress,
                            LONG_PTR(&stop)), 1);
        EXPECT_EQ(hi, nullptr);
        std::vector<uint8_t> cut(file.begin(), file.begin() + 20);
        int r = p.Picture(reinterpret_cast<LPCSTR>(cut.data()), LONG_PTR(cut.size()), 1, &hi, &hb, nullptr, 0);
        EXPECT_TRUE(r == 2 || r == 3) << r;
        EXPECT_EQ(p.Picture("Z:\\no\\such\\file", 0, 0, &hi, &hb, nullptr, 0), 6);
    }
}

#if defined(__i386__)
TEST(OurPlugins, ThirtyTwoBitOnesExportDecoratedNamesToo)
{
    TDirectPlugin p(L"qvbmp", true);
    ASSERT_TRUE(p.Info && p.Supported && p.PictureInfo && p.Picture);
    char text[16];
    EXPECT_EQ(p.Info(0, text, 15), 4);
}
#endif

TEST(OurPlugins, BuiltForThisArchitectureWithOnlySystemImports)
{
    for (const TFormatCase& f : kFormats) {
        std::vector<uint8_t> image = ReadWholeFile(ProgramDir() + L"\\" + f.Plugin + kPluginExt);
#if defined(__i386__)
        EXPECT_EQ(PeMachine(image), kMachineI386);
#else
        EXPECT_EQ(PeMachine(image), kMachineAmd64);
#endif
        for (std::string dll : PeImportedDlls(image)) {
            CharUpperBuffA(dll.data(), DWORD(dll.size()));
            EXPECT_TRUE(dll == "KERNEL32.DLL" || dll == "MSVCRT.DLL" || dll == "USER32.DLL") << dll;
        }
    }
}

// A host over a folder of plug-ins that records the faults it is told of.
struct THost {
    TTempFolder Dir;
    TSusiePlugs Plugs;
    std::vector<std::wstring> Faults;
    THost() { Plugs.OnFault = [this](const std::wstring& name, const char*, DWORD) { Faults.push_back(name); }; }
    std::vector<std::wstring> Listed()
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < Plugs.Count(); ++i) names.push_back(Plugs.Items(i).FileName());
        return names;
    }
};

TEST(SusieHost, ListsOnlyUsablePluginsOfThisArchitecture)
{
    THost h;
    ASSERT_TRUE(CopyPlugin(h.Dir, true, L"qvbmp"));
    ASSERT_TRUE(CopyPlugin(h.Dir, false, L"tp_wrong_version"));
    ASSERT_TRUE(CopyPlugin(h.Dir, false, L"tp_other_arch"));
    ASSERT_TRUE(CopyPlugin(h.Dir, false, L"tp_decorated"));
    ASSERT_TRUE(WriteWholeFile(h.Dir / (std::wstring(L"not-a-dll") + kPluginExt), std::vector<uint8_t>(3000, 'M')));
    ASSERT_TRUE(CopyPlugin(h.Dir, true, L"qvpng", std::wstring(L"hidden") + kPluginExt));
    SetFileAttributesW((h.Dir / (std::wstring(L"hidden") + kPluginExt)).c_str(), FILE_ATTRIBUTE_HIDDEN);
    h.Plugs.SetFolder(h.Dir.Path());
    std::vector<std::wstring> names = h.Listed();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{std::wstring(L"qvbmp") + kPluginExt,
                                                 std::wstring(L"tp_decorated") + kPluginExt}));
    EXPECT_TRUE(h.Faults.empty());
    TSusiePlug& plug = h.Plugs.Items(0);
    ASSERT_TRUE(plug.Load());
    EXPECT_FALSE(plug.PluginName().empty());
    EXPECT_FALSE(plug.FileTypeName().empty());
    plug.Unload();
}

TEST(SusieHost, RescanLoadsOnlyNewOrChangedFilesAndFolderTextIsCaseSensitive)
{
    THost h;
    for (const wchar_t* n : {L"qvbmp", L"qvjpeg", L"qvpng"}) ASSERT_TRUE(CopyPlugin(h.Dir, true, n));
    h.Plugs.SetFolder(h.Dir.Path());
    EXPECT_EQ(h.Plugs.Count(), 3);
    EXPECT_EQ(h.Plugs.LastRescanLoads(), 3);
    h.Plugs.SetFolder(h.Dir.Path());  // same text: no scan
    EXPECT_EQ(h.Plugs.LastRescanLoads(), 3);
    h.Plugs.Rescan();
    EXPECT_EQ(h.Plugs.LastRescanLoads(), 0);
    EXPECT_EQ(h.Plugs.Count(), 3);
    // Overwritten in place with another plug-in: seen by size and time.
    ASSERT_TRUE(CopyPlugin(h.Dir, false, L"tp_wrong_version", std::wstring(L"qvpng") + kPluginExt));
    h.Plugs.Rescan();
    EXPECT_EQ(h.Plugs.LastRescanLoads(), 1);
    EXPECT_EQ(h.Plugs.Count(), 2);
    std::wstring upper = h.Dir.Path();
    CharUpperBuffW(upper.data(), DWORD(upper.size()));
    h.Plugs.SetFolder(upper);
    EXPECT_EQ(h.Plugs.Count(), 2);
    h.Plugs.SetFolder(h.Dir / L"missing");
    EXPECT_EQ(h.Plugs.Count(), 0);
}

// A faulting plug-in: the call reports "faulted", the host is told once,
// the plug-in is skipped from then on, and a replaced file is tried again.
TEST(SusieHost, FaultsInsidePluginsAreSurvivedAndSkipped)
{
    struct Case { const wchar_t* plugin; const char* entry; };
    const Case cases[] = {{L"tp_fault_is_supported", "IsSupported"},
                          {L"tp_fault_get_picture", "GetPicture"},
                          {L"tp_stack_overflow", "GetPicture"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.plugin);
        THost h;
        std::wstring name = std::wstring(c.plugin) + kPluginExt;
        ASSERT_TRUE(CopyPlugin(h.Dir, false, c.plugin));
        h.Plugs.SetFolder(h.Dir.Path());
        ASSERT_EQ(h.Plugs.Count(), 1);
        TSusiePlug& plug = h.Plugs.Items(0);
        ASSERT_TRUE(plug.Load());
        std::vector<uint8_t> data(4096, 0);
        std::memcpy(data.data(), "QVTP", 4);
        bool supported = plug.IsSupported(data.data());
        if (std::string(c.entry) == "IsSupported") {
            EXPECT_FALSE(supported);
        } else {
            ASSERT_TRUE(supported);
            HLOCAL info, bits;
            int result = 0;
            EXPECT_EQ(plug.GetPicture(data.data(), 100, info, bits, nullptr, 0, result), TPlugCall::Faulted);
        }
        EXPECT_EQ(h.Faults, std::vector<std::wstring>{name});
        EXPECT_TRUE(plug.Faulted());
        plug.Unload();
        EXPECT_FALSE(plug.Load());
        h.Plugs.Rescan();
        EXPECT_EQ(h.Plugs.Count(), 0);
        // A replacement is tried again. The faulted library stays mapped, so
        // it is moved aside first, as Windows allows for a mapped file.
        ASSERT_TRUE(MoveFileW((h.Dir / name).c_str(), (h.Dir / (name + L".old")).c_str()));
        ASSERT_TRUE(CopyPlugin(h.Dir, false, L"tp_good", name));
        h.Plugs.Rescan();
        EXPECT_EQ(h.Plugs.Count(), 1);
        EXPECT_EQ(h.Faults.size(), 1u);
    }
    // The program goes on: a second stack overflow is caught as well.
    THost again;
    ASSERT_TRUE(CopyPlugin(again.Dir, false, L"tp_stack_overflow", std::wstring(L"second") + kPluginExt));
    again.Plugs.SetFolder(again.Dir.Path());
    ASSERT_EQ(again.Plugs.Count(), 1);
    ASSERT_TRUE(again.Plugs.Items(0).Load());
    std::vector<uint8_t> data(4096, 0);
    std::memcpy(data.data(), "QVTP", 4);
    HLOCAL info, bits;
    int result = 0;
    EXPECT_EQ(again.Plugs.Items(0).GetPicture(data.data(), 100, info, bits, nullptr, 0, result), TPlugCall::Faulted);
}

TEST(SusieHost, LoadBitmapFindsTheFirstPluginThatDecodes)
{
    THost h;
    for (const wchar_t* n : {L"qvbmp", L"qvjpeg", L"qvpng"}) ASSERT_TRUE(CopyPlugin(h.Dir, true, n));
    h.Plugs.SetFolder(h.Dir.Path());
    TTempFolder pics;
    ASSERT_TRUE(WriteTestPng(pics / L"a.png", 12, 9));
    HBITMAP bitmap = nullptr;
    ASSERT_TRUE(h.Plugs.LoadBitmap(pics / L"a.png", bitmap));
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 12);
    EXPECT_EQ(bm.bmHeight, 9);
    DeleteObject(bitmap);
    ASSERT_TRUE(WriteWholeFile(pics / L"b.txt", std::vector<uint8_t>(50, 'x')));
    EXPECT_FALSE(h.Plugs.LoadBitmap(pics / L"b.txt", bitmap));
    EXPECT_FALSE(h.Plugs.LoadBitmap(pics / L"missing.png", bitmap));
}

// A DLL named like a system DLL beside the program is never loaded once
// the search is restricted; the program itself imports only DLLs the system
// always takes from System32 (comctl32 comes through the manifest).
TEST(DllSearch, PlantedSystemNamedDllIsNotLoaded)
{
    RestrictDllSearchToSystem();
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir.resize(dir.rfind(L'\\'));
    std::wstring planted = dir + L"\\mapi32.dll", marker = planted + L".loaded";
    DeleteFileW(marker.c_str());
    ASSERT_TRUE(CopyFileW((TestPluginDir() + L"\\tp_fake_system.dll").c_str(), planted.c_str(), FALSE));
    HMODULE m = LoadLibraryW(L"mapi32.dll");
    if (m) FreeLibrary(m);
    HMODULE s = LoadSystemLibrary(L"mapi32.dll");
    if (s) FreeLibrary(s);
    EXPECT_FALSE(FileExists(marker));
    DeleteFileW(planted.c_str());
    DeleteFileW(marker.c_str());

    std::vector<uint8_t> image = ReadWholeFile(ProgramDir() + L"\\Quirevue.exe");
    std::vector<std::string> imports = PeImportedDlls(image);
    ASSERT_FALSE(imports.empty());
    const char* known[] = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "SHELL32.DLL", "OLE32.DLL",
                           "OLEAUT32.DLL", "MSVCRT.DLL", "COMDLG32.DLL", "SHLWAPI.DLL", "COMCTL32.DLL",
                           "RPCRT4.DLL", "SETUPAPI.DLL", "WS2_32.DLL", "IMAGEHLP.DLL", "PSAPI.DLL", "NORMALIZ.DLL",
                           "WLDAP32.DLL", "CLBCATQ.DLL", "DIFXAPI.DLL", "IMM32.DLL", "MSCTF.DLL", "NSI.DLL",
                           "SECHOST.DLL", "COMBASE.DLL"};
    for (std::string dll : imports) {
        CharUpperBuffA(dll.data(), DWORD(dll.size()));
        EXPECT_TRUE(std::find(std::begin(known), std::end(known), dll) != std::end(known))
            << dll << " is no known DLL: load it at run time from System32";
    }
}

}  // namespace
