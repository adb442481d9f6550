// WIC behind the portable decoder interface.
#include "toolkit/win32/wic_image_decoder.h"

#include "toolkit/win32/win32_image.h"

namespace toolkit::win32 {

Image WicImageDecoder::decodeJpegFile(const std::string& path) { return makeImage(codec_.decodeJpegFile(path)); }

}  // namespace toolkit::win32
