#include "core/viewer/SusieLayout.h"

#include "core/viewer/DibLayout.h"

TPictureInfo ReadPictureInfo(const uint8_t* b)
{
    TPictureInfo info;
    info.Left = int32_t(ReadLe32(b + 0));
    info.Top = int32_t(ReadLe32(b + 4));
    info.Width = int32_t(ReadLe32(b + 8));
    info.Height = int32_t(ReadLe32(b + 12));
    info.XDensity = ReadLe16(b + 16);
    info.YDensity = ReadLe16(b + 18);
    info.ColorDepth = int16_t(ReadLe16(b + 20));
    return info;
}

void WritePictureInfo(const TPictureInfo& info, uint8_t* b)
{
    WriteLe32(b + 0, uint32_t(info.Left));
    WriteLe32(b + 4, uint32_t(info.Top));
    WriteLe32(b + 8, uint32_t(info.Width));
    WriteLe32(b + 12, uint32_t(info.Height));
    WriteLe16(b + 16, info.XDensity);
    WriteLe16(b + 18, info.YDensity);
    WriteLe16(b + 20, uint16_t(info.ColorDepth));
}

std::optional<std::wstring> SusieResultMessage(int result)
{
    switch (result) {
    case -1: return L"[Code-1] Plug-Inに機能がインプリメントされていません。";
    case 1: return L"[Code1] Plug-Inでの読込みを中止しました。";
    case 2: return L"[Code2] Plug-Inが非対応のフォーマットです。";
    case 3: return L"[Code3] Plug-Inがデータの破損を検出しました。";
    case 4: return L"[Code4] Plug-Inがメモリーを確保出来ません。";
    case 5: return L"[Code5] Plug-Inのメモリーエラーが発生しました。";
    case 6: return L"[Code6] Plug-Inがファイルリードエラーを発生しました。";
    case 7: return L"[Code7] Plug-In（予約）";
    case 8: return L"[Code8] Plug-Inの内部エラーが発生しました。";
    default: return std::nullopt;
    }
}
