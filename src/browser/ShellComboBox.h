#pragma once
// The address combo box: a drop-down list of namespace locations (the
// desktop, its children, the children of its first child, and the chain of
// folders down to the current one), each indented by its level and drawn
// with its system icon. It follows a linked folder tree and drives it. The
// combo box control sits in a container window of its own, which receives
// its notifications and draws its rows.
#include "browser/ShellLinks.h"
#include "gui/Handles.h"
#include "gui/RedrawHold.h"
#include "gui/Window.h"
#include "shell/DataItem.h"

#include <memory>
#include <vector>

class TSHComboBox;
class TComboDropSite;

// The rows in display order: the children of a row follow it directly, each
// followed by its own children. The list owns them; the control holds an
// empty placeholder per row at the same index.
class TSHComboList {
public:
    explicit TSHComboList(TSHComboBox& box) : Box(box) {}
    ~TSHComboList() { Clear(); }
    TSHComboList(const TSHComboList&) = delete;
    TSHComboList& operator=(const TSHComboList&) = delete;

    int Count() const { return int(Items.size()); }
    TSHComboItem* Rows(int index) const;
    int IndexOf(const TSHComboItem* row) const;
    TSHComboBox& ComboBox() const { return Box; }

    // Takes ownership.
    void Insert(int index, TSHComboItem* row);
    // Frees the row and every row below it.
    void DeleteSubtree(int index);
    void Clear();

    // The last row of the subtree that starts at `index`.
    int LastDescendant(int index) const;
    int FirstChild(int index) const;  // -1 when none
    int NextSibling(int index) const;
    int PreviousSibling(int index) const;
    std::vector<int> Children(int index) const;

    // Cleared when that row is deleted.
    const TSHComboItem* Watched = nullptr;

private:
    void Renumber(int from);

    TSHComboBox& Box;
    std::vector<TSHComboItem*> Items;
};

class TSHComboBox : public TWindow, public IShLinkedCombo {
public:
    explicit TSHComboBox(HWND parent);
    ~TSHComboBox() override;

    HWND ComboHandle() const { return Combo; }  // the ComboBox inside
    TSHComboList& ComboList() { return Rows; }
    bool IncludeHidden() const { return Hidden; }
    unsigned ShVirtuaItems() const { return Virtual; }
    int DropDownCount = 8;
    // The closed box's height, for the parent's layout.
    int ClosedHeight() const;
    void SetBoxFont(HFONT font);
    bool DropTargetRegistered() const;
    TComboDropSite* DropSiteOfBox() const { return DropSite.get(); }

    // Operations.
    void Rebuild() override;
    void SelectIDList(PCIDList absolute) override;
    int FindRow(PCIDList absolute);
    PCIDList GetCurrentIDList() const;
    int CurrentIndex() const;
    void ExpandRow(int index);
    void RemoveTemporaryRows();

    // IShLinkedCombo
    void BeginUpdate() override;
    void EndUpdate() override;
    void TakeIncludeHidden(bool include) override { Hidden = include; }
    void TakeShVirtuaItems(unsigned items) override { Virtual = items; }
    void DriveRenamed(PCIDList absolute, const std::wstring& text) override;
    void SetLinkedTree(IShLinkedTree* tree) override { Tree = tree; }
    IShLinkedTree* LinkedTree() const { return Tree; }

    // The list keeps the control's placeholders in step.
    void PlaceholderInserted(int index);
    void PlaceholderDeleted(int index);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateCombo();
    void DestroyCombo();
    void RecreateCombo();
    int RowHeight() const;
    void SetCurrent(int index);
    void RowChosen();
    void DrawRow(const DRAWITEMSTRUCT& draw);
    TSHComboItem* NewRow(TSHComboItem* parent, PCIDList id);
    int AddMissingRow(int parentIndex, PCIDList id);

    HWND Combo = nullptr;
    TSHComboList Rows{*this};
    IShLinkedTree* Tree = nullptr;
    bool Hidden = true;
    unsigned Virtual = kDefaultVirtuaItems;
    bool Ready = true;  // false while the rows are rebuilt: rows made meanwhile are permanent
    TIDListPtr SavedIDList;
    TFontHandle OwnFont;
    HFONT Font = nullptr;
    TRedrawNesting Redraw;
    std::unique_ptr<TComboDropSite> DropSite;  // drops into the location shown
};
