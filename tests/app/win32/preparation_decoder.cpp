// The covers of the preparation tests are decoded by WIC on Windows, as the window does.
#include "tests/app/preparation_fixture.h"
#include "toolkit/win32/wic_image_decoder.h"

namespace preparationtest {

std::unique_ptr<toolkit::ImageDecoder> makeDecoder() {
    return std::make_unique<toolkit::win32::WicImageDecoder>();
}

}  // namespace preparationtest
