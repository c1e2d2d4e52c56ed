#pragma once
// The report tree: the report (TLightRep, LightRep.h) holds report panels
// that dock inside its margins; panels hold items and further panels. A
// parent owns its children. Where an object may sit is checked whenever it
// is put into a parent (core/report/ReportPlacement).
//
// Geometry is in page units (1/96 inch); an object's bounds are in its
// parent's coordinates.
#include "core/report/ReportGeometry.h"
#include "core/report/ReportGrid.h"
#include "core/report/ReportItemLayout.h"
#include "core/report/ReportPage.h"
#include "core/report/ReportPlacement.h"
#include "gui/Event.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TLRContainer;

class TLRObject {
public:
    TLRObject() = default;
    TLRObject(const TLRObject&) = delete;
    TLRObject& operator=(const TLRObject&) = delete;
    virtual ~TLRObject() = default;

    virtual TLRObjectKind Kind() const = 0;
    TLRContainer* Parent() const { return Owner; }

    const TLRRect& Bounds() const { return Box; }
    // A panel's new bounds re-lay out its parent's docking and its own.
    void SetBounds(const TLRRect& bounds);
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
    {
        SetBounds(LRBounds(left, top, width, height));
    }

    bool Enabled = true;
    std::wstring Name;

protected:
    // The bounds changed: what is inside follows.
    virtual void Resized() {}

    TLRRect Box;

private:
    friend class TLRContainer;
    TLRContainer* Owner = nullptr;
};

// Base of the items a panel prints: text (TLRItem) and picture (TLRImage).
class TCustomLRItem : public TLRObject {
public:
    TCustomLRItem() { Box = LRBounds(0, 0, kNewItemSize.Width, kNewItemSize.Height); }
    TLRObjectKind Kind() const override { return TLRObjectKind::Item; }
    // Draws the item on `canvas` in `rect` (page units, already at its place
    // on the page), `scale` being the factor from page units to the canvas.
    virtual void PrintOut(HDC canvas, const TLRRect& rect, TPrintStatus status, double scale) {}
};

// An object that holds others: the report and the panels.
class TLRContainer : public TLRObject {
public:
    // Makes an object and puts it in; see Insert.
    template <class T, class... Args>
    T& Add(Args&&... args)
    {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& added = *child;
        Insert(std::move(child));
        return added;
    }
    // Puts an object in, after the ones already here. Raises ELRError where
    // it may not sit; on a grid it goes into the grid's cell template.
    virtual TLRObject& Insert(std::unique_ptr<TLRObject> child);
    // Takes an object out; the caller owns it then.
    std::unique_ptr<TLRObject> Extract(TLRObject& child);

    const std::vector<std::unique_ptr<TLRObject>>& Children() const { return Objects; }

    // The area the docked panels share, in this object's coordinates.
    virtual TLRRect DockArea() const { return {0, 0, Box.Width(), Box.Height()}; }
    // Docks the panels again. The panel that caused it goes first among
    // panels of one place, as the platform's alignment does.
    void Realign(const TLRObject* cause = nullptr);

protected:
    void Resized() override { Realign(); }
    // Makes `parent` the parent of an object it holds apart from its
    // children (a grid's cell template).
    static void Adopt(TLRObject& child, TLRContainer* parent) { child.Owner = parent; }
    static void PlaceAt(TLRObject& child, const TLRRect& bounds);

    std::vector<std::unique_ptr<TLRObject>> Objects;
};

// Base of the report panels.
class TCustomLRPanel : public TLRContainer {
public:
    TCustomLRPanel() { Box = LRBounds(0, 0, 185, 100); }
    // Prints the children of a cell: a grid's cell template.
    friend class TLRGridPanel;

    TLRAlign Align() const { return Docking; }
    void SetAlign(TLRAlign align);

    // Prints the panel in `rect` (page units at its place on the page).
    virtual void PrintOut(HDC canvas, const TLRRect& rect, double scale) {}

    TEvent<TCustomLRPanel&, const TLRRect&, TPrintStatus&> BeforePrint;
    TEvent<TCustomLRPanel&> AfterPrint;

protected:
    // Items first, then panels, each in the order added, shifted to `origin`:
    // items get `status`; panels that `print` accepts print with their own.
    void PrintChildren(HDC canvas, const TLRRect& origin, TPrintStatus status, double scale, bool cellTemplate);

private:
    TLRAlign Docking = TLRAlign::laTop;
};

// Free layout of items and panels.
class TLRLayoutPanel : public TCustomLRPanel {
public:
    TLRObjectKind Kind() const override { return TLRObjectKind::LayoutPanel; }
    void PrintOut(HDC canvas, const TLRRect& rect, double scale) override;
};

// The cell template of a grid panel: printed by the grid, cell by cell.
class TLRChildPanel : public TCustomLRPanel {
public:
    TLRObjectKind Kind() const override { return TLRObjectKind::CellTemplate; }
};

// Repeats its cell template over ColCount x RowCount cells.
class TLRGridPanel : public TCustomLRPanel {
public:
    TLRGridPanel();
    TLRObjectKind Kind() const override { return TLRObjectKind::GridPanel; }

    int32_t ColCount() const { return Cols; }
    int32_t RowCount() const { return Rows; }
    // Raise ELRError when the cells would be under 10 units.
    void SetColCount(int32_t count);
    void SetRowCount(int32_t count);
    TPrintDirection PrintDirection = TPrintDirection::pdHorz;

    TLRChildPanel& CellTemplate() { return *Cell; }
    TLRObject& Insert(std::unique_ptr<TLRObject> child) override;
    void PrintOut(HDC canvas, const TLRRect& rect, double scale) override;

    // Asked cell by cell (column, row) what to print.
    TEvent<TLRGridPanel&, int32_t, int32_t, const TLRRect&, TPrintStatus&> OnPrintPanel;
    // The cell template's own events.
    TEvent<TCustomLRPanel&, const TLRRect&, TPrintStatus&>& BeforePrintPanel() { return Cell->BeforePrint; }
    TEvent<TCustomLRPanel&>& AfterPrintPanel() { return Cell->AfterPrint; }

protected:
    void Resized() override;

private:
    void PrintCell(HDC canvas, const TLRRect& grid, int32_t col, int32_t row, double scale);

    std::unique_ptr<TLRChildPanel> Cell;
    int32_t Cols = 1, Rows = 1;
};
