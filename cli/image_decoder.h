// The JPEG decoder pakiet's headless runs show covers with: libjpeg-turbo on POSIX, WIC on
// Windows (the file for the platform is chosen by cli/CMakeLists.txt).
#pragma once

#include <memory>

#include "toolkit/image_decoder.h"

namespace cli {

std::unique_ptr<toolkit::ImageDecoder> makeImageDecoder();

}  // namespace cli
