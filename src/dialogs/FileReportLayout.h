#pragma once
// The printed file listing's report: an A4 portrait page with the header
// (program title, date, folder, column headings), a list of 40 rows and
// the footer with the page number. The items the dialog fills are named.
#include "report/LRImage.h"
#include "report/LRItem.h"
#include "report/LightRep.h"

struct TFileReportItems {
    TLRLayoutPanel* LRLayoutPanel20 = nullptr;  // the list
    TLRGridPanel* LRGridPanel20 = nullptr;
    TLRLayoutPanel* LRLayoutPanel10 = nullptr;  // the header
    TLRLayoutPanel* LRLayoutPanel30 = nullptr;  // the footer
    TLRImage* ItemImage = nullptr;
    TLRItem* ItemFileName = nullptr;
    TLRItem* ItemFileSize = nullptr;
    TLRItem* ItemFileType = nullptr;
    TLRItem* ItemFileDate = nullptr;
    TLRItem* ItemFileAttr = nullptr;
    TLRItem* ItemTitle = nullptr;
    TLRItem* ItemDate = nullptr;
    TLRItem* ItemFolder = nullptr;
    TLRItem* ItemPage = nullptr;
};

// The job name the printed listing goes to the spooler under.
inline constexpr const wchar_t* kFileReportTitle = L"河川調査資料一覧表";

// Sets up the report's page and builds its panels and items.
TFileReportItems BuildFileReport(TLightRep& report);
