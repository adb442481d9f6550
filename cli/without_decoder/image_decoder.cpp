// A Windows build that lacks the Win32 backend's decoder: no decoder, so the headless backend
// reports a cover it is asked to show as unreadable, naming the file.
#include "cli/image_decoder.h"

namespace cli {

std::unique_ptr<toolkit::ImageDecoder> makeImageDecoder() { return nullptr; }

}  // namespace cli
