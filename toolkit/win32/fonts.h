// GDI fonts for the toolkit's Font descriptions, created once per description and kept for the
// backend's lifetime. A face the system lacks is replaced by the closest one it has
// (Tahoma, then Verdana, Segoe UI, MS Shell Dlg 2).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/font.h"

namespace toolkit::win32 {

class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font's face, height and weight; the height is the character height (without internal
    // leading), as a negative LOGFONT height. The colour is the caller's to set.
    HFONT get(const Font& font);

private:
    static std::wstring availableFace(const std::wstring& wanted);

    struct Made {
        std::string face;
        int heightPx;
        bool bold;
        HFONT font;
        std::wstring chosenFace;  // what the system had for `face`
    };
    // A few per window: searched in order. A face already made at another size or weight
    // gives its chosen face, so the system's fonts are searched once per face.
    std::vector<Made> fonts_;
};

}  // namespace toolkit::win32
