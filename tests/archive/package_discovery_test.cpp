// The package folder rule, GetSubFoldersListFromZip and searchPackages' outcomes.
#include <gtest/gtest.h>

#include "archive/package_folders.h"
#include "archive/search_packages.h"
#include "tests/archive/archive_fixture.h"

using archivetest::ArchiveTest;

TEST(PackageFolderRule, AcceptsOnlyDodatkiMdbOneLevelDeepWithBackslash) {
    struct Case {
        const char* name;
        std::optional<std::string> folder;
    };
    const std::vector<Case> cases = {
        {"Kuchnie\\dodatki.mdb", "Kuchnie"},
        {"Szafy \xC5\x81\xC3\xB3\x64\xC5\xBA\\dodatki.mdb", "Szafy \xC5\x81\xC3\xB3\x64\xC5\xBA"},
        {"P\\Dodatki.mdb", std::nullopt},
        {"P/dodatki.mdb", std::nullopt},
        {"dodatki.mdb", std::nullopt},
        {"\\dodatki.mdb", std::nullopt},
        {"P\\sub\\dodatki.mdb", std::nullopt},
        {"P\\inne.mdb", std::nullopt},
        {"P:dodatki.mdb", std::nullopt},
        {"P\\x:dodatki.mdb", std::nullopt},
        {"P\\dodatki.mdb.bak", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(archive::packageFolderOf(c.name), c.folder) << c.name;
}

// pakiet build names the catalog member the way discovery finds it again.
TEST(PackageFolderRule, TheCatalogMemberOfAFolderLeadsBackToIt) {
    EXPECT_EQ(archive::catalogMemberOf("Kuchnie"), "Kuchnie\\dodatki.mdb");
    EXPECT_EQ(archive::packageFolderOf(archive::catalogMemberOf("Szafy Łódź")), "Szafy Łódź");
}

namespace {

class Discovery : public ArchiveTest {
protected:
    bool search() {
        return archive::searchPackages(state, log, fs, [this] { ++disableCalls; });
    }
    void archive(const std::vector<std::pair<std::string, std::string>>& members) {
        write("tmp/packages.zip", zip::makeZip(members) + "\xEF\xBB\xBF");
    }
    int disableCalls = 0;
};

using Lines = std::vector<std::pair<std::int32_t, std::string>>;

}  // namespace

TEST_F(Discovery, FindsTheOnePackageOfAShippedLikeArchive) {
    archive({{"Lumor Kuchnie\\item.jpg", "i"}, {"Lumor Kuchnie.txt", "t"}, {"Lumor Kuchnie.jpg", "j"},
             {"Inne\\readme.txt", "second top-level folder without catalog"}, {"Lumor Kuchnie\\dodatki.mdb", "c"}});
    EXPECT_TRUE(search());
    EXPECT_EQ(state.packageName, "Lumor Kuchnie");
    EXPECT_TRUE(state.pack);
    EXPECT_EQ(disableCalls, 1);
    EXPECT_EQ(log.lines, (Lines{{2, "Wyszukiwanie paczek instalacyjnych."}, {2, "Znaleziono podkatalog w ZIP : `Lumor Kuchnie`"}}));
}

TEST_F(Discovery, ReportsEveryOutcomeOfTheFailureTable) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        Lines expected;  // after the opening trace line
        bool result;
    };
    const std::vector<Case> cases = {
        {"no archive", [&] { fs.deleteFile(state.sourceZip); },
         {{1, "Brak pliku paczki : `" + state.sourceZip + "`"}}, false},
        {"not an archive", [&] { write("tmp/packages.zip", "plain text"); },
         {{1, "Plik jest uszkodzony lub zawiera błędy!"}, {1, "Błędna zawartość pliku ZIP! (0 katalogów)"}}, true},
        {"damaged central directory", [&] {
             std::string bytes = zip::makeZip({{"A\\dodatki.mdb", "a"}});
             bytes[bytes.rfind("A\\dodatki.mdb") - 46] = 'X';
             write("tmp/packages.zip", bytes); },
         {{1, "Katalog archiwum ZIP jest uszkodzony."}, {1, "Błędna zawartość pliku ZIP! (0 katalogów)"}}, true},
        {"no package folder", [&] { archive({{"P\\Dodatki.mdb", "c"}, {"P/dodatki.mdb", "c"}, {"dodatki.mdb", "c"}, {"P\\sub\\dodatki.mdb", "c"}}); },
         {{1, "Błędna zawartość pliku ZIP! (0 katalogów)"}}, true},
        {"two packages", [&] { archive({{"A\\dodatki.mdb", "a"}, {"A.jpg", "j"}, {"B\\dodatki.mdb", "b"}}); },
         {{2, "Znaleziono podkatalog w ZIP : `A`"}, {2, "Znaleziono podkatalog w ZIP : `B`"},
          {1, "Błędna zawartość pliku ZIP! (2 katalogów)"}, {2, "[ A ] - PAKIET"}, {2, "[ B ] - PAKIET"}}, true},
        {"the same catalog twice", [&] { archive({{"A\\dodatki.mdb", "a"}, {"A\\dodatki.mdb", "a"}}); },
         {{2, "Znaleziono podkatalog w ZIP : `A`"}, {2, "Znaleziono podkatalog w ZIP : `A`"},
          {1, "Błędna zawartość pliku ZIP! (2 katalogów)"}, {2, "[ A ] - PAKIET"}, {2, "[ A ] - PAKIET"}}, true},
        {"package named to climb out of the add-on folder", [&] { archive({{"..\\dodatki.mdb", "c"}, {"...jpg", "j"}}); },
         {{2, "Znaleziono podkatalog w ZIP : `..`"},
          {1, "Niedozwolona nazwa katalogu paczki `..` (plik `..\\dodatki.mdb` w archiwum ZIP): nazwa zawiera składnik \"..\"."}},
         true},
        {"package named with a separator", [&] { archive({{"A/..\\dodatki.mdb", "c"}}); },
         {{2, "Znaleziono podkatalog w ZIP : `A/..`"},
          {1, "Niedozwolona nazwa katalogu paczki `A/..` (plik `A/..\\dodatki.mdb` w archiwum ZIP): nazwa zawiera separator."}},
         true},
        {"package named as a device", [&] { archive({{"CONOUT$\\dodatki.mdb", "c"}}); },
         {{2, "Znaleziono podkatalog w ZIP : `CONOUT$`"},
          {1, "Niedozwolona nazwa katalogu paczki `CONOUT$` (plik `CONOUT$\\dodatki.mdb` w archiwum ZIP): nazwa zawiera zastrzeżoną nazwę urządzenia."}},
         true},
        {"archive cannot be opened", [&] { archive({{"A\\dodatki.mdb", "a"}}); fs.unreadable.insert(state.sourceZip); },
         {{1, "the file is locked by another program: " + state.sourceZip},
          {1, "Błędna zawartość pliku ZIP! (0 katalogów)"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.lines.clear();
        fs.unreadable.clear();
        state.packageName.clear();
        disableCalls = 0;
        c.prepare();
        EXPECT_EQ(search(), c.result);
        Lines expected = {{2, "Wyszukiwanie paczek instalacyjnych."}};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(log.lines, expected);
        EXPECT_EQ(state.packageName, "");
        EXPECT_EQ(state.pack, c.result);
        EXPECT_EQ(disableCalls, 1);
    }
}

TEST_F(Discovery, RecreatesAMissingWorkingFolder) {
    fs.removeFolder(path("tmp"));
    EXPECT_FALSE(search());
    EXPECT_TRUE(fs.folderExists(path("tmp")));
    EXPECT_EQ(log.atLevel(1), std::vector<std::string>{"Brak pliku paczki : `" + state.sourceZip + "`"});
}
