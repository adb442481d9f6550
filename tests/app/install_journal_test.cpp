// The record of an installation is the only proof the next run accepts: it reads back as
// written, and a record cut short or altered anywhere is refused rather than half believed.
#include <gtest/gtest.h>

#include "install/journal.h"
#include "platform/file_system.h"
#include "tests/support/test_paths.h"

namespace {

install::Journal sample() {
    install::Journal journal;
    journal.stage = install::JournalStage::Committed;
    journal.userCatalog = true;
    journal.userCatalogReadOnly = true;
    journal.createdFolders = {"C:\\Kavitek\\CAD 2.0\\dodatki\\Wrzos\\tekstury"};
    journal.members = {{"Wrzos\\item.jpg", true}, {"Wrzos\\tekstury\\łóżko ż.jpg", false}};
    return journal;
}

TEST(InstallJournal, ReadsBackWhatWasWrittenAndReplacesAnEarlierRecordWhole) {
    testsupport::TempDir dir;
    platform::FileSystem& fs = platform::realFileSystem();
    const std::string path = dir.folder() + "instalacja.lumor-dziennik";
    install::Journal first;
    first.members = {{"Wrzos\\a.dwx", false}};
    install::writeJournal(fs, path, first);
    install::writeJournal(fs, path, sample());

    const auto read = install::readJournal(fs, path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->stage, install::JournalStage::Committed);
    EXPECT_TRUE(read->userCatalog);
    EXPECT_TRUE(read->userCatalogReadOnly);
    EXPECT_EQ(read->createdFolders, sample().createdFolders);
    ASSERT_EQ(read->members.size(), 2u);
    EXPECT_EQ(read->members[1].name, "Wrzos\\tekstury\\łóżko ż.jpg");
    EXPECT_FALSE(read->members[1].replaces);
    EXPECT_TRUE(read->members[0].replaces);
    EXPECT_FALSE(fs.fileExists(path + ".lumor-part"));
    // Byte for byte: a record written by an earlier installer is read by this one.
    EXPECT_EQ(testsupport::readFile(dir.path() / "instalacja.lumor-dziennik"),
              "LUMOR-DZIENNIK 1\netap zatwierdzona\nkatalog jest\ntylko-do-odczytu tak\n"
              "folder C:\\Kavitek\\CAD 2.0\\dodatki\\Wrzos\\tekstury\nzastepuje Wrzos\\item.jpg\n"
              "nowy Wrzos\\tekstury\\łóżko ż.jpg\nkoniec\n");
}

TEST(InstallJournal, ARecordCutShortOrAlteredIsRefused) {
    testsupport::TempDir dir;
    platform::FileSystem& fs = platform::realFileSystem();
    const std::string path = dir.folder() + "instalacja.lumor-dziennik";
    install::writeJournal(fs, path, sample());
    const std::string whole = testsupport::readFile(dir.path() / "instalacja.lumor-dziennik");
    // Every cut, as a power loss could leave it, and a few changed words.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        testsupport::writeFile(dir.path() / "instalacja.lumor-dziennik", whole.substr(0, size));
        EXPECT_FALSE(install::readJournal(fs, path)) << "cut at " << size;
    }
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"etap zatwierdzona", "etap gotowa"}, {"katalog jest", "katalog byl"},
             {"zastepuje ", "zastepuje"}, {"LUMOR-DZIENNIK 1", "LUMOR-DZIENNIK 2"}, {"nowy ", "stary "}}) {
        std::string altered = whole;
        altered.replace(altered.find(from), from.size(), to);
        testsupport::writeFile(dir.path() / "instalacja.lumor-dziennik", altered);
        EXPECT_FALSE(install::readJournal(fs, path)) << from << " -> " << to;
    }
}

}  // namespace
