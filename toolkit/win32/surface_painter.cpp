// Painting of the surface components; see surface_painter.h.
#include "toolkit/win32/surface_painter.h"

#include <algorithm>
#include <string>

#include "platform/concat.h"
#include "platform/decimal_piece.h"
#include "toolkit/activity_indicator.h"
#include "toolkit/gauge.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/win32/busy_ring.h"
#include "toolkit/win32/short_list.h"
#include "toolkit/win32/wide.h"
#include "toolkit/win32/win32_image.h"

namespace toolkit::win32 {

COLORREF resolveColor(Color color) {
    if (isSystemColor(color)) return GetSysColor(systemColorIndex(color));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

namespace {
RECT boundsOf(const Control& control) {
    return {control.left(), control.top(), control.left() + control.width(), control.top() + control.height()};
}

bool meets(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}
}  // namespace

SurfacePainter::SurfacePainter(const WicCodec& codec, FontCache& fonts)
    : codec_(codec), fonts_(fonts), sourceDc_(CreateCompatibleDC(nullptr)) {}

SurfacePainter::~SurfacePainter() { DeleteDC(sourceDc_); }

void SurfacePainter::paint(HDC dc, const Form& form, const RECT& area) {
    fill(dc, area, resolveColor(form.color()));
    for (const Control* control : form.controls()) {
        if (!control->visible() || !meets(boundsOf(*control), area)) continue;
        if (auto* picture = controlAs<const Picture>(control)) {
            paintPicture(dc, *picture);
        } else if (auto* label = controlAs<const Label>(control)) {
            paintLabel(dc, form, *label);
        } else if (auto* gauge = controlAs<const Gauge>(control)) {
            paintGauge(dc, *gauge);
        }
    }
    // The busy indicator lies above everything drawn on the surface, like a child window.
    for (const Control* control : form.controls()) {
        auto* indicator = controlAs<const ActivityIndicator>(control);
        if (indicator && indicator->visible() && meets(boundsOf(*indicator), area)) paintBusy(dc, *indicator);
    }
}

void SurfacePainter::blend(HDC dc, const Bitmap& bitmap, int x, int y, int width, int height) {
    HGDIOBJ old = SelectObject(sourceDc_, bitmap.handle());
    BLENDFUNCTION blendFunction{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // GDI32's own entry: msimg32.dll, which exports AlphaBlend, is no KnownDLL, so importing
    // it would let a file of that name beside the installer run inside it.
    GdiAlphaBlend(dc, x, y, width, height, sourceDc_, 0, 0, width, height, blendFunction);
    SelectObject(sourceDc_, old);
}

const Bitmap& SurfacePainter::scaled(const Picture& picture, const Bitmap& source, int width, int height) {
    Stretched* found = findIn(scaled_, &picture);
    Stretched& entry = found ? *found : scaled_.emplace_back(&picture, Stretched{}).second;
    if (entry.source != picture.image().data || !entry.copy || entry.copy->width() != width ||
        entry.copy->height() != height) {
        entry.copy = codec_.scale(source, width, height);
        entry.source = picture.image().data;
    }
    return *entry.copy;
}

void SurfacePainter::paintPicture(HDC dc, const Picture& picture) {
    const Bitmap* bitmap = bitmapOf(picture.image());
    if (!bitmap || picture.width() <= 0 || picture.height() <= 0) return;
    if (picture.stretch()) {
        const Bitmap& shown = (bitmap->width() == picture.width() && bitmap->height() == picture.height())
                                  ? *bitmap
                                  : scaled(picture, *bitmap, picture.width(), picture.height());
        blend(dc, shown, picture.left(), picture.top(), picture.width(), picture.height());
    } else {
        // At its own size from the top-left corner, cut off at the control's edges.
        blend(dc, *bitmap, picture.left(), picture.top(), std::min(bitmap->width(), picture.width()),
              std::min(bitmap->height(), picture.height()));
    }
}

void SurfacePainter::paintLabel(HDC dc, const Form& form, const Label& label) {
    RECT rect = boundsOf(label);
    if (!label.transparent()) fill(dc, rect, resolveColor(form.color()));
    drawText(dc, label.font(), label.caption(), rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void SurfacePainter::paintGauge(HDC dc, const Gauge& gauge) {
    RECT rect = boundsOf(gauge);
    if (gauge.border()) {
        HBRUSH frame = CreateSolidBrush(resolveColor(gauge.controlColor()));
        FrameRect(dc, &rect, frame);
        DeleteObject(frame);
        InflateRect(&rect, -1, -1);
    }
    fill(dc, rect, resolveColor(gauge.backColor()));
    const int percent = gauge.percentDone();
    RECT done = rect;
    // width * percent / 100 without the product overflowing, in 32 bits.
    const LONG width = rect.right - rect.left;
    done.right = rect.left + width / 100 * percent + width % 100 * percent / 100;
    if (done.right > done.left) fill(dc, done, resolveColor(gauge.foreColor()));
    // Narrow digits, not to_wstring: the latter goes through a wide printf, 24 KB of the stub.
    drawText(dc, gauge.font(), platform::concat({platform::DecimalPiece(percent), "%"}), rect,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SurfacePainter::drawText(HDC dc, const Font& font, std::string_view utf8, RECT& rect, UINT format) {
    HGDIOBJ old = SelectObject(dc, fonts_.get(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, resolveColor(font.color));
    const std::wstring text = widen(utf8);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SelectObject(dc, old);
}

void SurfacePainter::paintBusy(HDC dc, const ActivityIndicator& indicator) {
    const int size = std::min(indicator.width(), indicator.height());
    if (size <= 0) return;
    if (!busyFrame_ || busyFrame_->width() != size) busyFrame_ = std::make_unique<Bitmap>(size, size);
    drawBusyRing(busyFrame_->pixels(), size, indicator.frame(), resolveColor(indicator.dotColor()));
    GdiFlush();
    blend(dc, *busyFrame_, indicator.left() + (indicator.width() - size) / 2,
          indicator.top() + (indicator.height() - size) / 2, size, size);
}

}  // namespace toolkit::win32
