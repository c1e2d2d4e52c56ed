#pragma once
// The report engine's error and its messages: one home for every text the
// engine and its platform side raise. They end in a full-width full stop.
#include "core/commands/ShownError.h"

#include <string>
#include <utility>

// What the user is told is Message; what() is not used.
class ELRError : public EShownError {
public:
    explicit ELRError(std::wstring message) : EShownError(std::move(message), "report engine error") {}
};

// paper setup: the printer's device mode cannot be locked
inline constexpr const wchar_t* kLRPaperSetupFailed = L"用紙設定時にエラーが発生しました．";
// the report put anywhere but on a form
inline constexpr const wchar_t* kLROnlyOnForm = L"フォーム上にのみ配置できます．";
// BeginDoc while printing
inline constexpr const wchar_t* kLRPrinterBusy = L"プリンタは印刷中です．";
// BeginDoc with LastPage below FirstPage
inline constexpr const wchar_t* kLRBadPageRange = L"印刷ページ範囲が正しくありません．";
// BeginPreview while printing
inline constexpr const wchar_t* kLRPreviewWhilePrinting = L"プリンタが印刷中のため、プレビューを開始できません．";
// DrawPreview outside 25 to 100 percent
inline constexpr const wchar_t* kLRBadPreviewScale = L"印刷スケールが無効です．";
// PrintPage before BeginDoc
inline constexpr const wchar_t* kLRNoBeginDoc = L"BeginDocが呼び出されていません．";
// a layout or grid panel put where it may not sit
inline constexpr const wchar_t* kLROnlyOnReportOrLayout = L"TLightRep上かTLRLayoutPanelにのみ配置できます．";
// ColCount not positive or cells under 10 units wide
inline constexpr const wchar_t* kLRBadColCount = L"列数が有効範囲を超えています．";
// RowCount not positive or cells under 10 units high
inline constexpr const wchar_t* kLRBadRowCount = L"行数が有効範囲を超えています．";
// an item put anywhere but on a report panel
inline constexpr const wchar_t* kLROnlyOnPanel = L"パネル上にのみ配置できます．";
// a picture item handed a graphic other than a bitmap or a JPEG image (the
// item's own text, without the engine's full stop)
inline constexpr const wchar_t* kLRImageKindRefused = L"イメージはビットマップかJPEGイメージのみ有効です";
