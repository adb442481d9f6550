// The keyboard: focus order over picture buttons and fields, the focus cue as the pointer's
// own enter and leave, Enter/Space/Escape/access keys acting through the pictures' handlers,
// and no key acting while a handler runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/headless/headless_backend.h"
#include "toolkit/picture.h"
#include "toolkit/picture_button.h"

namespace toolkit {
namespace {

// Two buttons wired as the installer's are: "go" takes its click only in its Hover look,
// which the pointer's coming brings; "quit" takes it in both. A field lies between them.
struct KeyScene {
    Form form{"Form1"};
    Picture goNormal{"goNormal"}, goHover{"goHover"}, goOff{"goOff"};
    Picture quitNormal{"quitNormal"}, quitHover{"quitHover"};
    Edit field{"field"};
    PictureButton go{"Idź", 'I', {&goNormal, &goHover, &goOff}};
    PictureButton quit{"Zamknij", 'Z', {&quitNormal, &quitHover}};
    HeadlessBackend backend;
    std::vector<std::string> events;

    KeyScene() {
        form.setClientSize(600, 200);
        goNormal.setBounds(300, 150, 100, 40);
        goHover.setBounds(300, 150, 100, 40);
        goOff.setBounds(300, 150, 100, 40);
        quitNormal.setBounds(450, 150, 100, 40);
        quitHover.setBounds(450, 150, 100, 40);
        field.setBounds(10, 100, 200, 20);
        goHover.setVisible(false);
        goOff.setVisible(false);
        quitHover.setVisible(false);
        goNormal.onMouseEnter = [this] { record("enter goNormal"); swap(goNormal, goHover); };
        goHover.onMouseLeave = [this] { record("leave goHover"); swap(goHover, goNormal); };
        goHover.onClick = [this] { record("click goHover"); };
        quitNormal.onMouseEnter = [this] { record("enter quitNormal"); swap(quitNormal, quitHover); };
        quitNormal.onClick = [this] { record("click quitNormal"); };
        quitHover.onMouseLeave = [this] { record("leave quitHover"); swap(quitHover, quitNormal); };
        quitHover.onClick = [this] { record("click quitHover"); };
        field.onClick = [this] { record("click field"); };
        for (Control* c : std::initializer_list<Control*>{&goNormal, &goHover, &goOff, &quitNormal, &quitHover, &field})
            form.add(*c);
        form.setFocusOrder({{&go, nullptr}, {nullptr, &field}, {&quit, nullptr}});
        form.setCancelButton(&quit);
        backend.attach(form);
    }
    ~KeyScene() { backend.detach(form); }

