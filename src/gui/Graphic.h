#pragma once
// Pictures a window or a report can draw: the device bitmap, the icon and
// the enhanced metafile of the platform. Other rooms add their own kinds
// (the device-independent bitmap, the JPEG picture).
#include "gui/Handles.h"

#include <memory>

class TGraphic {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;
    virtual ~TGraphic() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Draws the whole picture stretched into `rect` of `dc`.
    virtual void Draw(HDC dc, const RECT& rect) const = 0;
    // An independent copy of the picture.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
};

// A device-dependent bitmap, owned.
class TBitmapGraphic : public TGraphic {
public:
    TBitmapGraphic() = default;
    explicit TBitmapGraphic(HBITMAP bitmap) : Bitmap(bitmap) {}
    // A blank bitmap of the screen's format.
    static std::unique_ptr<TBitmapGraphic> Blank(int width, int height);

    HBITMAP Handle() const { return Bitmap.Get(); }
    int Width() const override;
    int Height() const override;
    void Draw(HDC dc, const RECT& rect) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    TBitmapHandle Bitmap;
};

// An icon, owned.
class TIconGraphic : public TGraphic {
public:
    explicit TIconGraphic(HICON icon) : Icon(icon) {}
    HICON Handle() const { return Icon.Get(); }
    int Width() const override;
    int Height() const override;
    void Draw(HDC dc, const RECT& rect) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    TIconHandle Icon;
};

// An enhanced metafile, owned.
class TMetafileGraphic : public TGraphic {
public:
    explicit TMetafileGraphic(HENHMETAFILE metafile) : Metafile(metafile) {}
    ~TMetafileGraphic() override;
    HENHMETAFILE Handle() const { return Metafile; }
    int Width() const override;
    int Height() const override;
    void Draw(HDC dc, const RECT& rect) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    HENHMETAFILE Metafile;
};
