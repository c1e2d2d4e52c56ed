#pragma once
// Date and time pickers read and set in calendar parts, and file times in
// the local parts the pickers show.
#include "core/dialogs/DateParts.h"

#include <windows.h>

TDateTimeParts PickerParts(HWND picker);
void SetPickerParts(HWND picker, const TDateTimeParts& parts);
// A date picker's day and a time picker's time of day.
TDaySecond PickerDaySecond(HWND datePicker, HWND timePicker);
void SetPickerDaySecond(HWND datePicker, HWND timePicker, TDaySecond value);
// Shows dates as 2005/03/04 and times as 10:20:31, whatever the locale.
void SetPickerFormats(HWND datePicker, HWND timePicker);
// A UTC file time in local parts; false for a zero or unreadable time.
bool FileTimeToLocalParts(const FILETIME& time, TDateTimeParts& parts);
