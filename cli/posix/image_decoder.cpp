// POSIX: libjpeg-turbo through the headless backend's decoder.
#include "cli/image_decoder.h"

#include "toolkit/headless/libjpeg/libjpeg_decoder.h"

namespace cli {

std::unique_ptr<toolkit::ImageDecoder> makeImageDecoder() {
    return std::make_unique<toolkit::LibjpegDecoder>();
}

}  // namespace cli
