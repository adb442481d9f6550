// Draws the components that live on the window's own surface (pictures, labels, gauges and
// the busy indicator) into a device context, bottom to top, clipped to the area being painted.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/win32/bitmap.h"
#include "toolkit/win32/fonts.h"
#include "toolkit/win32/wic_codec.h"

namespace toolkit {
class Picture;
class Label;
class Gauge;
class ActivityIndicator;
}  // namespace toolkit

namespace toolkit::win32 {

COLORREF resolveColor(Color color);

class SurfacePainter {
public:
    SurfacePainter(const WicCodec& codec, FontCache& fonts);
    ~SurfacePainter();
    SurfacePainter(const SurfacePainter&) = delete;
    SurfacePainter& operator=(const SurfacePainter&) = delete;

    // The form's background and every visible surface component that meets `area`.
    void paint(HDC dc, const Form& form, const RECT& area);

private:
    void paintPicture(HDC dc, const Picture& picture);
    void paintLabel(HDC dc, const Form& form, const Label& label);
    void paintGauge(HDC dc, const Gauge& gauge);
    void paintBusy(HDC dc, const ActivityIndicator& indicator);
    // `utf8` in the font's face and colour, over what is there; `format` takes DT_ flags.
    void drawText(HDC dc, const Font& font, std::string_view utf8, RECT& rect, UINT format);
    void blend(HDC dc, const Bitmap& bitmap, int x, int y, int width, int height);
    const Bitmap& scaled(const Picture& picture, const Bitmap& source, int width, int height);

    const WicCodec& codec_;
    FontCache& fonts_;
    HDC sourceDc_;
    // Stretched copies of pictures, kept while the picture's image and size stay the same;
    // the entry holds the source image so that its address cannot be reused meanwhile.
    struct Stretched {
        std::shared_ptr<const ImageData> source;
        std::unique_ptr<Bitmap> copy;
    };
    std::vector<std::pair<const Picture*, Stretched>> scaled_;  // one per picture: short_list.h
    std::unique_ptr<Bitmap> busyFrame_;
};

}  // namespace toolkit::win32
