// The install record: its text read back whole or not at all, and the record a real
// installation leaves, file by file with sizes and CRCs as they are on the disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "archive/zip/crc32.h"
#include "install/install_record.h"
#include "platform/paths.h"
#include "tests/app/install_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using install::InstallRecord;

InstallRecord sample() {
    InstallRecord record;
    record.packageName = "Wrzos Łódź";
    record.packageVersion = "2.1.0";
    record.installerVersion = "1.0.0 (abcdef012345)";
    record.dateTime = "2026-12-10 09:00:00";
    record.files = {{"Wrzos Łódź/tekstury/dąb jasny.jpg", 5'000'000'000ULL, 0x0012abcdU},
                    {"Wrzos Łódź\\item.jpg", 0, 0xffffffffU}};
    return record;
}

bool same(const InstallRecord& a, const InstallRecord& b) {
    if (a.files.size() != b.files.size()) return false;
    for (std::size_t i = 0; i < a.files.size(); ++i)
        if (a.files[i].name != b.files[i].name || a.files[i].size != b.files[i].size ||
            a.files[i].crc32 != b.files[i].crc32)
            return false;
    return a.packageName == b.packageName && a.packageVersion == b.packageVersion &&
           a.installerVersion == b.installerVersion && a.dateTime == b.dateTime;
}

TEST(InstallRecord, ReadsBackWholeAndNeverCutShort) {
    const std::string text = install::formatInstallRecord(sample());
    const auto back = install::parseInstallRecord(text);
    ASSERT_TRUE(back);
    EXPECT_TRUE(same(*back, sample()));
    EXPECT_NE(text.find("plik: 5000000000 0012abcd Wrzos Łódź/tekstury/dąb jasny.jpg\r\n"), std::string::npos);
    // Byte for byte as earlier installers wrote it.
    EXPECT_EQ(text,
              "# Zapis instalacji pakietu katalogu CAD\r\npakiet: Wrzos Łódź\r\nwersja pakietu: 2.1.0\r\n"
              "instalator: 1.0.0 (abcdef012345)\r\ndata: 2026-12-10 09:00:00\r\n"
              "plik: 5000000000 0012abcd Wrzos Łódź/tekstury/dąb jasny.jpg\r\nplik: 0 ffffffff Wrzos Łódź\\item.jpg\r\n"
              "plików: 2\r\n");
    // Every shorter text is no record: the count line comes last.
    for (std::size_t length = 0; length < text.size(); ++length)
        ASSERT_FALSE(install::parseInstallRecord(text.substr(0, length))) << length;
    // A field a later installer adds is skipped; a count that does not match is refused.
    std::string later = text;
    later.insert(later.find("data: "), "nowe pole: x\r\n");
    EXPECT_TRUE(install::parseInstallRecord(later));
    std::string miscounted = text;
    miscounted.replace(miscounted.find("plików: 2"), 9, "plików: 3");
    EXPECT_FALSE(install::parseInstallRecord(miscounted));
    EXPECT_FALSE(install::parseInstallRecord("pakiet: X\r\nplików: 0\r\n"));
}

// A file's size and CRC are digits as written, or the record is refused: a sign, a space or a
// size past 64 bits is no size (a hand-edited record must not undo files by wrong sizes).
TEST(InstallRecord, RefusesFileNumbersItDoesNotWrite) {
    const std::string text = install::formatInstallRecord(sample());
    const std::string size = "5000000000 0012abcd";
    for (const std::string bad : {"-1 0012abcd", "+5000000000 0012abcd", "18446744073709551616 0012abcd",
                                  "5000000000 -012abcd", "5000000000 0012abcg", "5e9 0012abcd"}) {
        std::string changed = text;
        changed.replace(changed.find(size), size.size(), bad);
        EXPECT_FALSE(install::parseInstallRecord(changed)) << bad;
    }
    std::string largest = text;
    largest.replace(largest.find(size), size.size(), "18446744073709551615 0012ABCD");
    const auto back = install::parseInstallRecord(largest);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->files[0].size, 18446744073709551615ULL);
    EXPECT_EQ(back->files[0].crc32, 0x0012abcdU);
}

TEST(InstallRecord, AFinishedInstallationListsEveryPackageFileAsOnTheDisk) {
    installtest::InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", installtest::catalogBytes({{{"Wrzos", "W"}}, {{1, "Szafa"}}})));
    run.clickInstall();
    ASSERT_TRUE(run.finished()) << run.statusLabel();

    const auto record = install::readInstallRecord(run.files, run.catalog("instalacja.lumor.txt"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->packageName, "Wrzos");
    EXPECT_EQ(record->installerVersion.rfind("1.0.0 (", 0), 0u);
    EXPECT_EQ(record->dateTime.size(), 19u);
    std::vector<std::string> names;
    for (const install::InstalledFile& file : record->files) {
        names.push_back(file.name);
        std::string relative = file.name;
        for (char& c : relative)
            if (c == '\\' || c == '/') c = platform::kSeparator;
        const std::string path = run.host + "dodatki" + platform::kSeparator + relative;
        const std::string bytes = testsupport::readFile(std::filesystem::path(std::u8string(path.begin(), path.end())));
        EXPECT_EQ(file.size, bytes.size()) << file.name;
        EXPECT_EQ(file.crc32, zip::crc32Of(bytes)) << file.name;
    }
    // The package's own files; not the merged catalog, the cover or the text.
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names.size(), 2u);
    for (const std::string& name : names)
        EXPECT_TRUE(name.find("item.jpg") != std::string::npos || name.find("a.jpg") != std::string::npos) << name;
}

TEST(InstallRecord, ARolledBackInstallationKeepsTheEarlierRecord) {
    installtest::InstallRun first;
    const std::string catalog = installtest::catalogBytes({{{"Wrzos", "W"}}, {{1, "Szafa"}}});
    first.prepare(installtest::packageZip("Wrzos", catalog));
    first.clickInstall();
    ASSERT_TRUE(first.finished());
    const std::string recordPath = first.catalog("instalacja.lumor.txt");
    const std::string before = testsupport::readFile(std::filesystem::path(std::u8string(recordPath.begin(), recordPath.end())));

    installtest::InstallRun second;
    second.copyDrivesOf(first);
    second.prepare(installtest::packageZip("Wrzos", "no database"));
    second.clickInstall();
    EXPECT_FALSE(second.finished());
    const std::string path = second.catalog("instalacja.lumor.txt");
    EXPECT_EQ(testsupport::readFile(std::filesystem::path(std::u8string(path.begin(), path.end()))), before);
}

}  // namespace
