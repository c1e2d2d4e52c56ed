#include "report/LRObjects.h"

#include "core/report/ReportErrors.h"
#include "core/report/ReportGrid.h"

#include <algorithm>

void TLRObject::SetBounds(const TLRRect& bounds)
{
    Box = bounds;
    if (Owner && dynamic_cast<TCustomLRPanel*>(this)) Owner->Realign(this);
    Resized();
}

void TLRContainer::PlaceAt(TLRObject& child, const TLRRect& bounds)
{
    if (child.Box == bounds) return;
    child.Box = bounds;
    child.Resized();
}

TLRObject& TLRContainer::Insert(std::unique_ptr<TLRObject> child)
{
    // A grid takes the objects into its cell template itself (its Insert).
    PlaceReportObject(child->Kind(), Kind());
    TLRObject& added = *child;
    child->Owner = this;
    Objects.push_back(std::move(child));
    if (dynamic_cast<TCustomLRPanel*>(&added)) Realign(&added);
    return added;
}

std::unique_ptr<TLRObject> TLRContainer::Extract(TLRObject& child)
{
    auto it = std::find_if(Objects.begin(), Objects.end(), [&](const auto& o) { return o.get() == &child; });
    if (it == Objects.end()) return nullptr;
    std::unique_ptr<TLRObject> out = std::move(*it);
    Objects.erase(it);
    out->Owner = nullptr;
    if (dynamic_cast<TCustomLRPanel*>(out.get())) Realign();
    return out;
}

void TLRContainer::Realign(const TLRObject* cause)
{
    std::vector<TCustomLRPanel*> panels;
    for (const auto& o : Objects)
        if (auto* panel = dynamic_cast<TCustomLRPanel*>(o.get())) panels.push_back(panel);
    if (panels.empty()) return;
    auto first = std::find(panels.begin(), panels.end(), cause);
    if (first != panels.end()) std::rotate(panels.begin(), first, first + 1);
    std::vector<TDockedPanel> docked;
    for (TCustomLRPanel* panel : panels) docked.push_back({panel->Align(), panel->Bounds()});
    const std::vector<TLRRect> placed = DockPanels(DockArea(), docked);
    for (size_t i = 0; i < panels.size(); ++i) PlaceAt(*panels[i], placed[i]);
}

void TCustomLRPanel::SetAlign(TLRAlign align)
{
    if (align == Docking) return;
    Docking = align;
    if (Parent()) Parent()->Realign(this);
}

void TCustomLRPanel::PrintChildren(HDC canvas, const TLRRect& origin, TPrintStatus status, double scale,
                                   bool cellTemplate)
{
    auto shifted = [&](const TLRObject& o) {
        const TLRRect& b = o.Bounds();
        return TLRRect{b.Left + origin.Left, b.Top + origin.Top, b.Right + origin.Left, b.Bottom + origin.Top};
    };
    for (const auto& o : Objects)
        if (auto* item = dynamic_cast<TCustomLRItem*>(o.get()); item && item->Enabled)
            item->PrintOut(canvas, shifted(*item), status, scale);
    for (const auto& o : Objects) {
        auto* panel = dynamic_cast<TCustomLRPanel*>(o.get());
        if (!panel || !panel->Enabled) continue;
        // Inside a cell only layout panels print.
        if (cellTemplate && panel->Kind() != TLRObjectKind::LayoutPanel) continue;
        panel->PrintOut(canvas, shifted(*panel), scale);
    }
}

void TLRLayoutPanel::PrintOut(HDC canvas, const TLRRect& rect, double scale)
{
    TPrintStatus status = TPrintStatus::psNormal;
    BeforePrint(*this, rect, status);
    if (status == TPrintStatus::psEndNow) return;
    PrintChildren(canvas, rect, status, scale, false);
    AfterPrint(*this);
}

TLRGridPanel::TLRGridPanel() : Cell(std::make_unique<TLRChildPanel>())
{
    Adopt(*Cell, this);
    Resized();
}

TLRObject& TLRGridPanel::Insert(std::unique_ptr<TLRObject> child)
{
    if (PlaceReportObject(child->Kind(), Kind()) == TLRPlacement::IntoCellTemplate) return Cell->Insert(std::move(child));
    return TLRContainer::Insert(std::move(child));
}

void TLRGridPanel::SetColCount(int32_t count)
{
    CheckColCount(count, Box.Width());
    Cols = count;
    Resized();
}

void TLRGridPanel::SetRowCount(int32_t count)
{
    CheckRowCount(count, Box.Height());
    Rows = count;
    Resized();
}

void TLRGridPanel::Resized()
{
    const TLRSize cell = GridCellSize({Box.Width(), Box.Height()}, Cols, Rows);
    PlaceAt(*Cell, {0, 0, cell.Width, cell.Height});
    Realign();
}

void TLRGridPanel::PrintOut(HDC canvas, const TLRRect& rect, double scale)
{
    TPrintStatus status = TPrintStatus::psNormal;
    BeforePrint(*this, rect, status);
    if (status == TPrintStatus::psEndNow) return;
    for (const TGridCell& cell : GridVisitOrder(Cols, Rows, PrintDirection)) PrintCell(canvas, rect, cell.Col, cell.Row, scale);
    AfterPrint(*this);
}

void TLRGridPanel::PrintCell(HDC canvas, const TLRRect& grid, int32_t col, int32_t row, double scale)
{
    const TLRRect& cellBounds = Cell->Bounds();
    const TLRRect rect = GridCellRect(grid, col, row, Cols, Rows, {cellBounds.Width(), cellBounds.Height()});
    TPrintStatus status = TPrintStatus::psNormal;
    OnPrintPanel(*this, col, row, rect, status);
    if (status == TPrintStatus::psEndNow) return;
    Cell->BeforePrint(*Cell, rect, status);
    if (status == TPrintStatus::psEndNow) return;
    Cell->PrintChildren(canvas, rect, status, scale, true);
    Cell->AfterPrint(*Cell);
}
