// Names that would escape or misbehave on Windows, and names a package really uses.
#include <gtest/gtest.h>

#include "archive/zip/safe_name.h"

using zip::NameProblem;

TEST(SafeName, ClassifiesEveryKindOfUnsafeName) {
    struct Case {
        std::string name;
        std::optional<NameProblem> expected;
    };
    const std::vector<Case> cases = {
        {"P\\dodatki.mdb", std::nullopt},
        {"P\\tekstury\\\xC5\x82\xC3\xB3\xC5\xBCko.jpg", std::nullopt},
        {"P/sub/file.txt", std::nullopt},
        {"P\\", std::nullopt},
        {"README.txt", std::nullopt},
        {"P\\.hidden", std::nullopt},
        {"P\\con.d\\x", NameProblem::ReservedDeviceName},  // Windows takes "con.d" for CON too
        {"", NameProblem::Empty},
        {"\\Windows\\x.dll", NameProblem::Absolute},
        {"/etc/passwd", NameProblem::Absolute},
        {"\\\\server\\share\\x", NameProblem::Unc},
        {"//server/share/x", NameProblem::Unc},
        {"C:\\x.txt", NameProblem::DriveLetter},
        {"c:x.txt", NameProblem::DriveLetter},
        {"..\\x.txt", NameProblem::ParentComponent},
        {"P\\..\\..\\x.txt", NameProblem::ParentComponent},
        {"P/../x.txt", NameProblem::ParentComponent},
        {"P\\..", NameProblem::ParentComponent},
        {"P\\\\x.txt", NameProblem::EmptyComponent},
        {"P\\x\ty.txt", NameProblem::ControlCharacter},
        {std::string("P\\x\0y", 5), NameProblem::ControlCharacter},
        {"P\\x:stream", NameProblem::ForbiddenCharacter},
        {"P\\what?.txt", NameProblem::ForbiddenCharacter},
        {"P\\a|b", NameProblem::ForbiddenCharacter},
        {"P\\CON", NameProblem::ReservedDeviceName},
        {"P\\nul.txt", NameProblem::ReservedDeviceName},
        {"com1\\x", NameProblem::ReservedDeviceName},
        {"P\\LPT9.dat", NameProblem::ReservedDeviceName},
        {"P\\x.", NameProblem::TrailingDotOrSpace},
        {"P \\x", NameProblem::TrailingDotOrSpace},
        {"P\\.", NameProblem::TrailingDotOrSpace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(zip::checkMemberName(c.name), c.expected);
    }
    EXPECT_EQ(zip::checkMemberName("COM0.txt"), std::nullopt);
    EXPECT_EQ(zip::checkMemberName("CONSOLE.txt"), std::nullopt);
}
