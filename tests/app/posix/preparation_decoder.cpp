// The covers of the preparation tests are decoded by libjpeg-turbo on POSIX.
#include "tests/app/preparation_fixture.h"
#include "toolkit/headless/libjpeg/libjpeg_decoder.h"

namespace preparationtest {

std::unique_ptr<toolkit::ImageDecoder> makeDecoder() {
    return std::make_unique<toolkit::LibjpegDecoder>();
}

}  // namespace preparationtest
