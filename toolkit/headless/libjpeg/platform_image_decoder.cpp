// POSIX: libjpeg-turbo.
#include "toolkit/platform_image_decoder.h"

#include "toolkit/headless/libjpeg/libjpeg_decoder.h"

namespace toolkit {

std::unique_ptr<ImageDecoder> makePlatformImageDecoder() { return std::make_unique<LibjpegDecoder>(); }

}  // namespace toolkit
