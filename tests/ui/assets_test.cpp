// The committed pictures of the installer window (ui/assets) are what the window loads:
// baseline JPEG covers, 8-bit RGBA button looks with transparent corners, a fully
// transparent gauge background and a one-image 256 x 256 PNG icon. The headers are read
// here with a small bounds-checked cursor, and PNG pixels decoded with zlib, so a render
// with the wrong settings (progressive JPEG, palette PNG, BMP icon) is caught before a
// Windows decoder meets it.
#include "tests/support/test_paths.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Every read of file bytes goes through here; a read past the end throws.
class Cursor {
public:
    explicit Cursor(const std::string& bytes, std::size_t offset = 0) : bytes_(bytes), pos_(offset) {}

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }

    std::uint8_t u8() { need(1); return static_cast<std::uint8_t>(bytes_[pos_++]); }
    std::uint16_t be16() { std::uint16_t hi = u8(); return static_cast<std::uint16_t>(hi << 8 | u8()); }
    std::uint32_t be32() { std::uint32_t hi = be16(); return hi << 16 | be16(); }
    std::uint16_t le16() { std::uint16_t lo = u8(); return static_cast<std::uint16_t>(lo | u8() << 8); }
    std::uint32_t le32() { std::uint32_t lo = le16(); return lo | static_cast<std::uint32_t>(le16()) << 16; }
    std::string take(std::size_t n) { need(n); std::string s = bytes_.substr(pos_, n); pos_ += n; return s; }
    void skip(std::size_t n) { need(n); pos_ += n; }

private:
    void need(std::size_t n) const {
        if (remaining() < n) throw std::runtime_error("truncated at byte " + std::to_string(pos_));
    }
    const std::string& bytes_;
    std::size_t pos_;
};

const std::string kPngSignature = "\x89PNG\r\n\x1a\n";

struct PngImage {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    std::vector<std::uint8_t> rgba;  // filled only for 8-bit RGBA, non-interlaced

    std::uint8_t alpha(std::uint32_t x, std::uint32_t y) const { return rgba[(y * width + x) * 4 + 3]; }
    std::array<int, 3> rgb(std::uint32_t x, std::uint32_t y) const {
        const std::size_t i = (y * width + x) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
};

int paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

PngImage decodePng(const std::string& bytes) {
    Cursor in(bytes);
    if (in.take(8) != kPngSignature) throw std::runtime_error("no PNG signature");
    PngImage image;
    std::string idat;
    bool sawHeader = false, sawEnd = false;
    while (!sawEnd) {
        const std::uint32_t length = in.be32();
        const std::string type = in.take(4);
        Cursor chunk(bytes, in.position());
        in.skip(length);
        in.skip(4);  // CRC
        if (type == "IHDR") {
            image.width = chunk.be32();
            image.height = chunk.be32();
            image.bitDepth = chunk.u8();
            image.colourType = chunk.u8();
            chunk.skip(2);  // compression and filter method, both always 0
            image.interlace = chunk.u8();
            sawHeader = true;
        } else if (type == "IDAT") {
            idat += chunk.take(length);
        } else if (type == "IEND") {
            sawEnd = true;
        }
    }
    if (!sawHeader) throw std::runtime_error("no IHDR chunk");
    if (image.bitDepth != 8 || image.colourType != 6 || image.interlace != 0) return image;

    const std::size_t stride = std::size_t{image.width} * 4;
    std::vector<std::uint8_t> raw(image.height * (stride + 1));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit failed");
    z.next_in = reinterpret_cast<Bytef*>(idat.data());
    z.avail_in = static_cast<uInt>(idat.size());
    z.next_out = raw.data();
    z.avail_out = static_cast<uInt>(raw.size());
    const int status = inflate(&z, Z_FINISH);
    const bool complete = status == Z_STREAM_END && z.avail_out == 0;
    inflateEnd(&z);
    if (!complete) throw std::runtime_error("IDAT does not inflate to width x height pixels");

    image.rgba.resize(image.height * stride);
    for (std::size_t y = 0; y < image.height; ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        const std::uint8_t* src = &raw[y * (stride + 1) + 1];
        std::uint8_t* row = &image.rgba[y * stride];
        const std::uint8_t* up = y ? &image.rgba[(y - 1) * stride] : nullptr;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= 4 ? row[i - 4] : 0, b = up ? up[i] : 0, c = up && i >= 4 ? up[i - 4] : 0;
            int predicted = 0;
            switch (filter) {
                case 0: predicted = 0; break;
                case 1: predicted = a; break;
                case 2: predicted = b; break;
                case 3: predicted = (a + b) / 2; break;
                case 4: predicted = paeth(a, b, c); break;
                default: throw std::runtime_error("bad PNG filter " + std::to_string(filter));
            }
            row[i] = static_cast<std::uint8_t>(src[i] + predicted);
        }
    }
    return image;
}

