#pragma once
// Where the objects of a report may sit, checked whenever one is put into
// a parent.

enum class TLRObjectKind {
    Nothing,       // no parent
    Form,
    Report,        // TLightRep
    LayoutPanel,   // TLRLayoutPanel
    GridPanel,     // TLRGridPanel
    CellTemplate,  // TLRChildPanel, owned by a grid
    Item,          // TLRItem, TLRImage
    Other,         // any other control
};

enum class TLRPlacement {
    AsGiven,           // the parent as asked
    IntoCellTemplate,  // on a grid: into the grid's cell template
};

// Whether `child` may be put on `parent`, and where it then goes. Raises
// ELRError with the placement message of the child's kind otherwise:
// - the report only on a form (or nowhere);
// - a layout panel on the report, a layout panel or a cell template (on a
//   grid: into its template);
// - a grid panel on the report or a layout panel;
// - an item on any report panel (on a grid: into its template).
TLRPlacement PlaceReportObject(TLRObjectKind child, TLRObjectKind parent);
