// The committed pictures of the installer window (ui/assets) are what the window loads:
// baseline JPEG covers, the eight button looks stacked in one picture, each with transparent
// corners (8-bit RGBA or, as rendered, palette with transparency), a fully transparent gauge
// background and an icon of PNG images from 16 to 256 px, which must be 8-bit RGBA. The
// headers are read here with a small bounds-checked cursor, and PNG pixels decoded with zlib,
// so a render with the wrong settings (progressive JPEG, opaque or interlaced PNG, palette or BMP icon) is caught
// before a Windows decoder meets it.
#include "tests/support/test_paths.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
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
    bool hasTransparencyChunk = false;
    std::vector<std::uint8_t> rgba;  // filled for 8-bit RGBA and for palette images, non-interlaced

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

constexpr int kRgba = 6, kPalette = 3;

PngImage decodePng(const std::string& bytes) {
    Cursor in(bytes);
    if (in.take(8) != kPngSignature) throw std::runtime_error("no PNG signature");
    PngImage image;
    std::string idat, palette, paletteAlpha;
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
        } else if (type == "PLTE") {
            palette = chunk.take(length);
        } else if (type == "tRNS") {
            paletteAlpha = chunk.take(length);
            image.hasTransparencyChunk = true;
        } else if (type == "IDAT") {
            idat += chunk.take(length);
        } else if (type == "IEND") {
            sawEnd = true;
        }
    }
    if (!sawHeader) throw std::runtime_error("no IHDR chunk");
    const bool rgba8 = image.colourType == kRgba && image.bitDepth == 8;
    const bool indexed = image.colourType == kPalette &&
                         (image.bitDepth == 1 || image.bitDepth == 2 || image.bitDepth == 4 || image.bitDepth == 8);
    if (!(rgba8 || indexed) || image.interlace != 0) return image;
    if (indexed && (palette.empty() || palette.size() % 3 != 0))
        throw std::runtime_error("palette image without a valid PLTE chunk");

    // Filters work on bytes; a pixel of less than a byte counts as one byte of distance.
    const std::size_t bitsPerPixel = rgba8 ? 32 : static_cast<std::size_t>(image.bitDepth);
    const std::size_t stride = (std::size_t{image.width} * bitsPerPixel + 7) / 8;
    const std::size_t distance = std::max<std::size_t>(1, bitsPerPixel / 8);
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

    std::vector<std::uint8_t> rows(image.height * stride);
    for (std::size_t y = 0; y < image.height; ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        const std::uint8_t* src = &raw[y * (stride + 1) + 1];
        std::uint8_t* row = &rows[y * stride];
        const std::uint8_t* up = y ? &rows[(y - 1) * stride] : nullptr;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= distance ? row[i - distance] : 0, b = up ? up[i] : 0,
                      c = up && i >= distance ? up[i - distance] : 0;
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
    if (rgba8) {
        image.rgba = std::move(rows);
        return image;
    }

    // Palette indices, most significant bits first, become the entries' colours; entries
    // beyond the tRNS chunk are opaque.
    image.rgba.resize(std::size_t{image.width} * image.height * 4);
    const int perByte = 8 / image.bitDepth, mask = (1 << image.bitDepth) - 1;
    for (std::size_t y = 0; y < image.height; ++y)
        for (std::size_t x = 0; x < image.width; ++x) {
            const std::uint8_t packed = rows[y * stride + x / perByte];
            const int shift = 8 - image.bitDepth * static_cast<int>(x % perByte + 1);
            const std::size_t index = static_cast<std::size_t>(packed >> shift & mask);
            if (index * 3 >= palette.size()) throw std::runtime_error("palette index " + std::to_string(index) + " out of range");
            std::uint8_t* out = &image.rgba[(y * image.width + x) * 4];
            for (int k = 0; k < 3; ++k) out[k] = static_cast<std::uint8_t>(palette[index * 3 + k]);
            out[3] = index < paletteAlpha.size() ? static_cast<std::uint8_t>(paletteAlpha[index]) : 255;
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
    const std::string good = asset("buttonLooks.png");
    EXPECT_NO_THROW(decodePng(good));
    EXPECT_THROW(decodePng(good.substr(0, good.size() / 2)), std::runtime_error);
    EXPECT_THROW(decodePng("GIF89a"), std::runtime_error);
}

// A PNG of the given header fields and chunks (CRCs left zero: the decoder skips them).
std::string pngWith(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                    const std::vector<std::pair<std::string, std::string>>& chunks) {
    const auto be32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    const auto chunk = [&](const std::string& type, const std::string& data) {
        return be32(static_cast<std::uint32_t>(data.size())) + type + data + be32(0);
    };
    std::string header = be32(width) + be32(height);
    header += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0, 0};
    std::string b = kPngSignature + chunk("IHDR", header);
    for (const auto& [type, data] : chunks) b += chunk(type, data);
    return b + chunk("IEND", "");
}

