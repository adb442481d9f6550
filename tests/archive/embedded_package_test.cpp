// The embedded package block on installers assembled in the test: the trailer variants, the
// working files it leaves (and never leaves), and an installer signed by osslsigncode.
#include <gtest/gtest.h>

#include <cstdlib>

#include "archive/embedded_package.h"
#include "archive/offset_field.h"
#include "archive/zip/zip_reader.h"
#include "tests/archive/archive_fixture.h"
#include "tests/archive/minimal_pe.h"
#include "tests/zip/zip_fixtures.h"

using archivetest::ArchiveTest;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class EmbeddedPackage : public ArchiveTest {
protected:
    std::string archiveBytes = zip::makeZip({{"P\\dodatki.mdb", "catalog"}, {"P.jpg", "cover"}});

    std::string installer(const std::string& stub, const std::string& field) { return stub + archiveBytes + kBom + field; }
    void run(const std::string& exeBytes) {
        write("instalator.exe", exeBytes);
        archive::extractEmbeddedPackage(path("instalator.exe"), state, log, fs);
    }
};

}  // namespace

TEST_F(EmbeddedPackage, CopiesTheArchiveAndTheByteOrderMarkOfTheShippedLayout) {
    const std::string stub(17492252 % 4096 + 1000, 'E');
    const std::string exe = installer(stub, archive::formatOffsetField(static_cast<std::int64_t>(stub.size())));
    run(exe);
    EXPECT_EQ(read("tmp/packages.zip"), archiveBytes + kBom);
    EXPECT_FALSE(exists("tmp/zip-offset.txt"));
    const std::vector<std::pair<std::int32_t, std::string>> expected = {
        {2, "Plik EXE z archiwum: " + path("instalator.exe")},
        {2, "FileSize: " + std::to_string(exe.size())},
        {2, "Offset EXE: " + std::to_string(stub.size())},
    };
    EXPECT_EQ(log.lines, expected);
    // The copy opens as an archive despite the three bytes after its end record.
    const std::string copy = read("tmp/packages.zip");
    EXPECT_EQ(zip::ZipReader(zip::memorySource(copy)).size(), 2u);
}

