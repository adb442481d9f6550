// The installer's window from the keyboard alone: where the preparation leaves the focus, the
// Tab order, and Enter, Space, Escape and Alt+I/Alt+Z with Install disabled, enabled, during
// the installation and after it; a key runs the handlers, and writes the log lines, a mouse
// user's click would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/install_fixture.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;
using toolkit::Key;

const CatalogContent kPackage = {{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa"}, {3, "Komoda"}}};

std::string focused(const InstallRun& run) {
    const toolkit::Form& window = run.form->window;
    if (window.focusIndex() < 0) return "none";
    const toolkit::FocusStop& stop = window.focusOrder()[static_cast<std::size_t>(window.focusIndex())];
    return stop.button ? stop.button->name() : stop.field->name();
}

// The log box's lines about the two buttons' looks, in order.
std::vector<std::string> buttonLines(const InstallRun& run) {
    std::vector<std::string> out;
    for (const std::string& line : run.logBox())
        if (line.find("INSTALL") != std::string::npos) out.push_back(line);
    return out;
}

void prepareEnabled(InstallRun& run) {
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
}

TEST(KeyboardInstall, EnterInstallsWithTheClicksHandlersAndLogLinesThenEscapeCloses) {
    InstallRun mouse;
    prepareEnabled(mouse);
    mouse.clickInstall();
    ASSERT_TRUE(mouse.finished());

    InstallRun keys;
    prepareEnabled(keys);
    EXPECT_EQ(focused(keys), "Instaluj");
    EXPECT_TRUE(keys.backend.pressKey(Key::Enter));
    keys.backend.run(keys.form->window);
    EXPECT_TRUE(keys.finished());
    EXPECT_TRUE(keys.backend.errorReports().empty());
    EXPECT_EQ(installtest::catalogRows(keys.catalog("dodatki.mdb")),
              installtest::catalogRows(mouse.catalog("dodatki.mdb")));
    // The mouse's run ends with the leave of the Hover picture it clicked, handled once the
    // installation is over (and changing nothing); the keyboard has no pointer to leave.
    std::vector<std::string> mouseLines = buttonLines(mouse);
    ASSERT_EQ(mouseLines.back(), "SET bnInstallLeave na klawiszu INSTALL");
    mouseLines.pop_back();
    EXPECT_EQ(buttonLines(keys), mouseLines);
    EXPECT_EQ(keys.logBox().size(), mouse.logBox().size() - 1);

    // After it: Install is gone, so only Close takes the focus and keys.
    const std::size_t lines = keys.logBox().size();
    EXPECT_TRUE(keys.backend.pressAccessKey('I'));
    keys.backend.pressKey(Key::Tab);
    EXPECT_EQ(focused(keys), "Zamknij");
    keys.backend.pressKey(Key::BackTab);
    EXPECT_EQ(focused(keys), "Zamknij");
    EXPECT_EQ(keys.logBox().size(), lines);
    EXPECT_TRUE(keys.installGone());
    EXPECT_FALSE(keys.backend.closed());
    keys.backend.pressKey(Key::Escape);
    EXPECT_TRUE(keys.backend.closed());
}

TEST(KeyboardInstall, TabVisitsInstallTheFolderFieldAndCloseWithTheHoverLookAsItsCue) {
    InstallRun run;
    prepareEnabled(run);
    const std::vector<std::string> before = buttonLines(run);
    run.backend.pressKey(Key::Tab);
    EXPECT_EQ(focused(run), "Edit1");
    EXPECT_TRUE(run.form->bnInstallNormal.visible());
    run.backend.pressKey(Key::Tab);
    EXPECT_EQ(focused(run), "Zamknij");
    EXPECT_TRUE(run.form->bnCloseHover.visible());
    run.backend.pressKey(Key::Tab);
    EXPECT_EQ(focused(run), "Instaluj");
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    EXPECT_TRUE(run.form->bnInstallHover.visible());
    EXPECT_TRUE(run.form->bnInstallHover.enabled());
    run.backend.pressKey(Key::BackTab);
    EXPECT_EQ(focused(run), "Zamknij");
    EXPECT_TRUE(run.form->bnInstallNormal.visible());
    run.backend.pressKey(Key::BackTab);
    EXPECT_EQ(focused(run), "Edit1");
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    // The cue came and went through the pointer's own handlers, with their lines.
    std::vector<std::string> expected = before;
    for (const char* line : {"SET bnInstallEnter na klawiszu INSTALL", "SET HOVER na klawiszu INSTALL",
                             "SET bnInstallLeave na klawiszu INSTALL", "Odblokowywujemy klawisz INSTALL"})
        expected.emplace_back(line);
    EXPECT_EQ(buttonLines(run), expected);
    EXPECT_FALSE(run.backend.closed());
}

TEST(KeyboardInstall, EnterInTheFolderFieldOpensTheChooserAndSpaceIsTyped) {
    InstallRun run;
    prepareEnabled(run);
    run.backend.pressKey(Key::Tab);
    ASSERT_EQ(focused(run), "Edit1");
    EXPECT_FALSE(run.backend.pressKey(Key::Space));
    EXPECT_TRUE(run.backend.folderChooserCalls().empty());
    run.backend.answerFolderChooser(std::nullopt);
    EXPECT_TRUE(run.backend.pressKey(Key::Enter));
    ASSERT_EQ(run.backend.folderChooserCalls().size(), 1u);
    EXPECT_EQ(run.backend.folderChooserCalls()[0].first, "Wybierz folder instalacji biblioteki");
    EXPECT_FALSE(run.finished());
}

TEST(KeyboardInstall, AltIInstallsAndAltZCloses) {
    InstallRun run;
    prepareEnabled(run);
    run.backend.pressKey(Key::Tab);
    run.backend.pressKey(Key::Tab);  // the focus on Close: Alt+I acts on Install all the same
    EXPECT_TRUE(run.backend.pressAccessKey('i'));
    EXPECT_TRUE(run.finished());
    EXPECT_TRUE(run.backend.pressAccessKey('Z'));
    EXPECT_TRUE(run.backend.closed());
}

TEST(KeyboardInstall, WithInstallDisabledTheFocusIsOnCloseAndInstallIgnoresKeys) {
    InstallRun run;
    run.system.addProcess("CADTool.exe");
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_FALSE(run.installEnabled());
    ASSERT_TRUE(run.form->bnInstallDisable.visible());
    EXPECT_EQ(focused(run), "Zamknij");
    const std::vector<std::string> lines = run.logBox();
    run.backend.pressKey(Key::Tab);
    EXPECT_EQ(focused(run), "Edit1");
    run.backend.pressKey(Key::Tab);
    EXPECT_EQ(focused(run), "Zamknij");
    run.backend.pressKey(Key::BackTab);
    run.backend.pressKey(Key::BackTab);
    EXPECT_EQ(focused(run), "Zamknij");
    EXPECT_TRUE(run.backend.pressAccessKey('I'));
    EXPECT_EQ(run.logBox(), lines);  // no line of Install's handlers
    EXPECT_TRUE(run.form->bnInstallDisable.visible());
    run.backend.pressKey(Key::Space);
    EXPECT_TRUE(run.backend.closed());
}

TEST(KeyboardInstall, KeysPressedDuringTheInstallationDoNothing) {
    InstallRun run;
    prepareEnabled(run);
    std::vector<bool> taken;
    run.form->gauge.setImmediateRepaint([&](toolkit::Gauge&) {
        for (Key key : {Key::Escape, Key::Tab, Key::Enter, Key::Space, Key::BackTab})
            taken.push_back(run.backend.pressKey(key));
        taken.push_back(run.backend.pressAccessKey('Z'));
        taken.push_back(run.backend.pressAccessKey('I'));
    });
    run.backend.pressKey(Key::Enter);
    run.backend.run(run.form->window);
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(taken, std::vector<bool>(taken.size(), true));  // none reached a field either
    EXPECT_TRUE(run.finished());
    EXPECT_FALSE(run.backend.closed());
    EXPECT_TRUE(run.backend.folderChooserCalls().empty());
    EXPECT_EQ(run.count("SET ACTIVE na klawiszu INSTALL"), 1);
}

TEST(KeyboardInstall, AfterAFailedInstallationEnterClosesAndInstallStaysGone) {
    InstallRun run;
    run.writeUserCatalog("not a catalog, yet the user's own bytes");
    prepareEnabled(run);
    run.backend.pressKey(Key::Space);
    ASSERT_EQ(run.form->installOutcome, app::InstallOutcome::RolledBack);
    const std::size_t lines = run.logBox().size();
    run.backend.pressAccessKey('I');
    EXPECT_EQ(run.logBox().size(), lines);
    EXPECT_TRUE(run.installGone());
    run.backend.pressKey(Key::Enter);
    EXPECT_TRUE(run.backend.closed());
}

}  // namespace