std::string deflated(const std::string& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string out(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                 static_cast<uLong>(raw.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    out.resize(size);
    return out;
}

TEST(PictureProbes, PalettePixelsTakeTheirEntrysColourAndTransparency) {
    // 3 x 2 pixels of 2-bit indices: row 0 is 0 1 2 (filter none), row 1 is 2 0 1 written
    // with the Up filter as differences to row 0. Entry 0 is transparent, entry 1 half, entry
    // 2 has no tRNS value and so is opaque.
    const std::string palette("\x10\x20\x30\x40\x50\x60\xF0\x80\x00", 9);
    const std::string alpha("\x00\x80", 2);
    const std::uint8_t row0 = 0b00'01'10'00, row1 = 0b10'00'01'00;
    const std::string raw{0, static_cast<char>(row0), 2, static_cast<char>(row1 - row0)};
    const PngImage png =
        decodePng(pngWith(3, 2, 2, kPalette, {{"PLTE", palette}, {"tRNS", alpha}, {"IDAT", deflated(raw)}}));
    ASSERT_EQ(png.rgba.size(), 3u * 2 * 4);
    EXPECT_EQ(png.rgb(0, 0), (std::array<int, 3>{0x10, 0x20, 0x30}));
    EXPECT_EQ(png.alpha(0, 0), 0);
    EXPECT_EQ(png.rgb(1, 0), (std::array<int, 3>{0x40, 0x50, 0x60}));
    EXPECT_EQ(png.alpha(1, 0), 0x80);
    EXPECT_EQ(png.rgb(2, 0), (std::array<int, 3>{0xF0, 0x80, 0x00}));
    EXPECT_EQ(png.alpha(2, 0), 255);
    EXPECT_EQ(png.rgb(0, 1), (std::array<int, 3>{0xF0, 0x80, 0x00}));
    EXPECT_EQ(png.alpha(1, 1), 0);
    EXPECT_EQ(png.alpha(2, 1), 0x80);

    const std::string outOfRange{0, static_cast<char>(0b11'00'00'00)};
    EXPECT_THROW(decodePng(pngWith(1, 1, 2, kPalette, {{"PLTE", palette}, {"IDAT", deflated(outOfRange)}})),
                 std::runtime_error);
}

// Pictures WIC turns into alpha-blended bitmaps: 8-bit RGBA, or a palette with a tRNS chunk.
void expectTransparentCapable(const PngImage& png) {
    EXPECT_EQ(png.interlace, 0);
    const bool rgba8 = png.colourType == kRgba && png.bitDepth == 8;
    const bool paletteWithAlpha = png.colourType == kPalette && png.hasTransparencyChunk;
    EXPECT_TRUE(rgba8 || paletteWithAlpha) << "colour type " << png.colourType << ", depth " << png.bitDepth
                                           << ": no alpha channel or palette transparency";
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
    const char* name;
    Face face;
};

// In the order the window cuts them from buttonLooks.png, top to bottom, 151 x 50 each.
const ButtonLook kButtonLooks[] = {
    {"bnInstallNormal", Face::Orange},  {"bnInstallHover", Face::Orange},
    {"bnInstallActive", Face::DarkOrange}, {"bnInstallDisable", Face::Grey},
    {"bnCloseNormal", Face::Orange},    {"bnCloseHover", Face::Orange},
    {"bnCloseActive", Face::DarkOrange}, {"bnCloseDisable", Face::Grey},
};
constexpr std::uint32_t kLookWidth = 151, kLookHeight = 50;

PngImage buttonLooks() {
    PngImage png = decodePng(asset("buttonLooks.png"));
    if (png.width != kLookWidth || png.height != kLookHeight * std::size(kButtonLooks))
        throw std::runtime_error("buttonLooks.png is " + std::to_string(png.width) + " x " +
                                 std::to_string(png.height));
    return png;
}

// The RGBA bytes of look `index`.
std::vector<std::uint8_t> lookPixels(const PngImage& looks, std::size_t index) {
    const auto first = looks.rgba.begin() + static_cast<std::ptrdiff_t>(index * kLookHeight * kLookWidth * 4);
    return {first, first + static_cast<std::ptrdiff_t>(kLookHeight * kLookWidth * 4)};
}

TEST(WindowPictures, ButtonLooksHaveTransparentCornersAndTheirFace) {
    const PngImage png = buttonLooks();
    expectTransparentCapable(png);
    ASSERT_EQ(png.rgba.size(), std::size_t{png.width} * png.height * 4);
    for (std::size_t i = 0; i < std::size(kButtonLooks); ++i) {
        const ButtonLook& look = kButtonLooks[i];
        SCOPED_TRACE(look.name);
        const std::uint32_t top = static_cast<std::uint32_t>(i) * kLookHeight;
        for (auto [x, y] : {std::pair{0u, 0u}, {150u, 0u}, {0u, 49u}, {150u, 49u}})
            EXPECT_EQ(png.alpha(x, top + y), 0) << "corner " << x << "," << y;
        // A point of the face left of the label.
        EXPECT_EQ(png.alpha(14, top + 24), 255);
        const auto [r, g, b] = png.rgb(14, top + 24);
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
    // Two slots holding the same pixels would make a look change invisible to the user.
    const PngImage png = buttonLooks();
    for (std::size_t i = 0; i < std::size(kButtonLooks); ++i)
        for (std::size_t j = i + 1; j < std::size(kButtonLooks); ++j)
            EXPECT_TRUE(lookPixels(png, i) != lookPixels(png, j))
                << kButtonLooks[i].name << " and " << kButtonLooks[j].name << " have the same pixels";
}

TEST(WindowPictures, GaugeBackgroundIsFullyTransparent) {
    const PngImage png = decodePng(asset("gaugeBG.png"));
    ASSERT_EQ(png.width, 1040u);
    ASSERT_EQ(png.height, 57u);
    expectTransparentCapable(png);
    ASSERT_EQ(png.rgba.size(), 1040u * 57 * 4);
    std::size_t opaque = 0;
    for (std::uint32_t y = 0; y < png.height; ++y)
        for (std::uint32_t x = 0; x < png.width; ++x) opaque += png.alpha(x, y) != 0;
    EXPECT_EQ(opaque, 0u);
}

TEST(WindowPictures, IconHoldsAPngImageForEverySizeWindowsDraws) {
    const std::string ico = asset("instalator.ico");
    Cursor in(ico);
    EXPECT_EQ(in.le16(), 0);  // reserved
    EXPECT_EQ(in.le16(), 1);  // icon, not cursor
    const std::uint16_t count = in.le16();
    std::vector<std::uint32_t> sides;
    std::size_t end = 6 + 16u * count;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint32_t width = in.u8(), height = in.u8();
        EXPECT_EQ(in.u8(), 0);     // no palette
        EXPECT_EQ(in.u8(), 0);     // reserved
        EXPECT_EQ(in.le16(), 1);   // planes
        EXPECT_EQ(in.le16(), 32);  // bits per pixel
        const std::uint32_t size = in.le32();
        const std::uint32_t offset = in.le32();
        ASSERT_EQ(offset, end) << "images follow the directory and each other";
        ASSERT_LE(std::size_t{offset} + size, ico.size());
        end = std::size_t{offset} + size;
        const std::string payload = Cursor(ico, offset).take(size);
        ASSERT_EQ(payload.substr(0, 8), kPngSignature) << "image " << i << " is not PNG-compressed";
        const PngImage png = decodePng(payload);
        const std::uint32_t side = width == 0 ? 256 : width;
        EXPECT_EQ(height == 0 ? 256 : height, side);
        EXPECT_EQ(png.width, side);
        EXPECT_EQ(png.height, side);
        EXPECT_EQ(png.colourType, kRgba) << "an icon's PNG image must be 32-bit RGBA";
        EXPECT_EQ(png.bitDepth, 8);
        EXPECT_EQ(png.rgba.size(), std::size_t{side} * side * 4);
        if (side == 256) {
            EXPECT_EQ(payload, asset("instalator.png")) << "the icon's image and instalator.png differ";
        }
        sides.push_back(side);
    }
    EXPECT_EQ(end, ico.size());
    EXPECT_EQ(sides, (std::vector<std::uint32_t>{16, 24, 32, 48, 256}));
}

}  // namespace
