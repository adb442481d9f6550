// What a backend throws when a picture or a window cannot be had: the fault and the name
// concerned (a file, a built-in picture, a size "WxH", a form), for the program to word in
// its users' language; what() is an English line for traces.
#pragma once

#include <stdexcept>
#include <string>

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
    ToolkitError(ToolkitFault fault, const std::string& name, const std::string& detail = "")
        : std::runtime_error(faultName(fault) + (name.empty() ? "" : ": " + name) +
                             (detail.empty() ? "" : " (" + detail + ")")),
          fault_(fault), name_(name), detail_(detail) {}

    ToolkitFault fault() const { return fault_; }
    const std::string& name() const { return name_; }
    const std::string& detail() const { return detail_; }

    // "WxH", the name of a size.
    static std::string sizeName(int width, int height) {
        return std::to_string(width) + "x" + std::to_string(height);
    }

private:
    static std::string faultName(ToolkitFault fault) {
        switch (fault) {
            case ToolkitFault::PictureFileUnreadable: return "cannot read the picture file";
            case ToolkitFault::NotAJpeg: return "not a readable JPEG picture";
            case ToolkitFault::NoPictureDecoder: return "no JPEG decoder";
            case ToolkitFault::NoBuiltInPicture: return "no built-in picture";
            case ToolkitFault::PictureUndecodable: return "cannot decode the picture";
            case ToolkitFault::PictureUnconvertible: return "cannot convert the picture";
            case ToolkitFault::PictureUnscalable: return "cannot scale the picture to";
            case ToolkitFault::BadPictureSize: return "bad picture size";
            case ToolkitFault::NoMemoryForPicture: return "no memory for a picture of";
            case ToolkitFault::WindowNotCreated: return "cannot create the window";
            case ToolkitFault::FolderChooserUnavailable: return "cannot open the folder chooser";
        }
        return "toolkit error";
    }

    ToolkitFault fault_;
    std::string name_;
    std::string detail_;
};

}  // namespace toolkit
