// Windows: WIC, as the window itself decodes covers.
#include "cli/image_decoder.h"

#include "toolkit/win32/wic_image_decoder.h"

namespace cli {

std::unique_ptr<toolkit::ImageDecoder> makeImageDecoder() {
    return std::make_unique<toolkit::win32::WicImageDecoder>();
}

}  // namespace cli
