// The system's own decoder (libjpeg-turbo here, WIC under Windows) refuses the same damaged
// covers on both systems, and the marker walker reads what covers declare without decoding.
#include <gtest/gtest.h>

#include "tests/support/test_paths.h"
#include "toolkit/jpeg_layout.h"
#include "toolkit/platform_image_decoder.h"
#include "toolkit/toolkit_error.h"

namespace {

std::string cover() {
    return testsupport::readFile(testsupport::sourceDir() / "tests" / "archive" / "covers" / "cover-960x540.jpg");
}

class PlatformDecoder : public ::testing::Test {
protected:
    // Decodes `bytes` written to a file; the fault of a refusal, or none.
    std::optional<toolkit::ToolkitFault> decode(const std::string& bytes, toolkit::Image* image = nullptr) {
        const auto file = dir.path() / ("picture" + std::to_string(files++) + ".jpg");
        testsupport::writeFile(file, bytes);
        try {
            const toolkit::Image decoded = decoder->decodeJpegFile(file.string());
            if (image) *image = decoded;
            return std::nullopt;
        } catch (const toolkit::ToolkitError& error) {
            return error.fault();
        }
    }
    testsupport::TempDir dir;
    std::unique_ptr<toolkit::ImageDecoder> decoder = toolkit::makePlatformImageDecoder();
    int files = 0;
};

TEST_F(PlatformDecoder, DecodesAWholeCover) {
    toolkit::Image image;
    EXPECT_EQ(decode(cover(), &image), std::nullopt);
    EXPECT_EQ(image.width, 960);
    EXPECT_EQ(image.height, 540);
}

// WIC shows a cut file with a grey rest; libjpeg calls it damaged. Both must refuse it.
TEST_F(PlatformDecoder, RefusesACutCoverAsLibjpegDoes) {
    const std::string whole = cover();
    ASSERT_EQ(whole.substr(whole.size() - 2), "\xFF\xD9");
    EXPECT_EQ(decode(whole.substr(0, whole.size() / 2)), toolkit::ToolkitFault::NotAJpeg) << "cut in the scan";
    EXPECT_EQ(decode(whole.substr(0, whole.size() - 2)), toolkit::ToolkitFault::NotAJpeg) << "no end marker";
    EXPECT_EQ(decode(whole + "trailing bytes"), std::nullopt) << "bytes after the end marker are ignored";
}

TEST(JpegLayout, ReadsTheDeclaredSizeAndWhetherTheFileEnds) {
    const std::string whole = cover();
    toolkit::JpegLayout layout = toolkit::readJpegLayout(whole);
    EXPECT_TRUE(layout.startsAsJpeg);
    EXPECT_TRUE(layout.hasFrame);
    EXPECT_EQ(layout.width, 960);
    EXPECT_EQ(layout.height, 540);
    EXPECT_TRUE(layout.complete);

    for (std::size_t cut : {std::size_t{3}, whole.size() / 10, whole.size() / 2, whole.size() - 1}) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(toolkit::readJpegLayout(whole.substr(0, cut)).complete);
    }
    // A header alone, declaring 65500 x 65500: the size is read, the file does not end.
    const std::string header("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\xDC\xFF\xDC\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 21);
    layout = toolkit::readJpegLayout(header);
    EXPECT_EQ(layout.width, 65500);
    EXPECT_EQ(layout.height, 65500);
    EXPECT_FALSE(layout.complete);
    EXPECT_FALSE(toolkit::readJpegLayout("GIF89a").startsAsJpeg);
}

}  // namespace
