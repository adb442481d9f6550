// The window design as it behaves: paint order, the buttons' looks sharing their place, the
// event table, the layout after the window is resized, and pictures of their components' size.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/headless/headless_backend.h"
#include "ui/form1_design.h"

namespace ui {
namespace {

using toolkit::Cursor;

bool inside(const toolkit::Control& c, int width, int height) {
    return c.left() >= 0 && c.top() >= 0 && c.left() + c.width() <= width && c.top() + c.height() <= height;
}

TEST(Form1Design, BackdropsPaintFirstAndEveryButtonLookSharesItsButtonsPlace) {
    Form1Design d;
    const auto& controls = d.window.controls();
    ASSERT_GE(controls.size(), 2u);
    // Both backdrops come first, so everything else paints over them.
    EXPECT_EQ(controls[0], &d.BGfinish);
    EXPECT_EQ(controls[1], &d.BG);
    for (const char* button : {"bnClose", "bnInstall"}) {
        const toolkit::Control* normal = d.window.find(std::string(button) + "Normal");
        ASSERT_NE(normal, nullptr);
        for (const char* look : {"Hover", "Active", "Disable"}) {
            const toolkit::Control* c = d.window.find(std::string(button) + look);
            ASSERT_NE(c, nullptr) << button << look;
            EXPECT_EQ(std::tuple(c->left(), c->top(), c->width(), c->height()),
                      std::tuple(normal->left(), normal->top(), normal->width(), normal->height()))
                << button << look;
        }
    }
    // The buttons do not overlap each other, and every component lies within the window.
    EXPECT_LE(d.bnInstallNormal.left() + d.bnInstallNormal.width(), d.bnCloseNormal.left());
    for (const toolkit::Control* c : controls)
        EXPECT_TRUE(inside(*c, d.window.clientWidth(), d.window.clientHeight())) << c->name();
    // At start only Close and the disabled Install look show.
    EXPECT_TRUE(d.bnCloseNormal.visible());
    EXPECT_TRUE(d.bnInstallDisable.visible());
    for (const toolkit::Control* c : {&d.bnCloseHover, &d.bnCloseActive, &d.bnCloseDisable,
                                      &d.bnInstallNormal, &d.bnInstallHover, &d.bnInstallActive})
        EXPECT_FALSE(c->visible()) << c->name();
}

TEST(Form1Design, EveryButtonLookTakesThePointerWithItsCursor) {
    Form1Design d;
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
    void FormClose() override { calls.push_back("FormClose"); }
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
    d.window.onClose();
    EXPECT_EQ(handlers.calls, (std::vector<std::string>{"FormCreate", "Timer1Timer", "CheckEdit", "Edit1Click",
                                                        "FormClose"}));
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

TEST(Form1Design, ALargerWindowAndBackKeepsEveryComponentWhereItWas) {
    Form1Design d;
    std::vector<std::tuple<int, int, int, int>> before;
    for (const toolkit::Control* c : d.window.controls()) before.emplace_back(c->left(), c->top(), c->width(), c->height());
    d.window.setClientSize(1300, 700);
    EXPECT_EQ(d.bnCloseNormal.left() + d.bnCloseNormal.width(), 1300 - (1040 - 874 - 151));
    EXPECT_EQ(d.BG.width(), 1300);
    d.window.setClientSize(1040, 585);
    std::size_t i = 0;
    for (const toolkit::Control* c : d.window.controls())
        EXPECT_EQ(std::tuple(c->left(), c->top(), c->width(), c->height()), before[i++]) << c->name();
}

TEST(Form1Design, EveryPictureGetsAnImageOfItsComponentsSize) {
    Form1Design d;
    toolkit::HeadlessBackend backend;
    d.loadPictures(backend);
    for (const toolkit::Picture* p : {&d.BGfinish, &d.BG, &d.bnCloseDisable, &d.bnCloseActive, &d.bnCloseHover,
                                      &d.bnCloseNormal, &d.bnInstallActive, &d.bnInstallDisable,
                                      &d.bnInstallHover, &d.bnInstallNormal, &d.gaugeBG}) {
        EXPECT_EQ(p->image().width, p->width()) << p->name();
        EXPECT_EQ(p->image().height, p->height()) << p->name();
    }
}

}  // namespace
}  // namespace ui
