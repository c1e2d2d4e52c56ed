#pragma once
// Markers over the picture: icon objects at picture coordinates, grouped in
// named layers, read from and written to the picture's ".grx" side-car file.
#include "core/viewer/GrxRecords.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class TRaster;
class TRasterLayer;

class TRasterObject {
public:
    explicit TRasterObject(TRasterLayer& layer);
    TRasterLayer& Layer;
    RECT Rect{};  // where the icon was drawn last (client coordinates)
    TGrxRecord Data;

    bool Selected() const { return IsSelected; }
    void SetSelected(bool selected);  // draws it again at once when changed
    std::string Name() const { return Data.Name(); }
    void SetName(const std::string& name) { Data.SetName(name); }
    int32_t X() const { return Data.X(); }
    int32_t Y() const { return Data.Y(); }
    void Draw(HDC dc);
    // Strictly inside the drawn icon: a point on its outline misses.
    bool Hit(int x, int y) const { return Rect.left < x && x < Rect.right && Rect.top < y && y < Rect.bottom; }

private:
    bool IsSelected = false;
};

class TRasterLayer {
public:
    TRasterLayer(TRaster& raster, std::string name);
    TRaster& Raster;
    std::string Name;

    uint8_t State() const { return LayerState; }
    void SetState(uint8_t state);
    TRasterObject* Current() const { return CurrentObject; }
    void SetCurrent(TRasterObject* object);
    int Count() const { return int(Objects.size()); }
    TRasterObject& Items(int i) { return *Objects[size_t(i)]; }
    // Appends and marks the view modified; Append alone (reading) does not.
    void AddObject(std::unique_ptr<TRasterObject> object);
    void Append(std::unique_ptr<TRasterObject> object) { Objects.push_back(std::move(object)); }
    void SortByName(int direction);

private:
    uint8_t LayerState = kLayerShown;
    TRasterObject* CurrentObject = nullptr;
    std::vector<std::unique_ptr<TRasterObject>> Objects;
};

class TRasterLayers {
public:
    int Count() const { return int(Layers.size()); }
    TRasterLayer& Items(int i) { return *Layers[size_t(i)]; }
    void Add(std::unique_ptr<TRasterLayer> layer) { Layers.push_back(std::move(layer)); }
    void Clear() { Layers.clear(); }
    bool Updating = false;

private:
    std::vector<std::unique_ptr<TRasterLayer>> Layers;
};
