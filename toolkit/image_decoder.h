// Decoding of picture files for the backends: libjpeg-turbo on POSIX
// (toolkit/headless/libjpeg/), WIC on Windows (toolkit/win32/).
#pragma once

#include <string>

#include "toolkit/image.h"

namespace toolkit {

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    // Decodes a JPEG file; throws std::runtime_error naming the file when it cannot be read
    // or is not a JPEG picture.
    virtual Image decodeJpegFile(const std::string& path) = 0;
};

}  // namespace toolkit
