#pragma once
// The selected rows of a folder list as plain records, in list order.
#include "core/shell/RowRecord.h"

#include <vector>

class TSHListView;

std::vector<TListRowRecord> SelectedRowRecords(TSHListView& list);
