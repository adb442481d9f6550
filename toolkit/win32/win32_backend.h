// The Win32 backend: real windows drawn with WIC pictures and GDI, the system's message box
// as the standard error report, pictures from the executable's resources, and the system's
// folder picker. One user-interface thread; COM is initialised for it here.
#pragma once

#include <memory>

#include "toolkit/backend.h"
#include "toolkit/win32/fonts.h"
#include "toolkit/win32/form_window.h"
#include "toolkit/win32/wic_codec.h"

namespace toolkit::win32 {

class Win32Backend : public Backend {
public:
    Win32Backend();
    ~Win32Backend() override;

    void initialize(const Application& application) override;
    void attach(Form& form) override;
    void detach(Form& form) override;
    void run(Form& form) override;
    void close(Form& form) override;
    void repaintNow(Control& control) override;
    void keepAlive() override;
    void showErrorReport(const std::string& message) override;
    Image loadJpegFile(const std::string& path) override;
    // RCDATA resource named like the component (case does not matter to the resource lookup).
    Image loadAsset(const std::string& name, int width, int height) override;
    Image stretch(const Image& image, int width, int height) override;
    Image crop(const Image& image, int x, int y, int width, int height) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& startFolder) override;

private:
    FormWindow& windowOf(Form& form);

    bool comStarted_ = false;
    Application application_;
    std::unique_ptr<WicCodec> codec_;
    FontCache fonts_;
    Form* form_ = nullptr;
    std::unique_ptr<FormWindow> window_;
};

}  // namespace toolkit::win32
