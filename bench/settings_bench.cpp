// Encoding and decoding a large settings object, against a floor of one plain
// pass that copies and sums the same number of bytes. Prints ratios only.
#include "core/settings/SettingsCodec.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

TInitData LargeSettings()
{
    TInitData d;
    for (int i = 0; i < 8; ++i) d.Bands.push_back({i, 100 + i, i % 3 != 0, i % 2 == 0});
    for (int i = 0; i < 200; ++i) {
        TWindowData w;
        w.Left = i, w.Top = i, w.Width = 640, w.Height = 480, w.ViewStyle = uint8_t(i % 4);
        w.FilterName = "filter " + std::to_string(i % 100);
        for (int c = 0; c < 5; ++c) w.Columns.push_back({c, 80 + c, c % 2 ? -1 : 1});
        // Two items of 18 and 20 bytes and the terminator: 40 bytes.
        w.IDList.assign(40, uint8_t(i));
        w.IDList[0] = 18, w.IDList[1] = 0;
        w.IDList[18] = 20, w.IDList[19] = 0;
        w.IDList[38] = 0, w.IDList[39] = 0;
        d.Windows.push_back(std::move(w));
    }
    for (int i = 0; i < 100; ++i) {
        auto f = std::make_unique<TSHFileFilter>();
        f->Name = "filter " + std::to_string(i);
        f->Masks = {"*.jpg", "Copy of *.png", "a;b*"};
        d.Filters.push_back(std::move(f));
    }
    d.FileTypes = {"txt", "jpg", "bmp", "png"};
    return d;
}

// Best of several batches, in seconds per repetition.
double Time(int repetitions, const std::function<void()>& work)
{
    double best = 1e300;
    for (int batch = 0; batch < 7; ++batch) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repetitions; ++i) work();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / repetitions);
    }
    return best;
}

volatile size_t sink;

} // namespace

int main()
{
    const TInitData large = LargeSettings();
    const std::vector<uint8_t> bytes = EncodeSettings(large);
    const int repetitions = 50;

    std::vector<uint8_t> copy(bytes.size());
    double floor = Time(repetitions, [&] {
        const uint8_t* from = bytes.data();
        uint8_t* to = copy.data();
        size_t n = bytes.size(), sum = 0;
        for (size_t i = 0; i < n; ++i) {
            to[i] = from[i];
            sum += from[i];
        }
        sink = sum + copy[sink % copy.size()];
    });
    double encode = Time(repetitions, [&] { sink = EncodeSettings(large).size(); });
    double decode = Time(repetitions, [&] {
        TInitData into;
        sink = DecodeSettings(bytes.data(), bytes.size(), into).BytesRead + into.Windows.size();
    });
    double both = Time(repetitions, [&] {
        std::vector<uint8_t> encoded = EncodeSettings(large);
        TInitData into;
        sink = DecodeSettings(encoded.data(), encoded.size(), into).BytesRead;
    });

    std::printf("settings.encode: %.1fx floor\n", encode / floor);
    std::printf("settings.decode: %.1fx floor\n", decode / floor);
    std::printf("settings.encode_decode: %.1fx floor\n", both / floor);
    return 0;
}
