// The compiled help file as the help viewer reads it, through the system's
// storage of compiled help (ITSS): each context of the map finds its topic
// inside the file. A second reader besides chmls, and the one the viewer
// itself uses.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "CompiledHelpMap.h"
#include "ViewerTestSupport.h"
#include "help/HtmlHelp.h"
#include "support/ShellTestHelpers.h"

namespace {

TEST(HelpFile, EveryContextOpensItsTopic)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        TCompiledHelp chm(ProgramDir() + L"\\Quirevue.chm");
        ASSERT_TRUE(chm.Opened()) << "cannot open the help file";
        bool sound = false;
        std::map<int, std::string> compiled = chm.ContextMap(sound);
        ASSERT_TRUE(sound) << "the context map's lengths or offsets are wrong";

        std::string source = QV_FIXTURES;
        std::ifstream ali(source.substr(0, source.rfind("/tests/")) + "/help/Quirevue.ali");
        const std::regex alias(R"(^IDH_([0-9]+)=(\S+)\s*$)");
        std::string line;
        std::smatch m;
        size_t mapped = 0;
        while (std::getline(ali, line)) {
            if (!std::regex_match(line, m, alias)) continue;
            ++mapped;
            int context = std::stoi(m[1]);
            auto it = compiled.find(context);
            if (it == compiled.end()) {
                ADD_FAILURE() << "context " << context << " is not in the compiled map";
                continue;
            }
            EXPECT_EQ(it->second, m[2].str()) << "context " << context;
            std::string topic = chm.Read(std::wstring(it->second.begin(), it->second.end()));
            EXPECT_EQ(topic.rfind("<!DOCTYPE", 0), 0u) << "context " << context << ": no topic at " << it->second;
        }
        EXPECT_GT(mapped, 90u);
        EXPECT_EQ(compiled.size(), mapped);
    }
    CoUninitialize();
}

} // namespace

namespace {

struct TViewerSearch {
    HWND Found = nullptr;
};

BOOL CALLBACK FindViewer(HWND wnd, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    if (process == GetCurrentProcessId() && IsWindowVisible(wnd) && lstrcmpW(cls, L"HH Parent") == 0) {
        reinterpret_cast<TViewerSearch*>(param)->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

// The platform's own viewer opens the shipped file at a context (on some
// platforms its content pane stays blank: which topic it shows is the
// compiled map's part, checked above).
TEST(HelpFile, ViewerOpensTheFileAtAContext)
{
    OpenHelpTopic(ProgramDir() + L"\\Quirevue.chm", 9030);
    TViewerSearch search;
    EXPECT_TRUE(PumpUntil([&search] {
        EnumWindows(FindViewer, LPARAM(&search));
        return search.Found != nullptr;
    }, 10000));
    if (!search.Found) return;
    wchar_t title[128] = {};
    GetWindowTextW(search.Found, title, 128);
    EXPECT_STREQ(title, L"Quirevue ヘルプ");
    SendMessageW(search.Found, WM_CLOSE, 0, 0);
}

} // namespace
