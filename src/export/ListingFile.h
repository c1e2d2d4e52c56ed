#pragma once
// An exported listing on disk: the file whole or not at all, and for the
// HTML page its icon folder beside it.
#include "core/export/ListingWriter.h"
#include "export/IconBitmaps.h"

#include <string>
#include <vector>

// Writes the rows to `path` in `form`. `page` gives the HTML page's date
// and folder (its icon folder is named here, from `path`). A failure
// leaves any file of that name as it was and names the file that could
// not be written (the page, or a bitmap or the icon folder).
TFileFailure WriteListingFile(const std::wstring& path, TExportForm form, TListingPage page,
                              const std::vector<TListRowRecord>& rows);

// The listing's own file without the icon folder (the page's icons are
// WriteIconBitmaps' job).
TFileFailure WriteListingDocument(const std::wstring& path, TExportForm form, const TListingPage& page,
                                  const std::vector<TListRowRecord>& rows);

// The local date and time now, "yyyy/mm/dd hh:nn:ss" with the locale's
// date and time separators.
std::wstring ListingDateNow();
