// The system's own picture decoder: libjpeg-turbo on POSIX, WIC on Windows, as the window
// decodes its pictures. CMake builds the one implementation for the target.
#pragma once

#include <memory>

#include "toolkit/image_decoder.h"

namespace toolkit {

std::unique_ptr<ImageDecoder> makePlatformImageDecoder();

}  // namespace toolkit
