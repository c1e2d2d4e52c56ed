// The compiled help file as the help viewer reads it, through the system's
// storage of compiled help (ITSS): each context of the map finds its topic
// inside the file. A second reader besides chmls, and the one the viewer
// itself uses.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "ViewerTestSupport.h"
#include "gui/Handles.h"

// The ITSS storage interface; the mingw headers do not declare it. It stays
// outside the anonymous namespace: inside it, GCC sees no class implementing
// it and compiles the calls through it into jumps to nowhere.
const CLSID CLSID_ITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID IID_IITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

std::string ReadStream(IStorage* storage, const std::wstring& name)
{
    ComPtr<IStream> stream;
    if (FAILED(storage->OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put()))) return {};
    std::string bytes;
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) bytes.append(buffer, read);
    return bytes;
}

uint32_t Dword(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(HelpFile, EveryContextOpensItsTopic)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        ComPtr<IITStorage> itss;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ITStorage, nullptr, CLSCTX_INPROC_SERVER, IID_IITStorage,
                                               itss.PutVoid())));
        ComPtr<IStorage> chm;
        std::wstring file = ProgramDir() + L"\\Quirevue.chm";
        ASSERT_TRUE(SUCCEEDED(itss->StgOpenStorage(file.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, chm.Put())))
            << "cannot open the help file";

        // #IVB: its length, then pairs of a context and an offset into #STRINGS.
        std::string ivb = ReadStream(chm.Get(), L"#IVB");
        std::string strings = ReadStream(chm.Get(), L"#STRINGS");
        ASSERT_GE(ivb.size(), 4u);
        ASSERT_EQ(Dword(ivb, 0), ivb.size() - 4);
        std::map<int, std::string> compiled;
        for (size_t at = 4; at + 8 <= ivb.size(); at += 8) {
            uint32_t offset = Dword(ivb, at + 4);
            ASSERT_LT(offset, strings.size());
            compiled[int(Dword(ivb, at))] = strings.c_str() + offset;
        }

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
            std::string topic = ReadStream(chm.Get(), std::wstring(it->second.begin(), it->second.end()));
            EXPECT_EQ(topic.rfind("<!DOCTYPE", 0), 0u) << "context " << context << ": no topic at " << it->second;
        }
        EXPECT_GT(mapped, 90u);
        EXPECT_EQ(compiled.size(), mapped);
    }
    CoUninitialize();
}

} // namespace
