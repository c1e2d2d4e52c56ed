#include "viewer/RasterLayers.h"

#include "gui/AtomicFile.h"
#include "viewer/Raster.h"

#include <algorithm>
#include <cmath>

TRasterObject::TRasterObject(TRasterLayer& layer) : Layer(layer) { Data.SetImageIndex(0); }

void TRasterObject::SetSelected(bool selected)
{
    if (selected == IsSelected) return;
    IsSelected = selected;
    HWND wnd = Layer.Raster.Handle();
    if (!wnd) return;
    TWindowDC dc(wnd);
    Draw(dc.Get());
}

// The icon covers its picture pixels, so it grows and shrinks with the zoom.
void TRasterObject::Draw(HDC dc)
{
    TRaster& r = Layer.Raster;
    HIMAGELIST list = IsSelected ? r.SelectImage : r.StateImage;
    if (!r.StateImage || !list) return;
    int index = Data.ImageIndex();
    if (index < 0 || index >= ImageList_GetImageCount(list)) return;  // the file is untrusted
    const TViewState& v = r.View();
    if (v.ScaleX <= 0 || v.ScaleY <= 0) return;
    int w = 0, h = 0;
    ImageList_GetIconSize(r.StateImage, &w, &h);
    double dx = X() - v.L, dy = Y() - v.T;
    Rect = {RoundEven((dx - w / 2.0) / v.ScaleX) + v.DL, RoundEven((dy - h / 2.0) / v.ScaleY) + v.DT,
            RoundEven((dx + w / 2.0) / v.ScaleX) + v.DL, RoundEven((dy + h / 2.0) / v.ScaleY) + v.DT};
    TIconHandle icon(ImageList_GetIcon(list, index, ILD_TRANSPARENT));
    if (icon)
        DrawIconEx(dc, Rect.left, Rect.top, icon.Get(), Rect.right - Rect.left, Rect.bottom - Rect.top, 0, nullptr,
                   DI_NORMAL);
}

TRasterLayer::TRasterLayer(TRaster& raster, std::string name) : Raster(raster), Name(std::move(name)) {}

void TRasterLayer::SetCurrent(TRasterObject* object)
{
    if (object == CurrentObject) return;
    CurrentObject = object;
    if (Raster.OnActiveObjectChange) Raster.OnActiveObjectChange(object);
}

void TRasterLayer::SetState(uint8_t state)
{
    if (state > kLayerHidden) state = kLayerShown;
    if (state == LayerState) return;
    if (Raster.ActiveLayer && Raster.ActiveLayer->Current()) Raster.ActiveLayer->Current()->SetSelected(false);
    LayerState = state;
    if (Raster.Layers.Updating) return;
    if (state == kLayerActive) {
        // The layer that becomes active demotes the previous one to shown.
        if (Raster.ActiveLayer && Raster.ActiveLayer != this) {
            Raster.Layers.Updating = true;
            Raster.ActiveLayer->SetState(kLayerShown);
            Raster.Layers.Updating = false;
        }
        Raster.ActiveLayer = this;
        if (Raster.OnActiveLayerChange) Raster.OnActiveLayerChange(this);
    }
    if (Raster.Handle()) InvalidateRect(Raster.Handle(), nullptr, FALSE);
}

void TRasterLayer::AddObject(std::unique_ptr<TRasterObject> object)
{
    Objects.push_back(std::move(object));
    Raster.Modified = true;
}

void TRasterLayer::SortByName(int direction)
{
    if (Objects.size() < 2) return;
    std::sort(Objects.begin(), Objects.end(), [direction](const auto& a, const auto& b) {
        int c = a->Name().compare(b->Name());
        return c * direction < 0;
    });
}

bool TRaster::LoadObjects(const std::wstring& fileName)
{
    std::vector<uint8_t> bytes;
    size_t size = 0;
    if (GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES || !ReadPictureFile(fileName, bytes, size))
        return false;
    bytes.resize(size);
    for (TGrxLayer& read : ParseGrx(bytes)) {
        auto layer = std::make_unique<TRasterLayer>(*this, read.Name);
        TRasterLayer& added = *layer;
        Layers.Add(std::move(layer));
        for (const TGrxRecord& record : read.Objects) {
            auto object = std::make_unique<TRasterObject>(added);
            object->Data = record;
            added.Append(std::move(object));
        }
        added.SetState(read.State);
    }
    return true;
}

bool TRaster::SaveObjects(const std::wstring& fileName)
{
    if (GetFileAttributesW(fileName.c_str()) != INVALID_FILE_ATTRIBUTES &&
        Message(L"データを上書きしますか？", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return false;
    std::vector<TGrxLayer> layers;
    for (int i = 0; i < Layers.Count(); ++i) {
        TRasterLayer& l = Layers.Items(i);
        TGrxLayer g{l.Name, l.State(), {}};
        for (int k = 0; k < l.Count(); ++k) g.Objects.push_back(l.Items(k).Data);
        layers.push_back(std::move(g));
    }
    std::vector<uint8_t> bytes = FormatGrx(layers);
    if (ReplaceFileWhole(fileName, bytes.data(), bytes.size()) != 0) return false;
    Modified = false;
    return true;
}
