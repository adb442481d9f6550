// Windows: WIC.
#include "toolkit/platform_image_decoder.h"

#include "toolkit/win32/wic_image_decoder.h"

namespace toolkit {

std::unique_ptr<ImageDecoder> makePlatformImageDecoder() {
    return std::make_unique<win32::WicImageDecoder>();
}

}  // namespace toolkit