TEST_F(EmbeddedPackage, HandlesEveryKindOfOffsetField) {
    struct Case {
        const char* what;
        std::string field;  // appended after stub + archive + BOM; "" means no trailer at all
        bool archiveWritten;
        bool missingMessage;
    };
    const std::string stub(3000, 'E');
    const std::vector<Case> cases = {
        {"leading zeros", "00000000000000003000", true, false},
        {"left-aligned number", "3000                ", false, true},
        {"no trailer", "", false, true},
        {"zero", "                   0", false, false},
        {"negative", "               -3000", false, false},
        {"offset beyond the archive", archive::formatOffsetField(1 << 30), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.lines.clear();
        fs.deleteFile(state.sourceZip);
        run(installer(stub, c.field));
        EXPECT_EQ(exists("tmp/packages.zip"), c.archiveWritten);
        const auto messages = log.atLevel(1);
        EXPECT_EQ(messages, c.missingMessage ? std::vector<std::string>{"Brak zawartego pakietu!"} : std::vector<std::string>{});
        EXPECT_FALSE(exists("tmp/zip-offset.txt"));
        if (c.archiveWritten) {
            EXPECT_EQ(read("tmp/packages.zip"), archiveBytes + kBom);
        }
    }
}

TEST_F(EmbeddedPackage, KeepsAnArchiveOfAnEarlierRunWhenTheTrailerIsDamaged) {
    write("tmp/packages.zip", "earlier archive");
    run(installer("stub", "not a number at all!"));
    EXPECT_EQ(read("tmp/packages.zip"), "earlier archive");
    EXPECT_EQ(log.atLevel(1), std::vector<std::string>{"Brak zawartego pakietu!"});
}

TEST_F(EmbeddedPackage, ThrowsWhenTheExecutableCannotBeOpenedAndLeavesNoOffsetFile) {
    EXPECT_THROW(archive::extractEmbeddedPackage(path("missing.exe"), state, log, fs), platform::FileError);
    write("instalator.exe", installer("stub", archive::formatOffsetField(4)));
    fs.readOnlyPaths.insert(state.sourceZip);  // packages.zip cannot be created
    EXPECT_THROW(archive::extractEmbeddedPackage(path("instalator.exe"), state, log, fs), platform::FileError);
    EXPECT_FALSE(exists("tmp/zip-offset.txt"));
}

// A publisher signs the finished installer: the signature goes after the trailer, and the
// installer must look for its offset field before the certificate table.
TEST_F(EmbeddedPackage, FindsTheTrailerOfAnInstallerSignedByOsslsigncode) {
    if (std::system("osslsigncode --version >/dev/null 2>&1") != 0 || std::system("openssl version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "osslsigncode or openssl is not installed";
    const std::string stub = archivetest::minimalPeImage();
    write("unsigned.exe", installer(stub, archive::formatOffsetField(static_cast<std::int64_t>(stub.size()))));
    const std::string d = dir.path().string();
    const std::string command =
        "cd '" + d + "' && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 "
        "-subj '/CN=Lumor Test Publisher' >/dev/null 2>&1 && "
        "osslsigncode sign -certs cert.pem -key key.pem -in unsigned.exe -out instalator.exe >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string signedExe = read("instalator.exe");
    ASSERT_GT(signedExe.size(), read("unsigned.exe").size() + 100);  // a signature was appended

    archive::extractEmbeddedPackage(path("instalator.exe"), state, log, fs);
    EXPECT_EQ(log.atLevel(1), std::vector<std::string>{});
    EXPECT_EQ(read("tmp/packages.zip"), archiveBytes + kBom);
    EXPECT_FALSE(exists("tmp/zip-offset.txt"));
}

// The same image unsigned but with a security directory that points inside the file (a
// signed stub with an archive appended afterwards): the trailer at the end is used.
TEST_F(EmbeddedPackage, UsesTheEndOfTheFileWhenTheCertificateTableDoesNotEndIt) {
    std::string stub = archivetest::minimalPeImage();
    const std::size_t securityDirectory = 0x40 + 24 + 112 + 4 * 8;
    stub[securityDirectory + 1] = 0x01;  // offset 0x100
    stub[securityDirectory + 4] = 0x10;  // size 0x10
    run(installer(stub, archive::formatOffsetField(static_cast<std::int64_t>(stub.size()))));
    EXPECT_EQ(read("tmp/packages.zip"), archiveBytes + kBom);
}

// The signed layout built by hand (so it runs where no signing tool is): padding zeros of
// every length from 0 to 7 between the offset field and the certificate table.
TEST_F(EmbeddedPackage, SkipsUpToSevenPaddingZerosBeforeTheCertificateTable) {
    for (std::size_t padding = 0; padding <= 7; ++padding) {
        SCOPED_TRACE(padding);
        log.lines.clear();
        fs.deleteFile(state.sourceZip);
        std::string exe = archivetest::minimalPeImage();
        const std::size_t stubSize = exe.size();
        exe += archiveBytes + kBom + archive::formatOffsetField(static_cast<std::int64_t>(stubSize));
        exe += std::string(padding, '\0');
        const auto tableOffset = static_cast<std::uint32_t>(exe.size());
        exe += std::string("\x10\0\0\0\0\x02\x02\0certificate!", 20);
        const std::size_t securityDirectory = 0x40 + 24 + 112 + 4 * 8;
        ziptest::patchU32(exe, securityDirectory, tableOffset);
        ziptest::patchU32(exe, securityDirectory + 4, 20);
        run(exe);
        EXPECT_EQ(log.atLevel(1), std::vector<std::string>{});
        EXPECT_EQ(read("tmp/packages.zip"), archiveBytes + kBom);
    }
}