struct JpegFrame {
    int sofMarker = 0;  // 0xC0 baseline, 0xC1 extended, 0xC2 progressive, ...
    int precision = 0, width = 0, height = 0, components = 0;
};

// Walks the marker segments from SOI to the first start-of-frame.
JpegFrame readJpegFrame(const std::string& bytes) {
    Cursor in(bytes);
    if (in.be16() != 0xFFD8) throw std::runtime_error("no JPEG start-of-image marker");
    for (;;) {
        if (in.u8() != 0xFF) throw std::runtime_error("JPEG marker expected");
        int marker = in.u8();
        while (marker == 0xFF) marker = in.u8();  // fill bytes
        const std::uint16_t length = in.be16();
        if (length < 2) throw std::runtime_error("JPEG segment shorter than its length field");
        const bool isFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                             marker != 0xCC;
        if (isFrame) {
            JpegFrame frame;
            frame.sofMarker = marker;
            frame.precision = in.u8();
            frame.height = in.be16();
            frame.width = in.be16();
            frame.components = in.u8();
            return frame;
        }
        if (marker == 0xDA) throw std::runtime_error("JPEG scan before any frame header");
        in.skip(length - 2u);
    }
}

std::string asset(const std::string& name) {
    return testsupport::readFile(testsupport::sourceDir() / "ui" / "assets" / name);
}

// --- the probes themselves, on hand-made bytes, so a probe that accepts anything is caught

std::string jpegWithFrame(int sof) {
    std::string b = "\xFF\xD8";
    b += std::string("\xFF\xE0\x00\x04\x00\x00", 6);                             // APP0, 2 data bytes
    b += std::string("\xFF", 1) + static_cast<char>(sof);
    b += std::string("\x00\x11\x08\x02\x49\x04\x10\x03", 8);                     // 8 bit, 585 x 1040, 3
    return b;
}

TEST(PictureProbes, JpegFrameKindIsReadFromTheFirstFrameHeader) {
    EXPECT_EQ(readJpegFrame(jpegWithFrame(0xC0)).sofMarker, 0xC0);
    EXPECT_EQ(readJpegFrame(jpegWithFrame(0xC2)).sofMarker, 0xC2);
    const JpegFrame frame = readJpegFrame(jpegWithFrame(0xC0));
    EXPECT_EQ(frame.width, 1040);
    EXPECT_EQ(frame.height, 585);
    EXPECT_THROW(readJpegFrame(jpegWithFrame(0xC0).substr(0, 12)), std::runtime_error);
    EXPECT_THROW(readJpegFrame("\x89PNG"), std::runtime_error);
}

TEST(PictureProbes, PngDecodeRejectsDamagedData) {
    const std::string good = asset("bnCloseNormal.png");
    EXPECT_NO_THROW(decodePng(good));
    EXPECT_THROW(decodePng(good.substr(0, good.size() / 2)), std::runtime_error);
    EXPECT_THROW(decodePng("GIF89a"), std::runtime_error);
}

// --- the assets

TEST(WindowPictures, CoversAreBaselineJpegOfTheWindowSize) {
    for (const char* name : {"BG.jpg", "BGfinish.jpg"}) {
        SCOPED_TRACE(name);
        const JpegFrame frame = readJpegFrame(asset(name));
        EXPECT_EQ(frame.sofMarker, 0xC0) << "not baseline (SOF0)";
        EXPECT_EQ(frame.precision, 8);
        EXPECT_EQ(frame.width, 1040);
        EXPECT_EQ(frame.height, 585);
        EXPECT_EQ(frame.components, 3);
    }
}

enum class Face { Orange, DarkOrange, Grey };

struct ButtonLook {
    const char* file;
    Face face;
};

