/* The product's own values: where users find the program and where they
   report a fault. The resource compiler reads this header too, so that the
   version resource's copyright and the notice line are one text. */
#pragma once

#define QV_LEGAL_COPYRIGHT "Copyright (C) 2026 Quirevue"

#ifndef RC_INVOKED
// Opened by "Quirevueのホームページ(&W)...".
inline constexpr wchar_t kHomePageAddress[] = L"https://www.quirevue.example/";
// The recipient of the support report's mail.
inline constexpr wchar_t kSupportMailAddress[] = L"support@quirevue.example";
// The last line of the splash and version panels.
inline constexpr wchar_t kNoticeLine[] = L"" QV_LEGAL_COPYRIGHT;
#endif
