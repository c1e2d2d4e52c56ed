// The image viewer against its floors, measured in one run: a 24-megapixel
// JPEG shown through the host and our plug-in against a bare libjpeg-turbo
// decode of the same file to the same pixel format; the plug-in folder
// rescan with 20 plug-ins against the load of a small picture; the peak
// working set against the picture's bytes.
#include "support/PictureFiles.h"
#include "support/TempFolder.h"
#include "viewer/Raster.h"
#include "viewer/SusiePlug.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

using TClock = std::chrono::steady_clock;
double Seconds(TClock::time_point start) { return std::chrono::duration<double>(TClock::now() - start).count(); }

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    p.resize(p.rfind(L'\\'));           // bench\win
    p.resize(p.rfind(L'\\'));           // bench
    return p.substr(0, p.rfind(L'\\'));  // the build folder, where the plug-ins are
}

// The floor: read the file, decode it with libjpeg-turbo to bottom-up BGR rows.
size_t BareDecode(const std::wstring& path)
{
    std::vector<uint8_t> file = ReadWholeFile(path);
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGR;
    d.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&d);
    size_t stride = (size_t(d.output_width) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> bits(stride * d.output_height);
    while (d.output_scanline < d.output_height) {
        JSAMPROW rows[4];
        int n = int(std::min<JDIMENSION>(4, d.output_height - d.output_scanline));
        for (int i = 0; i < n; ++i) rows[i] = bits.data() + stride * (d.output_height - 1 - d.output_scanline - i);
        jpeg_read_scanlines(&d, rows, JDIMENSION(n));
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return bits.size();
}

size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS c{sizeof c};
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c.PeakWorkingSetSize;
}
size_t WorkingSet()
{
    PROCESS_MEMORY_COUNTERS c{sizeof c};
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c.WorkingSetSize;
}

template <class F>
double Best(int runs, F f)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto t = TClock::now();
        f();
        best = std::min(best, Seconds(t));
    }
    return best;
}

}  // namespace

int main()
{
    TTempFolder dir;
    const std::wstring program = ProgramFolder();
    const std::wstring big = dir / L"24mp.jpg";
    if (!WriteTestJpeg(big, 6000, 4000, 90, 300)) {
        std::printf("viewer: could not write the test picture\n");
        return 1;
    }
    HWND top = CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                               nullptr, nullptr);
    TRaster raster(top);
    MoveWindow(raster.Handle(), 0, 0, 640, 480, TRUE);
    raster.SetPluginFolder(program);
    raster.ShowMessage = [](const std::wstring&, UINT) { return IDOK; };

    // Memory first, on a fresh process: the rise of the peak working set
    // while the picture is loaded, against the decoded picture's bytes.
    const size_t before = WorkingSet();
    bool ok = raster.LoadFromFile(big);
    const size_t peak = PeakWorkingSet();
    const double pictureBytes = double(raster.Info() ? raster.Info()->biSizeImage : 0);
    const size_t fileBytes = ReadWholeFile(big).size();
    if (!ok || pictureBytes <= 0) {
        std::printf("viewer: the 24-megapixel JPEG did not load\n");
        return 1;
    }
    std::printf("viewer: peak working set rise while loading %.1f MB = %.2fx the picture's %.1f MB "
                "(the JPEG file itself is %.1f MB)\n",
                (peak - before) / 1048576.0, (peak - before) / pictureBytes, pictureBytes / 1048576.0,
                fileBytes / 1048576.0);

    raster.Clear();
    double bare = Best(3, [&] { BareDecode(big); });
    double host = Best(3, [&] { raster.LoadFromFile(big); raster.Clear(); });
    std::printf("viewer: 24-megapixel JPEG through host and plug-in %.3f s, bare libjpeg-turbo %.3f s: %.2fx\n", host,
                bare, host / bare);

    // The rescan before every load, with 20 plug-ins in the folder.
    TTempFolder twenty;
    for (int i = 0; i < 20; ++i) {
        const wchar_t* names[] = {L"qvbmp", L"qvjpeg", L"qvpng"};
        std::wstring from = program + L"\\" + names[i % 3] + (TSusiePlugs::Pattern() + 1);
        wchar_t to[32];
        swprintf(to, 32, L"p%02d%ls", i, TSusiePlugs::Pattern() + 1);
        CopyFileW(from.c_str(), (twenty / to).c_str(), FALSE);
    }
    const std::wstring small = dir / L"small.png";
    WriteTestPng(small, 64, 64);
    raster.SetPluginFolder(program);
    double smallLoad = Best(5, [&] { raster.LoadFromFile(small); raster.Clear(); });
    TSusiePlugs plugs;
    plugs.SetFolder(twenty.Path());
    double cached = Best(5, [&] { plugs.Rescan(); });
    double cold = Best(3, [&] {
        TSusiePlugs fresh;  // no cache: every plug-in loaded, asked and freed
        fresh.SetFolder(twenty.Path());
    });
    std::printf("viewer: rescan of 20 plug-ins: %.2f ms keyed by name, size and time (%.2fx a 64 x 64 PNG load of "
                "%.2f ms); %.2f ms loading each one (%.2fx)\n",
                cached * 1e3, cached / smallLoad, smallLoad * 1e3, cold * 1e3, cold / smallLoad);
    DestroyWindow(top);
    return 0;
}
