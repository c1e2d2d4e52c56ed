#include "core/fileops/EmptyZip.h"

namespace {

constexpr wchar_t kZipBaseName[] = L"圧縮 (zip 形式) フォルダ新規";
constexpr int kLastNumber = 9999;

}  // namespace

const std::array<uint8_t, 22>& EmptyZipBytes()
{
    static const std::array<uint8_t, 22> bytes = {0x50, 0x4B, 0x05, 0x06};
    return bytes;
}

std::wstring FreeZipFileName(const std::function<bool(const std::wstring&)>& taken)
{
    for (int number = 0; number <= kLastNumber; ++number) {
        std::wstring name = kZipBaseName;
        if (number > 0) name += L"(" + std::to_wstring(number) + L")";
        name += L".zip";
        if (!taken(name)) return name;
    }
    return std::wstring();
}
