// The window design: every component's kind, place, anchors, start visibility and cursor,
// the event table, and the layout after the window shrinks.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/headless/headless_backend.h"
#include "ui/form1_design.h"

namespace ui {
namespace {

using toolkit::Cursor;

struct Expected {
    const char* name;
    int left, top, width, height;
    bool l, t, r, b;  // anchors
    bool visible;
};

TEST(Form1Design, ComponentsInPaintOrderWithTheirPlacesAnchorsAndVisibility) {
    const Expected table[] = {
        {"BGfinish", 0, 0, 1040, 585, 1, 1, 1, 1, false},
        {"BG", 0, 0, 1040, 585, 1, 1, 1, 1, true},
        {"InfoLabel", 105, 367, 58, 14, 1, 0, 0, 1, true},
        {"bnCloseDisable", 874, 527, 151, 50, 0, 0, 1, 1, false},
        {"bnCloseActive", 874, 527, 151, 50, 0, 0, 1, 1, false},
        {"bnCloseHover", 874, 527, 151, 50, 0, 0, 1, 1, false},
        {"bnCloseNormal", 874, 527, 151, 50, 0, 0, 1, 1, true},
        {"bnInstallActive", 698, 527, 151, 50, 0, 0, 1, 1, false},
        {"bnInstallDisable", 698, 527, 151, 50, 0, 0, 1, 1, true},
        {"bnInstallHover", 698, 527, 151, 50, 0, 0, 1, 1, false},
        {"bnInstallNormal", 698, 527, 151, 50, 0, 0, 1, 1, false},
        {"gauge", 0, 354, 1040, 34, 1, 1, 0, 0, true},
        {"gaugeBG", 0, 0, 1040, 57, 1, 1, 0, 0, false},
        {"infoBox", 400, 5, 635, 87, 1, 1, 1, 0, false},
        {"Edit1", 105, 408, 383, 19, 1, 0, 1, 1, false},
        {"StaticText1", 105, 391, 230, 17, 1, 0, 0, 1, false},
        {"ActivityIndicator", 935, 454, 64, 64, 0, 0, 0, 0, true},
    };
    Form1Design design;
    const auto& controls = design.window.controls();
    ASSERT_EQ(controls.size(), std::size(table));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const toolkit::Control& c = *controls[i];
        const Expected& e = table[i];
        EXPECT_EQ(c.name(), e.name) << i;
        EXPECT_EQ(c.left(), e.left) << e.name;
        EXPECT_EQ(c.top(), e.top) << e.name;
        EXPECT_EQ(c.width(), e.width) << e.name;
        EXPECT_EQ(c.height(), e.height) << e.name;
        EXPECT_EQ(c.anchors().left, e.l) << e.name;
        EXPECT_EQ(c.anchors().top, e.t) << e.name;
        EXPECT_EQ(c.anchors().right, e.r) << e.name;
        EXPECT_EQ(c.anchors().bottom, e.b) << e.name;
        EXPECT_EQ(c.visible(), e.visible) << e.name;
    }
}

TEST(Form1Design, WindowTextsColoursFontsAndCursors) {
    Form1Design d;
    EXPECT_TRUE(d.window.borderless());
    EXPECT_EQ(d.window.clientWidth(), 1040);
    EXPECT_EQ(d.window.clientHeight(), 585);
    EXPECT_EQ(d.window.caption(), "Instalator bibliotek CAD");
    EXPECT_EQ(d.window.font(), (toolkit::Font{"Tahoma", 11, false, toolkit::kSystemWindowText}));
    EXPECT_EQ(d.InfoLabel.caption(), "InfoLabel");
    EXPECT_EQ(d.InfoLabel.font(), (toolkit::Font{"Tahoma", 12, true, toolkit::rgb(255, 0, 0)}));
    EXPECT_TRUE(d.InfoLabel.transparent());
    EXPECT_EQ(d.Edit1.text(), "C:\\Program Files\\CadLumor v. 2.0\\");
    EXPECT_EQ(d.Edit1.cueText(), "Miejsce instalacji oprogramowania CAD");
    EXPECT_EQ(d.StaticText1.caption(), "Miejsce instalacji pakietu, zmień jeśli konieczne.");
    EXPECT_EQ(d.StaticText1.color(), toolkit::rgb(255, 255, 255));
    EXPECT_EQ(d.gauge.foreColor(), toolkit::rgb(255, 140, 0));
    EXPECT_EQ(d.gauge.maxValue(), 100);
    EXPECT_FALSE(d.gauge.border());
    EXPECT_TRUE(d.infoBox.readOnly());
    EXPECT_FALSE(d.infoBox.tabStop());
    EXPECT_EQ(d.infoBox.copyCaption(), "Kopiuj");
    EXPECT_EQ(d.infoBox.selectAllCaption(), "Zaznacz wszystko");
    EXPECT_TRUE(d.ActivityIndicator.animating());
    EXPECT_FALSE(d.BG.enabled());
    EXPECT_FALSE(d.BGfinish.enabled());
    EXPECT_TRUE(d.BG.stretch());
    EXPECT_TRUE(d.gaugeBG.transparent());
    EXPECT_EQ(d.Timer1.intervalMs(), 1000);
    EXPECT_TRUE(d.Timer1.enabled());
    const std::map<std::string, Cursor> cursors = {
        {"Disable", Cursor::NotAllowed}, {"Active", Cursor::Default},
        {"Hover", Cursor::Hand},         {"Normal", Cursor::Hand}};
    for (const auto& [look, cursor] : cursors)
        for (const char* button : {"bnClose", "bnInstall"}) {
            const toolkit::Control* c = d.window.find(button + look);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->cursor(), cursor) << button << look;
            EXPECT_TRUE(c->enabled()) << button << look;
        }
}

