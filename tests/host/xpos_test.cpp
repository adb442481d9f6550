#include "host/xpos.h"

#include <gtest/gtest.h>

namespace {

struct XPosCase {
    const char* sub;
    const char* text;
    int expected;
};

TEST(XPos, FindsTheFirstOccurrenceFoldingOnlyAsciiLetters) {
    const XPosCase cases[] = {
        {"CAD", "", 0},
        {"", "any text", 0},
        {"CAD", "CA", 0},
        {"CAD", "cad", 1},
        {"CAD", "xCaDyCAD", 2},
        {"CAD", "xcAd", 2},
        {"ŁÓD", "łód", 0},
        {"ŁÓD", "xŁÓD", 2},
        {"CAD", "DrawCAD LT.exe", 5},
        {"CAD", "ca d", 0},
        {"cad", "CADLumorPro.exe", 1},
        {"CAD", "notepad.exe", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(host::XPos(std::string(c.sub), std::string(c.text)), c.expected)
            << c.sub << " in " << c.text;
}

TEST(XPos, CountsUtf16CodeUnitsNotBytes) {
    // "ż" is two bytes in UTF-8 but one UTF-16 unit; "𝄞" is a surrogate pair, two units.
    EXPECT_EQ(host::XPos(std::string("CAD"), std::string("żżCAD")), 3);
    EXPECT_EQ(host::XPos(std::string("CAD"), std::string("𝄞cad")), 3);
}

TEST(XPos, FoldsOnlyTheLowerAsciiRangeNotNeighbouringCodes) {
    // '`' (0x60) and '{' (0x7B) sit beside 'a'..'z' and must not fold onto '@' or '['.
    EXPECT_EQ(host::XPos(std::u16string(u"@"), std::u16string(u"`")), 0);
    EXPECT_EQ(host::XPos(std::u16string(u"["), std::u16string(u"{")), 0);
    EXPECT_EQ(host::XPos(std::u16string(u"Z"), std::u16string(u"az")), 2);
}

}  // namespace
