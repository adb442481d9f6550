// ExtractFileFromZip and ExtractFilesFromZip on archives written to disk: log lines, gauge
// positions, what lands where, what is refused before anything is written, and that a bad
// member never replaces a good file.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/extract_file_from_zip.h"
#include "archive/extract_files_from_zip.h"
#include "archive/member_extraction.h"
#include "tests/archive/archive_fixture.h"
#include "tests/support/fault_injecting_file_system.h"
#include "toolkit/gauge.h"

using archivetest::ArchiveTest;

namespace {

using Members = std::vector<std::pair<std::string, std::string>>;

class Extract : public ArchiveTest {
protected:
    Extract() {
        state.packageName = "PKG";
        fs.createFolder(path("dest"));
        gauge.setImmediateRepaint([this](toolkit::Gauge& g) { positions.push_back(g.progress()); });
    }
    void archive(const Members& members) { write("tmp/packages.zip", zip::makeZip(members) + "\xEF\xBB\xBF"); }
    std::string dest() const { return path("dest/"); }
    bool extractAll() { return archive::ExtractFilesFromZip(log, fs, state, gauge, state.sourceZip, dest()); }

    toolkit::Gauge gauge{"gauge"};
    std::vector<int> positions;  // every position the gauge repainted at
};

}  // namespace

TEST(GaugePosition, RoundsToNearestWithTiesToEven) {
    struct Case {
        int i, maxFiles, expected;
    };
    const std::vector<Case> cases = {
        {1, 119, 1}, {59, 119, 50}, {60, 119, 50}, {115, 119, 97}, {118, 119, 99}, {119, 119, 100},
        {1, 8, 12}, {3, 8, 38}, {5, 8, 62}, {7, 8, 88}, {0, 8, 0}, {0, 0, 100},
        // 100,000 members: a hundredth of a point decides, and nothing overflows.
        {499, 99999, 0}, {500, 99999, 1}, {49999, 99999, 50}, {99998, 99999, 100}, {99999, 99999, 100},
        // The most members a directory of at most 256 MiB can list.
        {2917776, 5835553, 50}, {5835553, 5835553, 100},
    };
    for (const Case& c : cases) EXPECT_EQ(archive::gaugePosition(c.i, c.maxFiles, 100), c.expected) << c.i << "/" << c.maxFiles;
}

TEST_F(Extract, InstallsEveryMemberButTheCoverAndTextAndLogsEach) {
    archive({
        {"PKG\\item.jpg", "picture"},
        {"PKG\\tekstury\\\xC5\x82\xC3\xB3\xC5\xBCko.jpg", "texture"},
        {"PKG\\", ""},
        {"README.txt", "root file"},
        {"PKG.txt", "PKG\r\n"},
        {"PKG.jpg", "cover"},
        {"Other/dir/file.dat", "other"},
        {"PKG\\dodatki.mdb", "catalog"},
        {"PKG.JPG", "upper-case cover is not skipped"},
    });
    ASSERT_TRUE(extractAll());
    EXPECT_EQ(read("dest/PKG/item.jpg"), "picture");
    EXPECT_EQ(read("dest/PKG/tekstury/\xC5\x82\xC3\xB3\xC5\xBCko.jpg"), "texture");
    EXPECT_EQ(read("dest/README.txt"), "root file");
    EXPECT_EQ(read("dest/Other/dir/file.dat"), "other");
    EXPECT_EQ(read("dest/PKG/dodatki.mdb"), "catalog");
    EXPECT_EQ(read("dest/PKG.JPG"), "upper-case cover is not skipped");
    EXPECT_FALSE(exists("dest/PKG.txt"));
    EXPECT_FALSE(exists("dest/PKG.jpg") && read("dest/PKG.jpg") == "cover");
    EXPECT_FALSE(exists("dest/PKG/item.jpg.lumor-part"));
    const std::vector<std::string> expected = {
        "maxFiles = 8", "PKG\\item.jpg", "PKG\\tekstury\\\xC5\x82\xC3\xB3\xC5\xBCko.jpg", "PKG\\", "README.txt",
        "Other/dir/file.dat", "PKG\\dodatki.mdb", "PKG.JPG",
    };
    EXPECT_EQ(log.atLevel(2), expected);
    EXPECT_TRUE(log.atLevel(1).empty());
    // Positions 1, 2, 3, 6, 7, 8 of 8; the skipped 4 and 5 leave a step.
    EXPECT_EQ(positions, (std::vector<int>{12, 25, 38, 75, 88, 100}));
    // The renames are on the disk before the catalog that names the files is merged.
    EXPECT_TRUE(fs.unsynced.empty()) << *fs.unsynced.begin();
}