// Records which handler each event reaches.
class RecordingHandlers : public Form1Handlers {
public:
    std::vector<std::string> calls;
    void FormCreate() override { calls.push_back("FormCreate"); }
    void Timer1Timer() override { calls.push_back("Timer1Timer"); }
    void CloseClick() override { calls.push_back("CloseClick"); }
    void bnCloseEnter() override { calls.push_back("bnCloseEnter"); }
    void bnCloseLeave() override { calls.push_back("bnCloseLeave"); }
    void bnInstallEnter() override { calls.push_back("bnInstallEnter"); }
    void bnInstallLeave() override { calls.push_back("bnInstallLeave"); }
    void ButtonInstallClick() override { calls.push_back("ButtonInstallClick"); }
    void CheckEdit() override { calls.push_back("CheckEdit"); }
    void Edit1Click() override { calls.push_back("Edit1Click"); }
};

TEST(Form1Design, EachEventReachesItsHandlerAndNoOtherEventHasOne) {
    Form1Design d;
    RecordingHandlers handlers;
    d.bindEvents(handlers);
    struct Binding {
        toolkit::Picture* picture;
        const char* click;
        const char* enter;
        const char* leave;
    };
    const Binding pictures[] = {
        {&d.BGfinish, nullptr, nullptr, nullptr},
        {&d.BG, nullptr, nullptr, nullptr},
        {&d.bnCloseDisable, nullptr, nullptr, nullptr},
        {&d.bnCloseActive, nullptr, nullptr, nullptr},
        {&d.bnCloseHover, "CloseClick", nullptr, "bnCloseLeave"},
        {&d.bnCloseNormal, "CloseClick", "bnCloseEnter", nullptr},
        {&d.bnInstallActive, nullptr, nullptr, nullptr},
        {&d.bnInstallDisable, nullptr, nullptr, nullptr},
        {&d.bnInstallHover, "ButtonInstallClick", nullptr, "bnInstallLeave"},
        {&d.bnInstallNormal, nullptr, "bnInstallEnter", nullptr},
        {&d.gaugeBG, "ButtonInstallClick", nullptr, nullptr},
    };
    for (const Binding& b : pictures) {
        const std::pair<const toolkit::Event*, const char*> events[] = {
            {&b.picture->onClick, b.click},
            {&b.picture->onMouseEnter, b.enter},
            {&b.picture->onMouseLeave, b.leave}};
        for (const auto& [event, expected] : events) {
            handlers.calls.clear();
            if (*event) (*event)();
            if (expected)
                EXPECT_EQ(handlers.calls, std::vector<std::string>{expected}) << b.picture->name();
            else
                EXPECT_TRUE(handlers.calls.empty()) << b.picture->name();
        }
    }
    handlers.calls.clear();
    d.window.onCreate();
    d.Timer1.onTimer();
    d.Edit1.setText("C:\\");
    d.Edit1.setText("C:\\");  // no change, no handler
    d.Edit1.onClick();
    EXPECT_EQ(handlers.calls,
              (std::vector<std::string>{"FormCreate", "Timer1Timer", "CheckEdit", "Edit1Click"}));
}

TEST(Form1Design, ASmallerWindowKeepsButtonsAtTheCornerAndStretchesTheFields) {
    Form1Design d;
    d.window.setClientSize(666, 375);  // a cover shrunk for a 1024 x 768 screen
    const int dw = 666 - 1040, dh = 375 - 585;
    EXPECT_EQ(d.bnCloseNormal.left(), 874 + dw);
    EXPECT_EQ(d.bnCloseNormal.top(), 527 + dh);
    EXPECT_EQ(d.bnInstallDisable.left(), 698 + dw);
    EXPECT_EQ(d.InfoLabel.top(), 367 + dh);
    EXPECT_EQ(d.InfoLabel.left(), 105);
    EXPECT_EQ(d.StaticText1.top(), 391 + dh);
    EXPECT_EQ(d.Edit1.width(), 383 + dw);
    EXPECT_EQ(d.Edit1.top(), 408 + dh);
    EXPECT_EQ(d.infoBox.width(), 635 + dw);
    EXPECT_EQ(d.infoBox.top(), 5);
    EXPECT_EQ(d.gauge.left(), 0);
    EXPECT_EQ(d.gauge.top(), 354);
    EXPECT_EQ(d.gauge.width(), 1040);
    EXPECT_EQ(d.BG.width(), 666);
    EXPECT_EQ(d.BG.height(), 375);
    // The busy indicator's centre (967, 486) keeps its relative place: (619.27, 311.54).
    EXPECT_EQ(d.ActivityIndicator.left(), 587);
    EXPECT_EQ(d.ActivityIndicator.top(), 280);
}

TEST(Form1Design, PicturesGetTheBackendsBuiltInImages) {
    Form1Design d;
    toolkit::HeadlessBackend backend;
    d.loadPictures(backend);
    EXPECT_EQ(d.BG.image().width, 1040);
    EXPECT_EQ(d.gaugeBG.image().height, 57);
    EXPECT_EQ(d.bnInstallHover.image().width, 151);
}

}  // namespace
}  // namespace ui