    void record(const std::string& event) { events.push_back(event); }
    static void swap(Picture& from, Picture& to) {
        from.setVisible(false);
        to.setVisible(true);
    }
    // "go" switched off: only its picture without handlers is shown.
    void switchGoOff() {
        goNormal.setVisible(false);
        goHover.setVisible(false);
        goOff.setVisible(true);
    }
    std::string focused() const {
        const int index = form.focusIndex();
        if (index < 0) return "none";
        const FocusStop& stop = form.focusOrder()[static_cast<std::size_t>(index)];
        return stop.button ? stop.button->name() : stop.field->name();
    }
};

TEST(Keyboard, TabAndBackTabVisitTheStopsThatCanTakeTheFocusInOrderAndWrap) {
    KeyScene s;
    s.form.focusDefaultButton();
    EXPECT_EQ(s.focused(), "Idź");
    std::vector<std::string> visited;
    for (int k = 0; k < 4; ++k) {
        s.backend.pressKey(Key::Tab);
        visited.push_back(s.focused());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"field", "Zamknij", "Idź", "field"}));
    visited.clear();
    for (int k = 0; k < 3; ++k) {
        s.backend.pressKey(Key::BackTab);
        visited.push_back(s.focused());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Idź", "Zamknij", "field"}));

    // A button whose look takes no input, a hidden field: skipped; the default moves on.
    s.switchGoOff();
    s.field.setVisible(false);
    EXPECT_FALSE(s.go.usable());
    s.backend.pressKey(Key::Tab);
    EXPECT_EQ(s.focused(), "Zamknij");
    s.backend.pressKey(Key::Tab);
    EXPECT_EQ(s.focused(), "Zamknij");
    s.form.focusDefaultButton();
    EXPECT_EQ(s.focused(), "Zamknij");
    s.quitNormal.setEnabled(false);
    s.quitHover.setEnabled(false);
    s.form.focusDefaultButton();
    EXPECT_EQ(s.focused(), "none");
    s.field.setVisible(true);
    s.form.focusDefaultButton();
    EXPECT_EQ(s.focused(), "field");  // no usable button: the field
}

TEST(Keyboard, TheCueIsThePointersEnterAndLeaveAndEnterThenClicksAsThePointerWould) {
    KeyScene s;
    s.form.focusDefaultButton();
    // Enter on the focused button in its Normal look: the pointer's coming, then its click.
    s.backend.pressKey(Key::Enter);
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter goNormal", "click goHover"}));
    EXPECT_EQ(s.backend.keyboard().cueOn(), &s.go);

    // The cue follows the focus: leave of the one, enter of the other, none on the field.
    s.events.clear();
    s.backend.pressKey(Key::Tab);
    s.backend.pressKey(Key::Tab);
    EXPECT_EQ(s.events, (std::vector<std::string>{"leave goHover", "enter quitNormal"}));
    EXPECT_TRUE(s.quitHover.visible());
    s.events.clear();
    s.backend.pressKey(Key::Space);
    EXPECT_EQ(s.events, (std::vector<std::string>{"click quitHover"}));

    // The same handlers in the same order as the pointer's way onto "go" and its click.
    KeyScene mouse;
    mouse.backend.clickOn("goNormal");
    mouse.backend.click();
    KeyScene keys;
    keys.form.focusDefaultButton();
    keys.backend.pressKey(Key::Space);
    keys.backend.pressKey(Key::Space);
    EXPECT_EQ(keys.events, mouse.events);
}

TEST(Keyboard, EnterOnTheFieldIsAClickInItAndSpaceIsTypedIntoIt) {
    KeyScene s;
    s.form.focusDefaultButton();
    s.backend.pressKey(Key::Tab);
    ASSERT_EQ(s.focused(), "field");
    EXPECT_FALSE(s.backend.pressKey(Key::Space));
    EXPECT_TRUE(s.events.empty() || s.events == (std::vector<std::string>{"leave goHover"}));
    s.events.clear();
    EXPECT_TRUE(s.backend.pressKey(Key::Enter));
    EXPECT_EQ(s.events, (std::vector<std::string>{"click field"}));
}

TEST(Keyboard, EscapeAndAccessKeysActOnlyOnUsableButtons) {
    KeyScene s;
    s.form.focusDefaultButton();
    s.backend.pressKey(Key::Escape);
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter quitNormal", "click quitHover"}));
    EXPECT_EQ(s.focused(), "Zamknij");

    s.events.clear();
    EXPECT_TRUE(s.backend.pressAccessKey('i'));
    EXPECT_EQ(s.events, (std::vector<std::string>{"leave quitHover", "enter goNormal", "click goHover"}));
    EXPECT_FALSE(s.backend.pressAccessKey('Q'));

    s.events.clear();
    s.switchGoOff();
    s.quitNormal.setEnabled(false);
    s.quitHover.setEnabled(false);
    s.field.setVisible(false);
    EXPECT_TRUE(s.backend.pressAccessKey('I'));
    EXPECT_TRUE(s.backend.pressAccessKey('Z'));
    s.backend.pressKey(Key::Escape);
    s.backend.pressKey(Key::Enter);
    s.backend.pressKey(Key::Space);
    s.backend.pressKey(Key::Tab);
    EXPECT_EQ(s.events, std::vector<std::string>{});
}

TEST(Keyboard, KeysPressedWhileAHandlerRunsDoNothing) {
    KeyScene s;
    s.form.focusDefaultButton();
    bool taken = false;
    s.goHover.onClick = [&] {
        s.record("click goHover");
        for (Key key : {Key::Tab, Key::Enter, Key::Space, Key::Escape}) taken = s.backend.pressKey(key);
        s.backend.pressAccessKey('Z');
    };
    s.backend.pressKey(Key::Enter);
    EXPECT_TRUE(taken);  // swallowed, not typed into a field
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter goNormal", "click goHover"}));
    EXPECT_EQ(s.focused(), "Idź");
}

TEST(Keyboard, AFocusedStopThatWentFallsBackToTheDefaultButton) {
    KeyScene s;
    s.form.focusDefaultButton();
    s.backend.pressKey(Key::Tab);
    ASSERT_EQ(s.focused(), "field");
    s.field.setVisible(false);
    s.backend.pressKey(Key::Enter);  // acts on the default button, not on the hidden field
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter goNormal", "click goHover"}));
}

}  // namespace
}  // namespace toolkit
