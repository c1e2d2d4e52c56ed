#include "dialogs/DatePickers.h"

#include <commctrl.h>

TDateTimeParts PickerParts(HWND picker)
{
    SYSTEMTIME st{};
    TDateTimeParts parts;
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return parts;
    parts.Year = st.wYear, parts.Month = st.wMonth, parts.Day = st.wDay;
    parts.Hour = st.wHour, parts.Minute = st.wMinute, parts.Second = st.wSecond;
    return parts;
}

void SetPickerParts(HWND picker, const TDateTimeParts& parts)
{
    SYSTEMTIME st{};
    st.wYear = WORD(parts.Year), st.wMonth = WORD(parts.Month), st.wDay = WORD(parts.Day);
    st.wHour = WORD(parts.Hour), st.wMinute = WORD(parts.Minute), st.wSecond = WORD(parts.Second);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

TDaySecond PickerDaySecond(HWND datePicker, HWND timePicker)
{
    TDateTimeParts date = PickerParts(datePicker), time = PickerParts(timePicker);
    date.Hour = time.Hour, date.Minute = time.Minute, date.Second = time.Second;
    return SplitDateTime(EncodeDateTime(date));
}

void SetPickerDaySecond(HWND datePicker, HWND timePicker, TDaySecond value)
{
    TDateTimeParts parts = DecodeDateTime(JoinDateTime(value));
    SetPickerParts(datePicker, parts);
    SetPickerParts(timePicker, parts);
}

void SetPickerFormats(HWND datePicker, HWND timePicker)
{
    if (datePicker) SendMessageW(datePicker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy/MM/dd"));
    if (timePicker) SendMessageW(timePicker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm:ss"));
}

bool FileTimeToLocalParts(const FILETIME& time, TDateTimeParts& parts)
{
    FILETIME local{};
    SYSTEMTIME st{};
    if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) || !FileTimeToLocalFileTime(&time, &local) ||
        !FileTimeToSystemTime(&local, &st))
        return false;
    parts.Year = st.wYear, parts.Month = st.wMonth, parts.Day = st.wDay;
    parts.Hour = st.wHour, parts.Minute = st.wMinute, parts.Second = st.wSecond;
    parts.Millisecond = 0;
    return true;
}
