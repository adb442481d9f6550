// The POSIX JPEG decoder on files written here with libjpeg's own encoder, damaged ones too.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "tests/support/test_paths.h"
#include "toolkit/headless/libjpeg/libjpeg_decoder.h"

namespace toolkit {
namespace {

std::string encodeJpeg(int width, int height) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            row[std::size_t(x) * 3] = static_cast<unsigned char>(x * 7);
            row[std::size_t(x) * 3 + 1] = static_cast<unsigned char>(y * 5);
            row[std::size_t(x) * 3 + 2] = 200;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

TEST(LibjpegDecoder, DecodesTheWholePictureAtItsSize) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "cover.jpg";
    testsupport::writeFile(file, encodeJpeg(104, 58));
    LibjpegDecoder decoder;
    const Image image = decoder.decodeJpegFile(file.string());
    EXPECT_EQ(image.width, 104);
    EXPECT_EQ(image.height, 58);
    auto* rgb = dynamic_cast<const RgbImageData*>(image.data.get());
    ASSERT_NE(rgb, nullptr);
    ASSERT_EQ(rgb->rgb.size(), 104u * 58u * 3u);
    // The pixels are the encoded ones, rows top down, red-green-blue: red grows along a row,
    // green down a column, blue is fixed. JPEG is lossy, so within a small tolerance, at
    // points away from where the gradients wrap round (x = 37, 74; y = 52).
    const auto at = [&](int x, int y, int channel) { return int(rgb->rgb[(std::size_t(y) * 104 + x) * 3 + channel]); };
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{3, 3}, {30, 5}, {5, 45}, {28, 48}, {50, 20}, {90, 10}}) {
        SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
        EXPECT_NEAR(at(x, y, 0), (x * 7) % 256, 12);
        EXPECT_NEAR(at(x, y, 1), (y * 5) % 256, 12);
        EXPECT_NEAR(at(x, y, 2), 200, 12);
    }
}

TEST(LibjpegDecoder, UnreadableFilesThrowNamingTheFile) {
    testsupport::TempDir dir;
    const std::string good = encodeJpeg(64, 64);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty.jpg", ""},
        {"text.jpg", "not a picture at all"},
        {"truncated.jpg", good.substr(0, good.size() / 2)},
        {"header-only.jpg", good.substr(0, 200)},
    };
    LibjpegDecoder decoder;
    for (const auto& [name, bytes] : cases) {
        const auto file = dir.path() / name;
        testsupport::writeFile(file, bytes);
        try {
            decoder.decodeJpegFile(file.string());
            ADD_FAILURE() << name << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(decoder.decodeJpegFile((dir.path() / "missing.jpg").string()),
                 std::runtime_error);
}

}  // namespace
}  // namespace toolkit
