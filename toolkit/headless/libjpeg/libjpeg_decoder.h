// The JPEG decoder of the headless backend on POSIX systems, on libjpeg-turbo: the whole
// picture is decoded (so a damaged file is caught, not only its header) to 8-bit RGB.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/image_decoder.h"

namespace toolkit {

// The decoded pixels, rows top to bottom, 3 bytes per pixel.
class RgbImageData : public ImageData {
public:
    std::vector<std::uint8_t> rgb;
    const void* maker() const override { return &kMaker; }
    static constexpr char kMaker = 0;
};

class LibjpegDecoder : public ImageDecoder {
public:
    Image decodeJpegFile(const std::string& path) override;
};

}  // namespace toolkit