TEST_F(Extract, OverwritesAnExistingFileWithoutAMessage) {
    fs.createFolder(path("dest/PKG"));
    write("dest/PKG/dodatki.mdb", "old catalog");
    archive({{"PKG\\dodatki.mdb", "new catalog"}, {"PKG.jpg", "cover"}});
    ASSERT_TRUE(extractAll());
    EXPECT_EQ(read("dest/PKG/dodatki.mdb"), "new catalog");
    EXPECT_TRUE(log.atLevel(1).empty());
}

TEST_F(Extract, ADamagedMemberEndsTheExtractionButLeavesTheExistingFileIntact) {
    fs.createFolder(path("dest/PKG"));
    write("dest/PKG/b.dat", "good old file");
    std::string bytes = zip::makeZip({{"PKG\\a.dat", "first"}, {"PKG\\b.dat", "second, damaged"}, {"PKG\\c.dat", "third"}});
    const std::size_t crcAt = bytes.find("PKG\\b.dat") - 30 + 14;  // b's local CRC
    bytes[crcAt] ^= 0x55;
    // The central directory's CRC of b too, so that the headers still agree.
    const std::size_t cdName = bytes.rfind("PKG\\b.dat");
    bytes[cdName - 46 + 16] ^= 0x55;
    write("tmp/packages.zip", bytes);
    EXPECT_FALSE(extractAll());
    EXPECT_EQ(log.atLevel(1), std::vector<std::string>{"Suma kontrolna pliku `PKG\\b.dat` w archiwum ZIP jest błędna."});
    EXPECT_EQ(read("dest/PKG/a.dat"), "first");
    EXPECT_EQ(read("dest/PKG/b.dat"), "good old file");
    EXPECT_FALSE(exists("dest/PKG/b.dat.lumor-part"));
    EXPECT_FALSE(exists("dest/PKG/c.dat"));
    EXPECT_EQ(gauge.progress(), 0);  // member 0 of 2 set it, and it stays there
}

TEST_F(Extract, RefusesAnUnsafeArchiveWholeBeforeWritingAnything) {
    struct Case {
        const char* what;
        Members members;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"parent component", {{"PKG\\a.dat", "a"}, {"PKG\\..\\..\\evil.dll", "x"}},
         "Niedozwolona nazwa pliku `PKG\\..\\..\\evil.dll` w archiwum ZIP: nazwa zawiera składnik \"..\"."},
        {"absolute name", {{"PKG\\a.dat", "a"}, {"\\Windows\\evil.dll", "x"}},
         "Niedozwolona nazwa pliku `\\Windows\\evil.dll` w archiwum ZIP: nazwa zaczyna się od separatora."},
        {"drive letter", {{"PKG\\a.dat", "a"}, {"C:\\evil.dll", "x"}},
         "Niedozwolona nazwa pliku `C:\\evil.dll` w archiwum ZIP: nazwa zaczyna się od litery dysku."},
        {"network path", {{"PKG\\a.dat", "a"}, {"\\\\host\\share\\x", "x"}},
         "Niedozwolona nazwa pliku `\\\\host\\share\\x` w archiwum ZIP: nazwa jest ścieżką sieciową."},
        {"device name", {{"PKG\\a.dat", "a"}, {"PKG\\aux.txt", "x"}},
         "Niedozwolona nazwa pliku `PKG\\aux.txt` w archiwum ZIP: nazwa zawiera zastrzeżoną nazwę urządzenia."},
        {"duplicate by case", {{"PKG\\a.dat", "a"}, {"pkg/A.DAT", "x"}},
         "Plik `pkg/A.DAT` występuje w archiwum ZIP więcej niż raz."},
        {"console device", {{"PKG\\a.dat", "a"}, {"PKG\\CONIN$", "x"}},
         "Niedozwolona nazwa pliku `PKG\\CONIN$` w archiwum ZIP: nazwa zawiera zastrzeżoną nazwę urządzenia."},
        {"console output device", {{"PKG\\a.dat", "a"}, {"PKG\\conout$.txt", "x"}},
         "Niedozwolona nazwa pliku `PKG\\conout$.txt` w archiwum ZIP: nazwa zawiera zastrzeżoną nazwę urządzenia."},
        {"duplicate by Polish letter case", {{"PKG\\a.dat", "a"}, {"PKG\\Łóżko.jpg", "1"}, {"pkg\\łÓŻKO.JPG", "2"}},
         "Plik `pkg\\łÓŻKO.JPG` występuje w archiwum ZIP więcej niż raz."},
        {"another member's temporary name", {{"PKG\\a.dat", "a"}, {"PKG\\a.DAT.Lumor-Part", "x"}},
         "Plik `PKG\\a.DAT.Lumor-Part` w archiwum ZIP ma nazwę pliku tymczasowego, pod którą rozpakowywany "
         "jest inny plik archiwum."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.lines.clear();
        archive(c.members);
        EXPECT_FALSE(extractAll());
        EXPECT_EQ(log.atLevel(1), std::vector<std::string>{c.message});
        EXPECT_FALSE(exists("dest/PKG/a.dat"));
        EXPECT_TRUE(positions.empty());
    }
}

