// The toolkit's ImageDecoder on Windows (used by the headless backend in the Windows test
// build): JPEG files decoded by WIC into this backend's images.
#pragma once

#include "toolkit/image_decoder.h"
#include "toolkit/win32/wic_codec.h"

namespace toolkit::win32 {

class WicImageDecoder : public ImageDecoder {
public:
    Image decodeJpegFile(const std::string& path) override;

private:
    WicCodec codec_;
};

}  // namespace toolkit::win32
