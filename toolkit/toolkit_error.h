// What a backend throws when a picture or a window cannot be had: the fault and the name
// concerned (a file, a built-in picture, a size "WxH", a form), for the program to word in
// its users' language; what() is an English line for traces.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace toolkit {

enum class ToolkitFault {
    PictureFileUnreadable,    // the picture file cannot be opened or read (name: the file)
    NotAJpeg,                 // the file holds no JPEG picture that can be shown (name: the file)
    NoPictureDecoder,         // no JPEG decoder; `detail` names the system's missing component
    NoBuiltInPicture,         // the program holds no picture of that name
    PictureUndecodable,       // a built-in picture's bytes cannot be decoded (name: the picture)
    PictureUnconvertible,     // the decoded picture cannot be turned into the screen's pixels
    PictureUnscalable,        // the picture cannot be scaled (name: the size "WxH")
    BadPictureSize,           // a picture of no area was asked for (name: "WxH")
    NoMemoryForPicture,       // the system gave no memory for the picture (name: "WxH")
    WindowNotCreated,         // the system refused the form's window (name: the form)
    FolderChooserUnavailable, // the system's folder chooser cannot be opened
};

class ToolkitError : public std::runtime_error {
public:
    // Out of line, as it builds the message: one copy for all throws. Views, so that a throw
    // site naming a literal (or no detail) builds no string of its own.
    ToolkitError(ToolkitFault fault, std::string_view name, std::string_view detail = {});

    ToolkitFault fault() const { return fault_; }
    const std::string& name() const { return name_; }
    const std::string& detail() const { return detail_; }

    // "WxH", the name of a size.
    static std::string sizeName(int width, int height);

private:
    static const char* faultName(ToolkitFault fault);

    ToolkitFault fault_;
    std::string name_;
    std::string detail_;
};

}  // namespace toolkit
