// Font creation with face fallback; see fonts.h.
#include "toolkit/win32/fonts.h"

#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

namespace {
int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool systemHas(const std::wstring& face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &query, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}
}  // namespace

FontCache::~FontCache() {
    for (const Made& made : fonts_) DeleteObject(made.font);
}

std::wstring FontCache::availableFace(const std::wstring& wanted) {
    std::wstring chosen = wanted;
    if (!systemHas(wanted)) {
        for (const wchar_t* candidate : {L"Tahoma", L"Verdana", L"Segoe UI", L"MS Shell Dlg 2"}) {
            if (systemHas(candidate)) {
                chosen = candidate;
                break;
            }
        }
    }
    return chosen;
}

HFONT FontCache::get(const Font& wanted) {
    const std::string& face = wanted.name;
    const int heightPx = wanted.heightPx;
    const bool bold = wanted.bold;
    const Made* sameFace = nullptr;
    for (const Made& made : fonts_) {
        if (made.face != face) continue;
        if (made.heightPx == heightPx && made.bold == bold) return made.font;
        sameFace = &made;
    }
    LOGFONTW description{};
    description.lfHeight = -heightPx;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    std::wstring chosen = sameFace ? sameFace->chosenFace : availableFace(widen(face.empty() ? "Tahoma" : face));
    lstrcpynW(description.lfFaceName, chosen.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&description);
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.push_back({face, heightPx, bold, font, std::move(chosen)});
    return font;
}

}  // namespace toolkit::win32
