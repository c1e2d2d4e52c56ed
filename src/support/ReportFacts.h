#pragma once
// Gathers what the support report shows, for the program at `exePath`.
#include <string>

#include "core/support/SupportReport.h"

TReportFacts CollectReportFacts(const std::wstring& exePath);