TEST_F(Extract, RefusesEncryptedAndSymlinkMembersBeforeWritingAnything) {
    std::string bytes;
    zip::ZipWriter writer([&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
    writer.add("PKG\\a.dat", "a");
    writer.add("PKG\\link", "/etc/passwd", zip::MemberOptions{.versionMadeBy = 0x0314, .externalAttributes = 0120777u << 16});
    writer.finish();
    write("tmp/packages.zip", bytes);
    EXPECT_FALSE(extractAll());
    EXPECT_EQ(log.atLevel(1), std::vector<std::string>{"Plik `PKG\\link` w archiwum ZIP jest dowiązaniem, a nie zwykłym plikiem."});
    EXPECT_FALSE(exists("dest/PKG/a.dat"));
}

TEST_F(Extract, AFileThatCannotBeReplacedFailsWithALevelOneMessage) {
    fs.createFolder(path("dest/PKG"));
    write("dest/PKG/dodatki.mdb", "read-only catalog");
    fs.readOnlyPaths.insert(path("dest/PKG/dodatki.mdb"));
    archive({{"PKG\\first.dat", "1"}, {"PKG\\dodatki.mdb", "new"}, {"PKG\\last.dat", "2"}});
    EXPECT_FALSE(extractAll());
    ASSERT_EQ(log.atLevel(1).size(), 1u);
    EXPECT_NE(log.atLevel(1)[0].find(path("dest/PKG/dodatki.mdb")), std::string::npos) << log.atLevel(1)[0];
    EXPECT_EQ(read("dest/PKG/dodatki.mdb"), "read-only catalog");
    EXPECT_TRUE(exists("dest/PKG/first.dat"));
    EXPECT_FALSE(exists("dest/PKG/last.dat"));
}

TEST_F(Extract, AFailingReplacementKeepsTheOldFileAndLeavesNoTemporaryFile) {
    fs.createFolder(path("dest/PKG"));
    write("dest/PKG/dodatki.mdb", "user's catalog");
    archive({{"PKG\\dodatki.mdb", "new catalog"}});
    testsupport::FaultInjectingFileSystem faulty(fs);
    faulty.failOperation(testsupport::FileOperation::Replace, "*dodatki.mdb*");
    EXPECT_FALSE(archive::ExtractFilesFromZip(log, faulty, state, gauge, state.sourceZip, dest()));
    ASSERT_EQ(log.atLevel(1).size(), 1u);
    EXPECT_NE(log.atLevel(1)[0].find(path("dest/PKG/dodatki.mdb")), std::string::npos) << log.atLevel(1)[0];
    EXPECT_EQ(read("dest/PKG/dodatki.mdb"), "user's catalog");
    EXPECT_FALSE(exists("dest/PKG/dodatki.mdb.lumor-part"));
    // Without the fault the same extraction replaces it, in one operation that is counted.
    faulty.clearFaults();
    ASSERT_TRUE(archive::ExtractFilesFromZip(log, faulty, state, gauge, state.sourceZip, dest()));
    EXPECT_EQ(read("dest/PKG/dodatki.mdb"), "new catalog");
    EXPECT_TRUE(std::any_of(faulty.mutations().begin(), faulty.mutations().end(), [](const auto& m) {
        return m.operation == testsupport::FileOperation::Replace;
    }));
}

TEST_F(Extract, NotAnArchiveGivesFalseSilentlyAndLeavesTheGauge) {
    write("tmp/packages.zip", std::string(100000, 'x'));
    gauge.setProgress(0);
    EXPECT_FALSE(extractAll());
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(positions.empty());
    EXPECT_FALSE(archive::ExtractFileFromZip(log, fs, state.sourceZip, path("tmp/"), "PKG.jpg"));
    EXPECT_TRUE(log.atLevel(1).empty());
}

TEST_F(Extract, AnArchiveThatCannotBeOpenedGivesFalseAndALevelOneMessage) {
    archive({{"PKG\\dodatki.mdb", "c"}, {"PKG.jpg", "j"}});
    fs.unreadable.insert(state.sourceZip);
    EXPECT_FALSE(extractAll());
    EXPECT_FALSE(archive::ExtractFileFromZip(log, fs, state.sourceZip, path("tmp/"), "PKG.jpg"));
    const auto messages = log.atLevel(1);
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& m : messages) EXPECT_EQ(m, "the file is locked by another program: " + state.sourceZip);
}

TEST_F(Extract, AnArchiveOfOneMemberPutsTheGaugeAtItsMaximum) {
    archive({{"PKG\\dodatki.mdb", "c"}});
    ASSERT_TRUE(extractAll());
    EXPECT_EQ(gauge.progress(), 100);
    EXPECT_EQ(log.atLevel(2).front(), "maxFiles = 0");
}

TEST_F(Extract, ReadsCodePage437NamesWithoutTheUtf8Flag) {
    std::string bytes;
    zip::ZipWriter writer([&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
    writer.add("PKG\\\x82t\x82.txt", "summer", zip::MemberOptions{.utf8Flag = false});
    writer.finish();
    write("tmp/packages.zip", bytes);
    ASSERT_TRUE(extractAll());
    EXPECT_EQ(read("dest/PKG/\xC3\xA9t\xC3\xA9.txt"), "summer");
}

TEST_F(Extract, ExtractFileFindsTheCoverIgnoringCaseAndWritesItUnderItsStoredName) {
    archive({{"PKG.JPG", "cover"}, {"PKG\\dodatki.mdb", "c"}});
    ASSERT_TRUE(archive::ExtractFileFromZip(log, fs, state.sourceZip, state.tmpDir, "PKG.jpg"));
    EXPECT_EQ(read("tmp/PKG.JPG"), "cover");
    EXPECT_EQ(log.lines, (std::vector<std::pair<std::int32_t, std::string>>{
                             {2, "Rozpakowywujemy z `" + state.sourceZip + "` plik `PKG.jpg` do katalogu `" + state.tmpDir + "`"}}));
    EXPECT_FALSE(archive::ExtractFileFromZip(log, fs, state.sourceZip, state.tmpDir, "Other.jpg"));
    EXPECT_TRUE(log.atLevel(1).empty());
}

TEST_F(Extract, ExtractFileTurnsReaderErrorsIntoALevelOneMessage) {
    std::string bytes = zip::makeZip({{"PKG.jpg", "cover picture bytes"}});
    bytes[bytes.rfind("PKG.jpg") - 46 + 16] ^= 1;  // directory CRC
    bytes[14] ^= 1;                               // local CRC
    write("tmp/packages.zip", bytes);
    EXPECT_FALSE(archive::ExtractFileFromZip(log, fs, state.sourceZip, state.tmpDir, "PKG.jpg"));
    EXPECT_EQ(log.atLevel(1), std::vector<std::string>{"Suma kontrolna pliku `PKG.jpg` w archiwum ZIP jest błędna."});
    EXPECT_FALSE(exists("tmp/PKG.jpg"));
}

TEST(OutputPath, JoinsWithThePlatformSeparator) {
    const char s = platform::kSeparator;
    const std::string sep(1, s);
    EXPECT_EQ(archive::outputPathFor("D:" + sep + "H" + sep, "PKG\\tekstury/a.jpg"),
              "D:" + sep + "H" + sep + "PKG" + sep + "tekstury" + sep + "a.jpg");
    EXPECT_EQ(archive::outputPathFor("dest", "a.txt"), "dest" + sep + "a.txt");
    EXPECT_EQ(archive::outputPathFor("dest/", "a.txt"), "dest/a.txt");
}
