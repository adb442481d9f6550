#include "platform/wildcard.h"

#include <gtest/gtest.h>

namespace {

TEST(Wildcard, MatchesLikeTheHostFolderMask) {
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    const Case cases[] = {
        {"CAD 2.0", "CAD *", true},
        {"cad pro", "CAD *", true},   // ASCII letters without case
        {"Cad ", "CAD *", true},      // '*' takes the empty run
        {"CADPRO", "CAD *", false},   // the blank is required
        {"CAD", "CAD *", false},
        {"Inne", "CAD *", false},
        {"xCAD 1", "CAD *", false},   // anchored at the start
        {"anything", "*", true},
        {"", "*", true},
        {"", "?", false},
        {"a", "?", true},
        {"ab", "?", false},
        {"ł", "?", true},             // '?' is one letter, not one byte
        {"łódź", "????", true},
        {"łódź", "???", false},
        {"ŁÓDŹ", "łódź", false},      // non-ASCII letters compare exactly
        {"Łódź", "Łódź", true},
        {"Ab-Łx", "aB-Ł?", true},
        {"a.b.c", "*.c", true},
        {"abcabd", "*abd", true},     // the star must give back after a false start
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c", false},
        {"CAD 2.0", "CAD ?.?", true},
        {"CAD 2.01", "CAD ?.?", false},
        {"x", "", false},
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::matchesMask(c.name, c.mask), c.matches)
            << "name [" << c.name << "] mask [" << c.mask << "]";
    }
}

}  // namespace
