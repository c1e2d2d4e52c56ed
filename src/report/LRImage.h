#pragma once
// The report's picture cell. It takes a device-independent bitmap, a device
// bitmap or a JPEG picture; any other graphic is refused.
#include "gui/Graphic.h"
#include "report/LRObjects.h"

#include <memory>

// The item's own holder of its picture. Assigning to it directly takes any
// graphic (the item's setter is where the kinds are checked).
class TLRPicture {
public:
    TGraphic* Graphic() const { return Held.get(); }
    void Assign(std::unique_ptr<TGraphic> graphic) { Held = std::move(graphic); }
    bool Empty() const { return !Held || Held->Empty(); }

private:
    std::unique_ptr<TGraphic> Held;
};

class TLRImage : public TCustomLRItem {
public:
    TLRPicture& Picture() { return Holder; }
    // Copies the picture: none, an empty one, a DibImage, a device bitmap or
    // a JPEG picture; any other graphic raises ELRError "イメージはビットマッ
    // プかJPEGイメージのみ有効です".
    void SetPicture(const TGraphic* graphic);
    bool Stretch = false;

    void PrintOut(HDC canvas, const TLRRect& rect, TPrintStatus status, double scale) override;

private:
    TLRPicture Holder;
};
