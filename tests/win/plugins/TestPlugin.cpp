// Plug-ins the tests build to play the third-party plug-ins the host must
// survive: each variant is this file with one QV_TEST_* definition. All
// claim files that start with "QVTP" and decode them to a 4 x 2 picture.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

using TProgress = int(WINAPI*)(int, int, LONG_PTR);

[[maybe_unused]] bool Ours(const void* head) { return std::memcmp(head, "QVTP", 4) == 0; }

#if defined(QV_TEST_STACK_OVERFLOW)
volatile bool gEndless = true;

__attribute__((noinline)) int Recurse(int depth)
{
    volatile char pad[512];
    pad[0] = char(depth);
    if (!gEndless) return 0;
    return Recurse(depth + 1) + pad[0];
}
#endif

// A 4 x 2 32-bit top-down picture: red, green, blue, white / black rows.
int Picture(HLOCAL* info, HLOCAL* bits, int32_t height)
{
    *info = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
    *bits = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 4 * 4 * 2);
    auto* h = static_cast<BITMAPINFOHEADER*>(LocalLock(*info));
    h->biSize = sizeof *h;
    h->biWidth = 4;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = 32;
    auto* p = static_cast<DWORD*>(LocalLock(*bits));
    const DWORD top[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    std::memcpy(p, top, sizeof top);
    LocalUnlock(*info);
    LocalUnlock(*bits);
    return 0;
}

}  // namespace

extern "C" {

int WINAPI GetPluginInfo(int no, LPSTR buf, int len)
{
#if defined(QV_TEST_WRONG_VERSION)
    const char* texts[] = {"00in", "wrong version", "*.qvtp", "test pictures"};
#else
    const char* texts[] = {"00IN", QV_TEST_NAME, "*.qvtp", "test pictures"};
#endif
    if (no < 0 || no > 3 || len <= 0) return 0;
    lstrcpynA(buf, texts[no], len);
    return lstrlenA(buf);
}

int WINAPI IsSupported(LPCSTR, ULONG_PTR dw)
{
#if defined(QV_TEST_FAULT_IN_IS_SUPPORTED)
    return *reinterpret_cast<volatile int*>(dw ^ dw);
#else
    // Like plug-ins seen in the wild, read the whole 2 KB the interface promises.
    const volatile char* head = reinterpret_cast<const char*>(dw);
    char last = head[2047];
    (void)last;
    return Ours(const_cast<const char*>(head));
#endif
}

int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR, unsigned, void* info)
{
    BYTE* record = static_cast<BYTE*>(info);
    std::memset(record, 0, 22);
    int32_t wh[2] = {4, 2};
    std::memcpy(record + 8, wh, 8);
    record[16] = 72, record[18] = 72, record[20] = 32;
#if defined(_WIN64)
    // An aligned 64-bit plug-in: hInfo at 24, 8 bytes.
    std::memset(record + 24, 0, 8);
#endif
    return 0;
}

int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* bits, TProgress progress,
                      LONG_PTR data)
{
#if defined(QV_TEST_FAULT_IN_GET_PICTURE)
    *reinterpret_cast<volatile int*>(len ^ len) = 1;
#elif defined(QV_TEST_STACK_OVERFLOW)
    return Recurse(0);
#elif defined(QV_TEST_LYING_HEADER)
    Picture(info, bits, 4208915);
    return 0;
#elif defined(QV_TEST_SLOW)
    for (int i = 0; i <= 400; ++i) {
        if (progress && progress(i, 400, data)) return 1;
        Sleep(5);
    }
#endif
    return Picture(info, bits, -2);
}

}  // extern "C"
