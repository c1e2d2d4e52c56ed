#include "core/report/ReportPlacement.h"

#include "core/report/ReportErrors.h"

TLRPlacement PlaceReportObject(TLRObjectKind child, TLRObjectKind parent)
{
    using K = TLRObjectKind;
    switch (child) {
    case K::Report:
        if (parent == K::Form || parent == K::Nothing) return TLRPlacement::AsGiven;
        throw ELRError(kLROnlyOnForm);
    case K::LayoutPanel:
        if (parent == K::GridPanel) return TLRPlacement::IntoCellTemplate;
        if (parent == K::Report || parent == K::LayoutPanel || parent == K::CellTemplate || parent == K::Nothing)
            return TLRPlacement::AsGiven;
        throw ELRError(kLROnlyOnReportOrLayout);
    case K::GridPanel:
        if (parent == K::Report || parent == K::LayoutPanel || parent == K::Nothing) return TLRPlacement::AsGiven;
        throw ELRError(kLROnlyOnReportOrLayout);
    case K::Item:
        if (parent == K::GridPanel) return TLRPlacement::IntoCellTemplate;
        if (parent == K::LayoutPanel || parent == K::CellTemplate || parent == K::Nothing) return TLRPlacement::AsGiven;
        throw ELRError(kLROnlyOnPanel);
    default: return TLRPlacement::AsGiven;
    }
}
