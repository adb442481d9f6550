#include "host/search_installation_path.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "host/check_destination.h"
#include "tests/host/host_fixture.h"
#include "toolkit/edit.h"
#include "toolkit/static_text.h"

namespace {

using hosttest::nativePath;

class SearchInstallationPathTest : public ::testing::Test {
protected:
    SearchInstallationPathTest() : files(platform::realFileSystem()) {
        state.formCover = true;
        state.pack = true;
        state.packageName = "P";
        StaticText1.setVisible(false);
        Edit1.setVisible(false);
        Edit1.setText(nativePath("C:\\"));
        // The window binds the field's change event to CheckEdit; the trace marks its runs.
        Edit1.onChange = [this] {
            log.info(2, "<CheckEdit>");
            host::CheckEdit(log, state, files, system, Edit1.text(), [this] { ++enables; });
        };
    }

    bool search() {
        return host::searchInstallationPath(log, state, files, system, Edit1, StaticText1);
    }

    hosttest::Drives drives;
    testsupport::FaultInjectingFileSystem files;
    testsupport::FakeSystem system;
    hosttest::RecordingLog log;
    session::InstallerState state;
    toolkit::Edit Edit1{"Edit1"};
    toolkit::StaticText StaticText1{"StaticText1"};
    int enables = 0;
};

TEST_F(SearchInstallationPathTest, OneHostIsProposedAndCheckedInsideTheAssignment) {
    drives.makeFolder("C", "Kavitek\\CAD 2.0\\dodatki");
    system.roots = {drives.root("C"), drives.root("D")};
    const std::string host = drives.root("C") + nativePath("Kavitek\\CAD 2.0\\");
    EXPECT_TRUE(search());
    EXPECT_EQ(Edit1.text(), host);
    EXPECT_TRUE(Edit1.visible());
    EXPECT_TRUE(StaticText1.visible());
    EXPECT_EQ(enables, 1);

    const std::string maker = drives.root("C") + nativePath("Kavitek\\");
    const std::vector<std::string> texts = log.texts();
    const std::vector<std::string> head(texts.begin(), texts.begin() + 6);
    EXPECT_EQ(head, (std::vector<std::string>{
                        "Wyszukiwanie zainstalowanego oprogramowania CAD LUMOR.",
                        "HDD: [" + drives.root("C") + "]",
                        "Szukamy instalacjy oprogramowania CAD LUMOR: " + maker,
                        "HDD: [" + drives.root("D") + "]",
                        "Znaleziono 1 instalacji oprogramowania CAD.",
                        "<CheckEdit>",
                    }));
    // The check triggered by the proposal has finished before the search reports it.
    const auto found = std::find(texts.begin(), texts.end(),
                                 "Znaleziono jedną instalację oprogramowania CAD LUMOR: " + host);
    ASSERT_NE(found, texts.end());
    EXPECT_TRUE(std::find(texts.begin(), found, "Nie znaleziono uruchomionej applikacji CAD.") != found);
    EXPECT_EQ(texts.back(), "Znaleziono instalację. Możesz wskazać inny katalog.");
    EXPECT_TRUE(log.userMessages().empty());
}

TEST_F(SearchInstallationPathTest, DriveOrderIsTheSystems) {
    drives.makeFolder("C", "Kavitek\\CAD 2.0\\dodatki");
    drives.makeFolder("D", "Kavitek\\CAD 3.1\\dodatki");
    system.roots = {drives.root("D"), drives.root("C")};
    EXPECT_TRUE(search());
    EXPECT_EQ(Edit1.text(), drives.root("D") + nativePath("Kavitek\\CAD 3.1\\"));
}

TEST_F(SearchInstallationPathTest, MakerFolderCountsOnlyAtADrivesRoot) {
    drives.makeFolder("C", "Program Files\\Kavitek\\CAD 2.0\\dodatki");
    system.roots = {drives.root("C")};
    EXPECT_FALSE(search());
    EXPECT_FALSE(state.destination);
    EXPECT_EQ(Edit1.text(), nativePath("C:\\"));
    EXPECT_EQ(log.userMessages(),
              std::vector<std::string>{"Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog."});
    EXPECT_TRUE(Edit1.visible());
    EXPECT_TRUE(StaticText1.visible());
    EXPECT_EQ(enables, 0);
}

TEST_F(SearchInstallationPathTest, HostWithoutAddOnFolderIsStillProposed) {
    drives.makeFolder("C", "Kavitek\\CAD 2.0");
    system.roots = {drives.root("C")};
    EXPECT_TRUE(search());
    EXPECT_TRUE(state.destination);
    const std::string host = drives.root("C") + nativePath("Kavitek\\CAD 2.0\\");
    EXPECT_TRUE(log.has("Błędny folder instalacji : " + host + "dodatki"));
    EXPECT_EQ(enables, 0);
}

TEST_F(SearchInstallationPathTest, ProposalEqualToTheFieldRunsNoChangeHandler) {
    drives.makeFolder("C", "Kavitek\\CAD 2.0\\dodatki");
    system.roots = {drives.root("C")};
    Edit1.setText(drives.root("C") + nativePath("Kavitek\\CAD 2.0\\"));
    log.lines.clear();
    enables = 0;
    EXPECT_TRUE(search());
    EXPECT_FALSE(log.has("<CheckEdit>"));
    EXPECT_EQ(enables, 0);
}

TEST_F(SearchInstallationPathTest, SearchStartsByClearingDestination) {
    state.destination = true;
    system.roots = {drives.root("C")};
    EXPECT_FALSE(search());
    EXPECT_FALSE(state.destination);
}

}  // namespace
