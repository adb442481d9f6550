// The picture buttons: the look table of every Install operation, the guards of the mouse
// handlers, and the Close looks, driven both directly and through the pointer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_log.h"
#include "toolkit/headless/headless_backend.h"
#include "ui/close_button.h"
#include "ui/form1_design.h"
#include "ui/install_button.h"

namespace ui {
namespace {

// Visible and enabled flags of Normal, Hover, Active, Disable as "VE" pairs, e.g. "V E".
std::string looks(const ButtonPictures& b) {
    std::string out;
    for (const toolkit::Picture* p : {&b.Normal, &b.Hover, &b.Active, &b.Disable}) {
        if (!out.empty()) out += ' ';
        out += p->visible() ? 'V' : '-';
        out += p->enabled() ? 'E' : '-';
    }
    return out;
}

using Operation = void (*)(const ButtonPictures&, session::Log&);

struct LookCase {
    const char* what;
    Operation operation;
    const char* logLine;
    const char* looks;  // Normal Hover Active Disable
};

const LookCase kInstallLooks[] = {
    {"Disable", &bnInstallSetDisable, "Blokujemy klawisz INSTALL", "-- -- -- V-"},
    {"Enable", &bnInstallSetEnable, "Odblokowywujemy klawisz INSTALL", "VE -- -- --"},
    {"Hover", &bnInstallSetHover, "SET HOVER na klawiszu INSTALL", "-- VE -- --"},
    {"Active", &bnInstallSetActive, "SET ACTIVE na klawiszu INSTALL", "-- -- VE --"},
};

TEST(InstallButton, EveryOperationLeavesItsLookFromEveryLookTwiceInARow) {
    for (const LookCase& from : kInstallLooks)
        for (const LookCase& to : kInstallLooks) {
            Form1Design d;
            testsupport::RecordingLog log;
            from.operation(d.installButton(), log);
            log.lines.clear();
            to.operation(d.installButton(), log);
            to.operation(d.installButton(), log);
            EXPECT_EQ(looks(d.installButton()), to.looks) << from.what << " -> " << to.what;
            const std::pair<std::int32_t, std::string> line{2, to.logLine};
            EXPECT_EQ(log.lines, (std::vector{line, line})) << to.what;
        }
}

TEST(InstallButton, DesignStartsDisableWithAllPicturesEnabled) {
    Form1Design d;
    EXPECT_EQ(looks(d.installButton()), "-E -E -E VE");
}

TEST(InstallButton, MouseHandlersActOnlyWhileTheirPictureIsStillVisible) {
    struct Case {
        const char* what;
        Operation before;
        Operation handler;
        const char* logLine;
        const char* looks;
    };
    const Case cases[] = {
        {"enter on Normal", &bnInstallSetEnable, &bnInstallEnter,
         "SET bnInstallEnter na klawiszu INSTALL", "-- VE -- --"},
        {"enter after Normal was hidden", &bnInstallSetDisable, &bnInstallEnter,
         "SET bnInstallEnter na klawiszu INSTALL", "-- -- -- V-"},
        {"leave on Hover", &bnInstallSetHover, &bnInstallLeave,
         "SET bnInstallLeave na klawiszu INSTALL", "VE -- -- --"},
        // the leave handled once an installation that hid Hover is over
        {"leave after Hover was hidden", &bnInstallSetActive, &bnInstallLeave,
         "SET bnInstallLeave na klawiszu INSTALL", "-- -- VE --"},
    };
    for (const Case& c : cases) {
        Form1Design d;
        testsupport::RecordingLog log;
        c.before(d.installButton(), log);
        log.lines.clear();
        c.handler(d.installButton(), log);
        EXPECT_EQ(looks(d.installButton()), c.looks) << c.what;
        ASSERT_FALSE(log.lines.empty()) << c.what;
        EXPECT_EQ(log.lines.front().second, c.logLine) << c.what;
    }
}

TEST(CloseButton, LooksSwapVisibilityOnlyAndNeverShowActive) {
    struct Case {
        const char* what;
        void (*operation)(const ButtonPictures&);
        const char* looks;
    };
    const Case cases[] = {
        {"SetEnable", &bnCloseSetEnable, "VE -E -E -E"},
        {"SetDisable", &bnCloseSetDisable, "-E -E -E VE"},
        {"Enter", &bnCloseEnter, "-E VE -E -E"},
        {"Leave", &bnCloseLeave, "VE -E -E -E"},
    };
    for (const Case& c : cases) {
        Form1Design d;
        d.bnCloseActive.setVisible(true);  // whatever was shown before
        d.bnCloseDisable.setVisible(true);
        if (c.operation == &bnCloseEnter || c.operation == &bnCloseLeave) bnCloseSetEnable(d.closeButton());
        c.operation(d.closeButton());
        EXPECT_EQ(looks(d.closeButton()), c.looks) << c.what;
    }
}

// The design wired to the real button operations, driven through the headless pointer.
class WiredButtons : public Form1Handlers {
public:
    Form1Design d;
    testsupport::RecordingLog log;
    int installClicks = 0, closeClicks = 0;
    WiredButtons() { d.bindEvents(*this); }
    void FormCreate() override {}
    void Timer1Timer() override {}
    void CloseClick() override { ++closeClicks; }
    void FormClose() override {}
    void bnCloseEnter() override { ui::bnCloseEnter(d.closeButton()); }
    void bnCloseLeave() override { ui::bnCloseLeave(d.closeButton()); }
    void bnInstallEnter() override { ui::bnInstallEnter(d.installButton(), log); }
    void bnInstallLeave() override { ui::bnInstallLeave(d.installButton(), log); }
    void ButtonInstallClick() override {
        ++installClicks;
        ui::bnInstallSetActive(d.installButton(), log);
    }
    void CheckEdit() override {}
    void Edit1Click() override {}
};

TEST(InstallButton, ThroughThePointerOnlyTheHoverLookTakesTheClick) {
    WiredButtons w;
    toolkit::HeadlessBackend backend;
    backend.attach(w.d.window);
    bnInstallSetDisable(w.d.installButton(), w.log);
    backend.clickOn("bnInstallDisable");  // Disable takes no input
    EXPECT_EQ(looks(w.d.installButton()), "-- -- -- V-");

    backend.moveMouseOff();
    bnInstallSetEnable(w.d.installButton(), w.log);
    backend.moveMouseOnto("bnInstallNormal");  // enter: Hover
    EXPECT_EQ(looks(w.d.installButton()), "-- VE -- --");
    backend.click();
    EXPECT_EQ(w.installClicks, 1);
    EXPECT_EQ(looks(w.d.installButton()), "-- -- VE --");
    backend.moveMouseOff();  // Hover's leave arrives after it was hidden: no Normal comes back
    EXPECT_EQ(looks(w.d.installButton()), "-- -- VE --");
    backend.clickOn("bnInstallActive");
    EXPECT_EQ(w.installClicks, 1);
}

TEST(InstallButton, EnableWhileHoveredReturnsToNormalAndTheNextEntryHoversAgain) {
    WiredButtons w;
    toolkit::HeadlessBackend backend;
    backend.attach(w.d.window);
    bnInstallSetEnable(w.d.installButton(), w.log);
    backend.moveMouseOnto("bnInstallNormal");
    bnInstallSetEnable(w.d.installButton(), w.log);  // the checks rerun
    EXPECT_EQ(looks(w.d.installButton()), "VE -- -- --");
    backend.moveMouseOff();
    backend.moveMouseOnto("bnInstallNormal");
    EXPECT_EQ(looks(w.d.installButton()), "-- VE -- --");
}

TEST(CloseButton, HoverAndLeaveThroughThePointerAndTheDisableLookIgnoresClicks) {
    WiredButtons w;
    toolkit::HeadlessBackend backend;
    backend.attach(w.d.window);
    backend.moveMouseOnto("bnCloseNormal");
    EXPECT_TRUE(w.d.bnCloseHover.visible());
    EXPECT_FALSE(w.d.bnCloseNormal.visible());
    backend.moveMouseOff();
    EXPECT_TRUE(w.d.bnCloseNormal.visible());
    EXPECT_FALSE(w.d.bnCloseHover.visible());
    bnCloseSetDisable(w.d.closeButton());
    backend.clickOn("bnCloseDisable");
    EXPECT_EQ(w.closeClicks, 0);
    EXPECT_EQ(backend.pointer().entered(), &w.d.bnCloseDisable);  // it stays enabled
    bnCloseSetEnable(w.d.closeButton());
    backend.clickOn("bnCloseHover");  // entering Normal brings Hover up, which takes the click
    EXPECT_EQ(w.closeClicks, 1);
}

}  // namespace
}  // namespace ui
