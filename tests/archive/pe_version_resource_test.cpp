// The version resource of a PE image: found through the resource tree, read back, and
// rewritten within its own space (what `pakiet build --version` does to the stub).
#include <gtest/gtest.h>

#include "archive/pe_version_resource.h"
#include "archive/zip/byte_writer.h"
#include "tests/archive/minimal_pe.h"

namespace {

using archive::VersionInfo;

constexpr std::size_t kResourceAt = 0x400;  // file offset of the resource tree (RVA 0x1200)
constexpr std::size_t kSpace = 0x300;       // the version resource's data size

void setU32(std::string& image, std::size_t at, std::uint32_t value) {
    std::string bytes;
    zip::putU32(bytes, value);
    image.replace(at, 4, bytes);
}

// The minimal image with its one section grown to 0x800 bytes, holding a resource tree
// RT_VERSION / 1 / 0x415 whose data is `block` followed by zeros up to kSpace.
std::string imageWithVersion(const std::string& block) {
    std::string image = archivetest::minimalPeImage();
    const std::size_t section = 0x40 + 4 + 20 + 240;
    setU32(image, section + 8, 0x800);   // virtual size
    setU32(image, section + 16, 0x800);  // raw size
    setU32(image, 0x40 + 4 + 20 + 112 + 2 * 8, 0x1200);  // resource directory RVA
    setU32(image, 0x40 + 4 + 20 + 112 + 2 * 8 + 4, 0x100 + kSpace);
    image.resize(0x200 + 0x800, '\0');
    std::string tree;
    for (auto [id, target] : {std::pair{16u, 0x80000018u}, std::pair{1u, 0x80000030u}, std::pair{0x415u, 0x48u}}) {
        for (std::uint32_t v : {0u, 0u, 0u}) zip::putU32(tree, v);
        zip::putU16(tree, 0);
        zip::putU16(tree, 1);
        zip::putU32(tree, id);
        zip::putU32(tree, target);
    }
    for (std::uint32_t v : {0x1200u + 0x100u, static_cast<std::uint32_t>(kSpace), 0u, 0u}) zip::putU32(tree, v);
    tree.resize(0x100, '\0');
    std::string data = block;
    data.resize(kSpace, '\0');
    image.replace(kResourceAt, tree.size() + data.size(), tree + data);
    return image;
}

VersionInfo stubInfo() {
    VersionInfo info;
    info.fileVersion = info.productVersion = {1, 0, 0, 0};
    info.strings = {{"CompanyName", "Lumor"},
                    {"FileDescription", "Instalator pakietu katalogu CAD"},
                    {"ProductVersion", "1.0.0 (abcdef012345)"}};
    return info;
}

TEST(PeVersionResource, VersionNumbersHaveThreeOrFourParts) {
    EXPECT_EQ(archive::parseVersionNumbers("2.5.1"), (std::array<std::uint16_t, 4>{2, 5, 1, 0}));
    EXPECT_EQ(archive::parseVersionNumbers("1.2.3.65535"), (std::array<std::uint16_t, 4>{1, 2, 3, 65535}));
    for (const char* bad : {"", "1", "1.2", "1.2.3.4.5", "1.2.x", "1..2", "1.2.3.", "1.2.65536", "-1.2.3", "1.2.3 "})
        EXPECT_FALSE(archive::parseVersionNumbers(bad)) << bad;
}

TEST(PeVersionResource, ReadsBackWhatWasEncodedPolishLettersIncluded) {
    const std::string image = imageWithVersion(archive::encodeVersionInfo(stubInfo()));
    const auto span = archive::findVersionResource(image);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->offset, kResourceAt + 0x100);
    EXPECT_EQ(span->size, kSpace);
    const auto info = archive::readVersionInfo(image);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileVersion, (std::array<std::uint16_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(info->strings, stubInfo().strings);
}

TEST(PeVersionResource, RewriteStaysInItsSpaceAndTouchesNothingElse) {
    std::string image = imageWithVersion(archive::encodeVersionInfo(stubInfo()));
    const std::string before = image;
    VersionInfo package;
    package.fileVersion = package.productVersion = {2, 5, 1, 0};
    package.strings = {{"CompanyName", "Wrzos Meble sp. z o.o."},
                       {"FileDescription", "Instalator pakietu Wrzos — łóżka i szafy"},
                       {"ProductName", "Wrzos"},
                       {"ProductVersion", "2.5.1"}};
    archive::rewriteVersionInfo(image, package);
    const auto info = archive::readVersionInfo(image);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileVersion, (std::array<std::uint16_t, 4>{2, 5, 1, 0}));
    EXPECT_EQ(info->productVersion, (std::array<std::uint16_t, 4>{2, 5, 1, 0}));
    EXPECT_EQ(info->string("FileDescription"), "Instalator pakietu Wrzos — łóżka i szafy");
    EXPECT_EQ(image.size(), before.size());
    const std::size_t start = kResourceAt + 0x100;
    EXPECT_EQ(image.substr(0, start), before.substr(0, start));
    EXPECT_EQ(image.substr(start + kSpace), before.substr(start + kSpace));
    const std::size_t used = archive::encodeVersionInfo(package).size();
    EXPECT_EQ(image.substr(start + used, kSpace - used), std::string(kSpace - used, '\0'));
}

TEST(PeVersionResource, TooLongOrMissingIsRefusedWithTheImageUnchanged) {
    std::string image = imageWithVersion(archive::encodeVersionInfo(stubInfo()));
    const std::string before = image;
    VersionInfo huge = stubInfo();
    huge.strings.emplace_back("ProductName", std::string(kSpace, 'x'));
    EXPECT_THROW(archive::rewriteVersionInfo(image, huge), archive::VersionResourceError);
    EXPECT_EQ(image, before);

    std::string plain = archivetest::minimalPeImage();
    EXPECT_FALSE(archive::findVersionResource(plain));
    EXPECT_FALSE(archive::readVersionInfo(plain));
    EXPECT_THROW(archive::rewriteVersionInfo(plain, stubInfo()), archive::VersionResourceError);
    EXPECT_FALSE(archive::readVersionInfo("MZ"));
}

}  // namespace
