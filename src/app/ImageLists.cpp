#include "app/ImageLists.h"

#include "gui/Handles.h"

HIMAGELIST LoadCommandImages(bool disabled)
{
    TBitmapHandle strip(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                        disabled ? L"IMAGELIST2" : L"IMAGELIST1", IMAGE_BITMAP, 0, 0,
                                                        LR_CREATEDIBSECTION)));
    if (!strip) return nullptr;
    BITMAP bm{};
    GetObjectW(strip.Get(), sizeof bm, &bm);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, bm.bmWidth / 16, 8);
    ImageList_Add(list, strip.Get(), nullptr);
    return list;
}
