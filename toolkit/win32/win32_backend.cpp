// The Win32 backend's services; the window itself is FormWindow.
#include "toolkit/win32/win32_backend.h"

#include <objbase.h>
#include <commctrl.h>

#include <cstring>
#include <stdexcept>

#include "platform/concat.h"
#include "toolkit/toolkit_error.h"
#include "toolkit/win32/common_controls.h"
#include "toolkit/win32/folder_dialog.h"
#include "toolkit/win32/wide.h"
#include "toolkit/win32/win32_image.h"

namespace toolkit::win32 {

Win32Backend::Win32Backend() {
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    commonControls().initCommonControlsEx(&controls);
    codec_ = std::make_unique<WicCodec>();
}

Win32Backend::~Win32Backend() {
    window_.reset();
    codec_.reset();
    if (comStarted_) CoUninitialize();
}

void Win32Backend::initialize(const Application& application) { application_ = application; }

void Win32Backend::attach(Form& form) {
    window_ = std::make_unique<FormWindow>(form, dispatcher(), *codec_, fonts_, application_.mainFormOnTaskbar);
    form_ = &form;
}

void Win32Backend::detach(Form& form) {
    if (&form != form_) return;
    // The window's destructor still reads the form, its components and timers.
    window_.reset();
    form_ = nullptr;
}

FormWindow& Win32Backend::windowOf(Form& form) {
    if (&form != form_ || !window_) throw std::logic_error(platform::concat({"window not created: ", form.name()}));
    return *window_;
}

void Win32Backend::run(Form& form) { windowOf(form).run(); }

void Win32Backend::close(Form& form) { windowOf(form).close(); }

void Win32Backend::repaintNow(Control& control) {
    if (window_) window_->repaintNow(control);
}

void Win32Backend::keepAlive() {
    if (window_) window_->keepAlive();
}

void Win32Backend::showErrorReport(const std::string& message) {
    // Like the classic report: the message as one sentence, the application's title above it.
    std::string text = message;
    if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    HWND owner = window_ && !window_->closed() ? window_->handle() : nullptr;
    MessageBoxW(owner, widen(text).c_str(), widen(application_.title).c_str(), MB_OK | MB_ICONERROR);
}

Image Win32Backend::loadJpegFile(const std::string& path) { return makeImage(codec_->decodeJpegFile(path)); }

Image Win32Backend::loadAsset(const std::string& name, int /*width*/, int /*height*/) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, widen(name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) throw ToolkitError(ToolkitFault::NoBuiltInPicture, name);
    return makeImage(codec_->decodeMemory(bytes, SizeofResource(module, resource), name));
}

Image Win32Backend::stretch(const Image& image, int width, int height) {
    const Bitmap* bitmap = bitmapOf(image);
    if (!bitmap) throw std::invalid_argument("stretch: empty picture");
    return makeImage(codec_->scale(*bitmap, width, height));
}

Image Win32Backend::crop(const Image& image, int x, int y, int width, int height) {
    const Bitmap* bitmap = bitmapOf(image);
    if (!bitmap || !image.contains(x, y, width, height))
        throw std::invalid_argument("crop: part outside the picture");
    auto part = std::make_unique<Bitmap>(width, height);
    for (int row = 0; row < height; ++row)
        std::memcpy(part->pixels() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width),
                    bitmap->pixels() + static_cast<std::size_t>(y + row) * static_cast<std::size_t>(bitmap->width()) + x,
                    static_cast<std::size_t>(width) * 4);
    return makeImage(std::move(part));
}

std::optional<std::string> Win32Backend::chooseFolder(const std::string& title, const std::string& startFolder) {
    HWND owner = window_ && !window_->closed() ? window_->handle() : nullptr;
    return pickFolder(owner, title, startFolder);
}

}  // namespace toolkit::win32
