// The marker structure of a JPEG file, read without decoding it: the size its frame header
// declares and whether the file runs to its end-of-image marker. Lets a caller refuse a
// picture by its declared size before a decoder allocates it, and makes every decoder refuse
// a cut file alike (libjpeg calls one damaged; WIC would show it with a grey rest).
#pragma once

#include <string_view>

namespace toolkit {

struct JpegLayout {
    bool startsAsJpeg = false;  // SOI marker first
    bool hasFrame = false;      // a frame header (SOFn) was found
    int width = 0;              // as the frame header declares
    int height = 0;
    bool complete = false;      // the end-of-image marker follows the last segment or scan
};

JpegLayout readJpegLayout(std::string_view bytes);

}  // namespace toolkit
