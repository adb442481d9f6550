// Property setters tell the backend of a real change once, and of a repeated value never: a
// missed notice leaves a stale window, a spurious one repaints (and reschedules timers) for
// nothing.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/activity_indicator.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/static_text.h"
#include "toolkit/timer.h"

namespace toolkit {
namespace {

struct CountingObserver : ControlObserver, TimerObserver {
    int controls = 0;
    int timers = 0;
    void controlChanged(Control&) override { ++controls; }
    void timerChanged(Timer&) override { ++timers; }
};

// Sets each value twice; expects one notice per distinct value, and the value kept.
template <typename Component, typename Value, typename Set, typename Get>
void expectOneNoticePerChange(Component& component, int& notices, Set set, Get get,
                              const Value& first, const Value& second) {
    const int before = notices;
    set(component, first);
    set(component, first);
    EXPECT_EQ(notices - before, 1);
    EXPECT_EQ(get(component), first);
    set(component, second);
    set(component, second);
    EXPECT_EQ(notices - before, 2);
    EXPECT_EQ(get(component), second);
}

TEST(PropertySetters, ControlsNotifyOncePerRealChange) {
    CountingObserver observer;
    Label label("Label1");
    label.setObserver(&observer);
    expectOneNoticePerChange(
        label, observer.controls, [](Label& l, const std::string& v) { l.setCaption(v); },
        [](const Label& l) { return l.caption(); }, std::string("Katalog"), std::string(""));
    Font bold;
    bold.bold = true;
    expectOneNoticePerChange(
        label, observer.controls, [](Label& l, const Font& f) { l.setFont(f); },
        [](const Label& l) { return l.font(); }, bold, Font{});
    expectOneNoticePerChange(
        label, observer.controls, [](Label& l, bool v) { l.setVisible(v); },
        [](const Label& l) { return l.visible(); }, false, true);

    StaticText text("StaticText1");
    text.setObserver(&observer);
    expectOneNoticePerChange(
        text, observer.controls, [](StaticText& t, Color c) { t.setColor(c); },
        [](const StaticText& t) { return t.color(); }, Color{0x00FFFFFF}, Color{0});

    Form form("Form1");
    form.setObserver(&observer);
    expectOneNoticePerChange(
        form, observer.controls, [](Form& f, bool v) { f.setBorderless(v); },
        [](const Form& f) { return f.borderless(); }, true, false);

    ActivityIndicator busy("Busy");
    busy.setObserver(&observer);
    expectOneNoticePerChange(
        busy, observer.controls, [](ActivityIndicator& b, bool v) { b.setAnimating(v); },
        [](const ActivityIndicator& b) { return b.animating(); }, true, false);
}

TEST(PropertySetters, TimerIsRescheduledOncePerRealChange) {
    CountingObserver observer;
    Timer timer("Timer1");
    timer.setObserver(&observer);
    expectOneNoticePerChange(
        timer, observer.timers, [](Timer& t, int ms) { t.setIntervalMs(ms); },
        [](const Timer& t) { return t.intervalMs(); }, 250, 1000);
    expectOneNoticePerChange(
        timer, observer.timers, [](Timer& t, bool on) { t.setEnabled(on); },
        [](const Timer& t) { return t.enabled(); }, false, true);
    EXPECT_EQ(observer.controls, 0);
}

}  // namespace
}  // namespace toolkit
