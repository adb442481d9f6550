#include "host/check_destination.h"
#include "host/edit1_click.h"

#include <gtest/gtest.h>

#include "tests/host/host_fixture.h"
#include "toolkit/edit.h"

namespace {

using hosttest::nativePath;

class FolderFieldTest : public ::testing::Test {
protected:
    FolderFieldTest() : files(platform::realFileSystem()) {
        state.formCover = true;
        state.pack = true;
        state.packageName = "P";
        state.strFolder = nativePath("C:\\");
        drives.makeFolder("D", "H\\dodatki\\P");
        hostFolder = drives.root("D") + nativePath("H\\");
        Edit1.onChange = [this] { checkEdit(); };
    }

    void checkEdit() {
        ++checks;
        host::CheckEdit(log, state, files, system, Edit1.text(), [this] { ++enables; });
    }

    // Answers the chooser with `picked`, or cancels when it is empty; remembers where it opened.
    auto chooser(const std::string& picked) {
        return [this, picked](std::string& folder) {
            openedIn = folder;
            if (picked.empty()) return false;
            folder = picked;
            return true;
        };
    }

    void click(const std::string& picked) {
        host::Edit1Click(log, state, Edit1, chooser(picked), [this] { checkEdit(); });
    }

    hosttest::Drives drives;
    testsupport::FaultInjectingFileSystem files;
    testsupport::FakeSystem system;
    hosttest::RecordingLog log;
    session::InstallerState state;
    toolkit::Edit Edit1{"Edit1"};
    std::string hostFolder, openedIn;
    int checks = 0, enables = 0;
};

TEST_F(FolderFieldTest, ValidFolderIsAcceptedAndChecked) {
    Edit1.setText(hostFolder);
    EXPECT_TRUE(state.destination);
    EXPECT_EQ(enables, 1);
    EXPECT_TRUE(log.has("Sprawdzamy folder instalacji : " + hostFolder + "dodatki"));
    EXPECT_TRUE(log.has("Folder instalacji poprawny : " + hostFolder + "dodatki"));
}

TEST_F(FolderFieldTest, TextIsTestedAsWrittenWithoutTrimming) {
    const std::string noSeparator = drives.root("D") + "H";
    for (const std::string& text : {noSeparator, hostFolder + " ", " " + hostFolder}) {
        log.lines.clear();
        Edit1.setText(text);
        EXPECT_TRUE(log.has("Błędny folder instalacji : " + text + "dodatki")) << text;
        EXPECT_TRUE(log.userMessages().empty());
    }
    EXPECT_FALSE(state.destination);
    EXPECT_EQ(enables, 0);
}

TEST_F(FolderFieldTest, InvalidFolderAfterAValidOneTakesNothingBack) {
    Edit1.setText(hostFolder);
    Edit1.setText(drives.root("D") + nativePath("elsewhere\\"));
    EXPECT_TRUE(state.destination);
    EXPECT_EQ(enables, 1);
}

TEST_F(FolderFieldTest, ClickLeadsThePickedFolderBackToItsHost) {
    const std::string picked = hostFolder + nativePath("dodatki\\P\\");
    click(picked);
    EXPECT_EQ(openedIn, nativePath("C:\\"));
    EXPECT_EQ(state.strFolder, picked);
    EXPECT_EQ(Edit1.text(), hostFolder);
    EXPECT_TRUE(log.has("Ustalono docelowy folder na: " + hostFolder));
    // Once from the change of the text, once directly.
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(enables, 2);
}

TEST_F(FolderFieldTest, ClickOnTheSameFolderStillChecksOnce) {
    Edit1.setText(hostFolder);
    checks = enables = 0;
    click(hostFolder);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(enables, 1);
}

TEST_F(FolderFieldTest, NextClickOpensWhereTheLastPickLeft) {
    click(hostFolder + nativePath("dodatki\\"));
    click("");
    EXPECT_EQ(openedIn, hostFolder + nativePath("dodatki\\"));
}

TEST_F(FolderFieldTest, CancelChangesNothing) {
    Edit1.setText(nativePath("C:\\"));
    log.lines.clear();
    checks = 0;
    click("");
    EXPECT_EQ(Edit1.text(), nativePath("C:\\"));
    EXPECT_EQ(state.strFolder, nativePath("C:\\"));
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
