#pragma once
// The message a report engine operation raised, for the tables of failures.
#include "core/report/ReportErrors.h"

#include <functional>
#include <string>

inline std::wstring LRFailure(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const ELRError& e) {
        return e.Message;
    }
    return L"nothing raised";
}
