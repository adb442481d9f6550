// JPEG files decoded with libjpeg-turbo. libjpeg reports errors through a callback that must
// not return; it jumps back here, and the message becomes an exception naming the file.
#include "toolkit/headless/libjpeg/libjpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

#include "toolkit/toolkit_error.h"

namespace toolkit {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (a corrupt stream libjpeg can still read on) count as damage: a picture the user
// would see garbled is not a readable picture.
void onWarning(j_common_ptr info, int level) {
    if (level < 0) onError(info);
}

std::vector<unsigned char> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ToolkitError(ToolkitFault::PictureFileUnreadable, path);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// Returns an empty string on success, else libjpeg's message. No C++ object with a
// destructor lives between setjmp and the jumps.
std::string decode(const std::vector<unsigned char>& bytes, int& width, int& height,
                   std::vector<std::uint8_t>& rgb) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onWarning;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return errors.message;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    const std::size_t stride = std::size_t(info.output_width) * 3;
    rgb.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return {};
}

}  // namespace

Image LibjpegDecoder::decodeJpegFile(const std::string& path) {
    const std::vector<unsigned char> bytes = readWholeFile(path);
    if (bytes.empty()) throw ToolkitError(ToolkitFault::NotAJpeg, path, "empty file");
    auto data = std::make_shared<RgbImageData>();
    int width = 0, height = 0;
    const std::string failure = decode(bytes, width, height, data->rgb);
    if (!failure.empty())
        throw ToolkitError(ToolkitFault::NotAJpeg, path, failure);
    return Image{width, height, std::move(data)};
}

}  // namespace toolkit
