#include "toolkit/toolkit_error.h"

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace toolkit {

ToolkitError::ToolkitError(ToolkitFault fault, std::string_view name, std::string_view detail)
    : std::runtime_error(platform::concat({faultName(fault), name.empty() ? "" : ": ", name,
                                           detail.empty() ? "" : " (", detail, detail.empty() ? "" : ")"})),
      fault_(fault),
      name_(name),
      detail_(detail) {}

std::string ToolkitError::sizeName(int width, int height) {
    return platform::concat({platform::DecimalPiece(width), "x", platform::DecimalPiece(height)});
}

const char* ToolkitError::faultName(ToolkitFault fault) {
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

}  // namespace toolkit
