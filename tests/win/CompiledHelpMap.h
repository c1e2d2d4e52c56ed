#pragma once
// The compiled help file as the help viewer reads it, through the system's
// storage of compiled help (ITSS): its context map (#IVB and #STRINGS) and
// the files inside it.
#include <windows.h>
#include <objbase.h>

#include <map>
#include <string>

#include "gui/Handles.h"

// The ITSS storage interface; the mingw headers do not declare it. It stays
// outside any anonymous namespace: inside one, GCC sees no class
// implementing it and compiles the calls through it into jumps to nowhere.
inline const CLSID CLSID_ITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
inline const IID IID_IITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

class TCompiledHelp {
public:
    // COM must be initialised by the caller.
    explicit TCompiledHelp(const std::wstring& file)
    {
        ComPtr<IITStorage> itss;
        if (SUCCEEDED(CoCreateInstance(CLSID_ITStorage, nullptr, CLSCTX_INPROC_SERVER, IID_IITStorage, itss.PutVoid())))
            itss->StgOpenStorage(file.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, Storage.Put());
    }
    bool Opened() const { return Storage.Get() != nullptr; }

    // A file inside, whole; empty when it is not there.
    std::string Read(const std::wstring& name) const
    {
        ComPtr<IStream> stream;
        if (!Storage || FAILED(Storage->OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                                   stream.Put())))
            return {};
        std::string bytes;
        char buffer[4096];
        ULONG read = 0;
        while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) bytes.append(buffer, read);
        return bytes;
    }

    // Context number -> the target the viewer looks up. `sound` turns false
    // when the map's own lengths or offsets do not hold.
    std::map<int, std::string> ContextMap(bool& sound) const
    {
        // #IVB: its length, then pairs of a context and an offset into #STRINGS.
        std::string ivb = Read(L"#IVB"), strings = Read(L"#STRINGS");
        std::map<int, std::string> map;
        sound = ivb.size() >= 4 && Dword(ivb, 0) == ivb.size() - 4;
        for (size_t at = 4; sound && at + 8 <= ivb.size(); at += 8) {
            uint32_t offset = Dword(ivb, at + 4);
            if (offset >= strings.size()) {
                sound = false;
                break;
            }
            map[int(Dword(ivb, at))] = strings.c_str() + offset;
        }
        return map;
    }

private:
    static uint32_t Dword(const std::string& bytes, size_t at)
    {
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + size_t(i)]);
        return value;
    }

    ComPtr<IStorage> Storage;
};
