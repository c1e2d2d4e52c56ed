#pragma once
// Which control of a naming dialog holds which part of its pattern, and
// which settings field remembers it, so that loading, reading and storing
// are one loop each. The settings keep ANSI text; see
// WideToAnsiDroppingUnmapped.
#include "controls/IntSpinEdit.h"
#include "core/settings/InitData.h"
#include "gui/Strings.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

template <class TPattern>
struct TTextBinding {
    int Id;
    std::wstring TPattern::*Field;
    std::string TInitData::*Setting;  // null: not remembered
};

template <class TPattern>
struct TCheckBinding {
    int Id;
    bool TPattern::*Field;
    bool TInitData::*Setting;
};

template <class TPattern>
void ShowSettings(HWND dialog, std::span<const TTextBinding<TPattern>> texts,
                  std::span<const TCheckBinding<TPattern>> checks, const TInitData& settings)
{
    for (const auto& text : texts)
        if (text.Setting) SetDlgItemTextW(dialog, text.Id, AnsiToWide(settings.*text.Setting).c_str());
    for (const auto& check : checks)
        CheckDlgButton(dialog, check.Id, settings.*check.Setting ? BST_CHECKED : BST_UNCHECKED);
}

template <class TPattern>
void ReadControls(HWND dialog, std::span<const TTextBinding<TPattern>> texts,
                  std::span<const TCheckBinding<TPattern>> checks, TPattern& pattern)
{
    for (const auto& text : texts) {
        HWND item = GetDlgItem(dialog, text.Id);
        std::wstring value(size_t(GetWindowTextLengthW(item)) + 1, L'\0');
        value.resize(size_t(GetWindowTextW(item, value.data(), int(value.size()))));
        pattern.*text.Field = std::move(value);
    }
    for (const auto& check : checks) pattern.*check.Field = IsDlgButtonChecked(dialog, check.Id) == BST_CHECKED;
}

template <class TPattern>
void StoreSettings(const TPattern& pattern, std::span<const TTextBinding<TPattern>> texts,
                   std::span<const TCheckBinding<TPattern>> checks, TInitData& settings)
{
    for (const auto& text : texts)
        if (text.Setting) settings.*text.Setting = WideToAnsiDroppingUnmapped(pattern.*text.Field);
    for (const auto& check : checks) settings.*check.Setting = pattern.*check.Field;
}

// Where a dialog remembers its running number.
struct TNumberingSettings {
    int32_t TInitData::*Digits;
    int32_t TInitData::*Start;
    int32_t TInitData::*Step;
};

// The running number's three spin boxes (digits, start, step) of a naming
// dialog: attached, loaded, read and stored the same way in each.
struct TNumberingBoxes {
    TIntSpinEdit Digits, Start, Step;

    void Attach(HWND dialog, int digitsId, int startId, int stepId, int minDigits)
    {
        Digits.AttachEdit(GetDlgItem(dialog, digitsId), minDigits, 99, 2);
        Start.AttachEdit(GetDlgItem(dialog, startId), 0, 999999999, 9);
        Step.AttachEdit(GetDlgItem(dialog, stepId), 1, 999999999, 9);
    }
    void OnChange(const std::function<void()>& changed) { Digits.OnChange = Start.OnChange = Step.OnChange = changed; }
    void Show(const TInitData& settings, const TNumberingSettings& where)
    {
        Digits.SetValue(settings.*where.Digits);
        Start.SetValue(settings.*where.Start);
        Step.SetValue(settings.*where.Step);
    }
    template <class TPattern>
    void Read(TPattern& pattern) const
    {
        pattern.Digits = Digits.Value();
        pattern.Start = Start.Value();
        pattern.Step = Step.Value();
    }
    template <class TPattern>
    static void Store(const TPattern& pattern, TInitData& settings, const TNumberingSettings& where)
    {
        settings.*where.Digits = pattern.Digits;
        settings.*where.Start = int32_t(pattern.Start);
        settings.*where.Step = int32_t(pattern.Step);
    }
};