const ButtonLook kButtonLooks[] = {
    {"bnInstallNormal.png", Face::Orange},  {"bnInstallHover.png", Face::Orange},
    {"bnInstallActive.png", Face::DarkOrange}, {"bnInstallDisable.png", Face::Grey},
    {"bnCloseNormal.png", Face::Orange},    {"bnCloseHover.png", Face::Orange},
    {"bnCloseActive.png", Face::DarkOrange}, {"bnCloseDisable.png", Face::Grey},
};

TEST(WindowPictures, ButtonLooksAreRgbaWithTransparentCornersAndTheirFace) {
    for (const ButtonLook& look : kButtonLooks) {
        SCOPED_TRACE(look.file);
        const PngImage png = decodePng(asset(look.file));
        ASSERT_EQ(png.width, 151u);
        ASSERT_EQ(png.height, 50u);
        ASSERT_EQ(png.bitDepth, 8);
        ASSERT_EQ(png.colourType, 6) << "not RGBA";
        ASSERT_EQ(png.interlace, 0);
        for (auto [x, y] : {std::pair{0u, 0u}, {150u, 0u}, {0u, 49u}, {150u, 49u}})
            EXPECT_EQ(png.alpha(x, y), 0) << "corner " << x << "," << y;
        // A point of the face left of the label.
        EXPECT_EQ(png.alpha(14, 24), 255);
        const auto [r, g, b] = png.rgb(14, 24);
        switch (look.face) {
            case Face::Orange:
                EXPECT_TRUE(r >= 235 && g >= 130 && g <= 175 && b <= 60) << r << "," << g << "," << b;
                break;
            case Face::DarkOrange:
                EXPECT_TRUE(r >= 200 && r < 245 && g >= 95 && g < 140 && b <= 40) << r << "," << g << "," << b;
                break;
            case Face::Grey:
                EXPECT_TRUE(r >= 190 && std::abs(r - g) <= 8 && std::abs(g - b) <= 8) << r << "," << g << "," << b;
                break;
        }
    }
}

TEST(WindowPictures, EveryButtonLookIsItsOwnPicture) {
    // Two slots holding the same file would make a look change invisible to the user.
    for (std::size_t i = 0; i < std::size(kButtonLooks); ++i)
        for (std::size_t j = i + 1; j < std::size(kButtonLooks); ++j)
            EXPECT_TRUE(decodePng(asset(kButtonLooks[i].file)).rgba != decodePng(asset(kButtonLooks[j].file)).rgba)
                << kButtonLooks[i].file << " and " << kButtonLooks[j].file << " have the same pixels";
}

TEST(WindowPictures, GaugeBackgroundIsFullyTransparent) {
    const PngImage png = decodePng(asset("gaugeBG.png"));
    ASSERT_EQ(png.width, 1040u);
    ASSERT_EQ(png.height, 57u);
    ASSERT_EQ(png.colourType, 6);
    ASSERT_EQ(png.bitDepth, 8);
    std::size_t opaque = 0;
    for (std::uint32_t y = 0; y < png.height; ++y)
        for (std::uint32_t x = 0; x < png.width; ++x) opaque += png.alpha(x, y) != 0;
    EXPECT_EQ(opaque, 0u);
}

TEST(WindowPictures, IconHoldsOne256PixelPngImage) {
    const std::string ico = asset("instalator.ico");
    Cursor in(ico);
    EXPECT_EQ(in.le16(), 0);  // reserved
    EXPECT_EQ(in.le16(), 1);  // icon, not cursor
    ASSERT_EQ(in.le16(), 1);  // one image
    EXPECT_EQ(in.u8(), 0);    // width 256
    EXPECT_EQ(in.u8(), 0);    // height 256
    EXPECT_EQ(in.u8(), 0);    // no palette
    EXPECT_EQ(in.u8(), 0);    // reserved
    EXPECT_EQ(in.le16(), 1);  // planes
    EXPECT_EQ(in.le16(), 32); // bits per pixel
    const std::uint32_t size = in.le32();
    const std::uint32_t offset = in.le32();
    ASSERT_EQ(std::size_t{offset} + size, ico.size());
    const std::string payload = Cursor(ico, offset).take(size);
    ASSERT_EQ(payload.substr(0, 8), kPngSignature) << "image is not PNG-compressed";
    const PngImage png = decodePng(payload);
    EXPECT_EQ(png.width, 256u);
    EXPECT_EQ(png.height, 256u);
    EXPECT_EQ(png.colourType, 6);
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_EQ(payload, asset("instalator.png")) << "the icon's image and instalator.png differ";
}

}  // namespace
