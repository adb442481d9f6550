// Picture decoding and resampling through the Windows Imaging Component: JPEG files, the
// PNG and JPEG resources of the executable, and the high-quality stretch of a picture.
#pragma once

#include <memory>
#include <string>

#include "toolkit/win32/bitmap.h"

namespace toolkit::win32 {

class WicCodec {
public:
    // Needs COM initialised on this thread; throws std::runtime_error without WIC.
    WicCodec();
    ~WicCodec();
    WicCodec(const WicCodec&) = delete;
    WicCodec& operator=(const WicCodec&) = delete;

    // Throws std::runtime_error naming the file unless it is a readable JPEG picture.
    std::unique_ptr<Bitmap> decodeJpegFile(const std::string& path) const;
    // A JPEG or PNG held in memory (a resource); `what` names it in errors.
    std::unique_ptr<Bitmap> decodeMemory(const void* bytes, std::size_t size, const std::string& what) const;
    // A copy of exactly width x height pixels, resampled with the Fant filter.
    std::unique_ptr<Bitmap> scale(const Bitmap& source, int width, int height) const;

private:
    struct Factory;
    std::unique_ptr<Factory> factory_;
};

}  // namespace toolkit::win32
