// Input delivery: the dispatcher's exception barrier and input rules, the pointer model's
// hit-testing and enter/leave pairs, and the headless backend's clock and loop.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/dispatcher.h"
#include "toolkit/edit.h"
#include "toolkit/gauge.h"
#include "toolkit/form.h"
#include "toolkit/headless/headless_backend.h"
#include "toolkit/headless/recording_headless_backend.h"
#include "toolkit/picture.h"
#include "toolkit/pointer_tracker.h"

namespace toolkit {
namespace {

// Two overlapping pictures (lower, upper) and an edit field to the right.
struct Scene {
    Form form{"Form1"};
    Picture lower{"lower"}, upper{"upper"};
    Edit edit{"edit"};
    std::vector<std::string> events;

    Scene() {
        form.setClientSize(400, 200);
        lower.setBounds(0, 0, 100, 100);
        upper.setBounds(50, 50, 100, 100);
        edit.setBounds(120, 120, 100, 20);
        for (Picture* p : {&lower, &upper}) {
            p->onMouseEnter = [this, p] { events.push_back("enter " + p->name()); };
            p->onMouseLeave = [this, p] { events.push_back("leave " + p->name()); };
            p->onClick = [this, p] { events.push_back("click " + p->name()); };
            form.add(*p);
        }
        form.add(edit);
    }
};

TEST(Dispatcher, AnEscapingExceptionIsReportedAndLaterEventsStillArrive) {
    std::vector<std::string> reports;
    Dispatcher dispatcher([&](const std::string& m) { reports.push_back(m); });
    Scene s;
    s.lower.onClick = [] { throw std::runtime_error("Nie można utworzyć pliku x"); };
    dispatcher.click(s.lower);
    dispatcher.click(s.upper);
    EXPECT_EQ(reports, (std::vector<std::string>{"Nie można utworzyć pliku x"}));
    EXPECT_EQ(s.events, (std::vector<std::string>{"click upper"}));
}

TEST(Dispatcher, TheProgramWordsEveryEscapedExceptionItself) {
    std::vector<std::string> reports;
    Dispatcher dispatcher([&](const std::string& m) { reports.push_back(m); });
    Scene s;
    s.lower.onClick = [] { throw 42; };
    dispatcher.click(s.lower);  // no wording installed: nothing of the toolkit's own
    dispatcher.setErrorText([] {
        try {
            throw;
        } catch (const std::exception& e) {
            return std::string("opisany: ") + e.what();
        } catch (...) {
            return std::string("nieznany");
        }
    });
    dispatcher.click(s.lower);
    s.upper.onClick = [] { throw std::logic_error("engine detail"); };
    dispatcher.click(s.upper);
    EXPECT_EQ(reports, (std::vector<std::string>{"", "nieznany", "opisany: engine detail"}));
}

TEST(Dispatcher, HiddenOrDisabledPicturesGetNoEnterAndNoClick) {
    Dispatcher dispatcher([](const std::string&) {});
    Scene s;
    s.lower.setVisible(false);
    s.upper.setEnabled(false);
    for (Picture* p : {&s.lower, &s.upper}) {
        dispatcher.mouseEnter(*p);
        dispatcher.click(*p);
    }
    EXPECT_TRUE(s.events.empty());
}

TEST(Dispatcher, TimerTicksOnlyWhileEnabledAndUserTypingRunsTheChangeHandler) {
    Dispatcher dispatcher([](const std::string&) {});
    Timer timer("Timer1");
    int ticks = 0, changes = 0;
    timer.onTimer = [&] { ++ticks; };
    dispatcher.timerTick(timer);
    timer.setEnabled(false);
    dispatcher.timerTick(timer);
    EXPECT_EQ(ticks, 1);
    Edit edit("Edit1");
    edit.onChange = [&] { ++changes; };
    dispatcher.userEditedText(edit, "a");
    dispatcher.userEditedText(edit, "a");
    EXPECT_EQ(changes, 1);
}

TEST(PointerTracker, TheTopmostVisibleEnabledPictureTakesThePoint) {
    struct Case {
        bool upperVisible, upperEnabled;
        int x, y;
        const char* expected;  // nullptr: none
    };
    const Case cases[] = {
        {true, true, 75, 75, "upper"},   // overlap: the later one is on top
        {false, true, 75, 75, "lower"},  // hidden: the one below gets it
        {true, false, 75, 75, "lower"},  // disabled: input falls through
        {true, true, 10, 10, "lower"},
        {true, true, 149, 149, "upper"},
        {true, true, 150, 150, nullptr},  // right and bottom edges are outside
        {true, true, 130, 125, nullptr},  // a child window covers every picture
    };
    for (const auto& c : cases) {
        Scene s;
        Dispatcher dispatcher([](const std::string&) {});
        PointerTracker tracker(s.form, dispatcher);
        s.upper.setVisible(c.upperVisible);
        s.upper.setEnabled(c.upperEnabled);
        Picture* hit = tracker.pictureAt(c.x, c.y);
        if (c.expected)
            EXPECT_TRUE(hit && hit->name() == c.expected) << c.x << "," << c.y;
        else
            EXPECT_EQ(hit, nullptr) << c.x << "," << c.y;
    }
}

TEST(PointerTracker, MovingAcrossPicturesGivesLeaveBeforeEnter) {
    Scene s;
    Dispatcher dispatcher([](const std::string&) {});
    PointerTracker tracker(s.form, dispatcher);
    tracker.moveTo(10, 10);
    tracker.moveTo(20, 20);  // same picture: nothing
    tracker.moveTo(75, 75);
    tracker.click();
    tracker.leaveWindow();
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter lower", "leave lower", "enter upper",
                                                  "click upper", "leave upper"}));
}

TEST(PointerTracker, APictureHiddenByAHandlerStillGetsItsLeaveWhenThePointerMoves) {
    Scene s;
    Dispatcher dispatcher([](const std::string&) {});
    PointerTracker tracker(s.form, dispatcher);
    s.upper.onClick = [&] {
        s.events.push_back("click upper");
        s.upper.setVisible(false);
        s.upper.setEnabled(false);
    };
    tracker.moveTo(140, 140);  // upper only
    tracker.click();
    tracker.refresh();  // pointer rests on nothing now: upper's leave arrives, hidden as it is
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter upper", "click upper", "leave upper"}));
}

TEST(PointerTracker, APictureAppearingUnderARestingPointerIsEntered) {
    Scene s;
    HeadlessBackend backend;
    backend.attach(s.form);
    s.upper.setVisible(false);
    // A handler shows the picture on top, as a button's look change does.
    s.lower.onMouseEnter = [&] {
        s.events.push_back("enter lower");
        s.upper.setVisible(true);
    };
    backend.moveMouseTo(75, 75);
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter lower", "leave lower", "enter upper"}));
    EXPECT_EQ(backend.pointer().entered(), &s.upper);
}

TEST(PointerTracker, TwoHandlersUndoingEachOtherCannotHoldTheWindow) {
    Scene s;
    Dispatcher dispatcher([](const std::string&) {});
    PointerTracker tracker(s.form, dispatcher);
    dispatcher.setAfterEvent([&] { tracker.refresh(); });
    int enters = 0;
    s.upper.onMouseEnter = [&] {
        ++enters;
        s.upper.setVisible(false);
    };
    s.lower.onMouseEnter = [&] {
        ++enters;
        s.upper.setVisible(true);
    };
    tracker.moveTo(75, 75);  // returns: the ping-pong is bounded
    EXPECT_GT(enters, 2);
    EXPECT_LE(enters, 16);
}

TEST(HeadlessBackend, TimersTickOnTheVirtualClockUntilDisabled) {
    Form form("Form1");
    Timer fast("fast"), slow("slow");
    fast.setIntervalMs(300);
    std::vector<std::string> ticks;
    fast.onTimer = [&] { ticks.push_back("fast"); };
    slow.onTimer = [&] {
        ticks.push_back("slow");
        slow.setEnabled(false);
    };
    form.addTimer(fast);
    form.addTimer(slow);
    HeadlessBackend backend;
    backend.attach(form);
    backend.advanceTime(999);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast", "fast", "fast"}));
    backend.advanceTime(1);
    fast.setEnabled(false);
    backend.advanceTime(10000);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast", "fast", "fast", "slow"}));
}

TEST(HeadlessBackend, RunProcessesPostedActionsAndTimersUntilClosedOrIdle) {
    Form form("Form1");
    Timer timer("Timer1");
    int ticks = 0;
    timer.onTimer = [&] {
        ++ticks;
        timer.setEnabled(false);
    };
    form.addTimer(timer);
    HeadlessBackend backend;
    backend.attach(form);
    int actions = 0;
    backend.post([&] { ++actions; });
    backend.run(form);  // the action, the tick, then nothing is left
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(backend.now(), 1000);
    EXPECT_FALSE(backend.closed());

    timer.setEnabled(true);
    backend.post([&] { backend.close(form); });
    backend.run(form);  // closes before the timer is due
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(backend.closed());
}

// Posted actions run first in, first out, those posted by an action too; a timer whose
// interval changes while it is scheduled keeps one place in the schedule, due from the change.
TEST(HeadlessBackend, PostedActionsRunInOrderAndARescheduledTimerTicksOnce) {
    Form form("Form1");
    Timer timer("Timer1");
    HeadlessBackend backend;
    std::vector<std::string> log;
    timer.onTimer = [&] {
        log.push_back("tick at " + std::to_string(backend.now()));
        timer.setEnabled(false);
    };
    form.addTimer(timer);
    backend.attach(form);
    backend.post([&] {
        log.push_back("a");
        backend.post([&] { log.push_back("c"); });
    });
    backend.post([&] {
        log.push_back("b");
        backend.advanceTime(400);
        timer.setIntervalMs(500);  // due at 900 now, not at 1000 nor twice
    });
    backend.run(form);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c", "tick at 900"}));
    EXPECT_EQ(backend.now(), 900);
}

// Alt+F4 or the end of the session: the form's close handler runs once, and the window
// closes even when the handler fails; the program's own close runs no handler.
TEST(HeadlessBackend, ACloseRequestFromOutsideRunsTheCloseHandlerThenCloses) {
    Form form("Form1");
    int closeHandlers = 0;
    bool runningInside = false;
    HeadlessBackend backend;
    form.onClose = [&] {
        ++closeHandlers;
        runningInside = backend.dispatcher().handlerRunning();
        throw std::runtime_error("Nie można usunąć pliku");
    };
    backend.attach(form);
    EXPECT_FALSE(backend.dispatcher().handlerRunning());
    backend.requestClose();
    EXPECT_EQ(closeHandlers, 1);
    EXPECT_TRUE(runningInside);
    EXPECT_TRUE(backend.closed());
    EXPECT_EQ(backend.errorReports(), std::vector<std::string>{"Nie można usunąć pliku"});
    backend.requestClose();  // closed already
    EXPECT_EQ(closeHandlers, 1);

    Form other("Form2");
    int otherHandlers = 0;
    other.onClose = [&] { ++otherHandlers; };
    HeadlessBackend second;
    second.attach(other);
    second.close(other);
    EXPECT_EQ(otherHandlers, 0);
    second.detach(other);
    backend.detach(form);
}

// The Win32 window answers the system during a handler's long work (Backend::keepAlive), so
// a click, a key, typing, a timer or a close request can reach it then: none may start a
// handler inside the running one (a second installation, the close handler deleting the
// working files under it), nor move the pointer's state away from what the pictures know.
TEST(HeadlessBackend, InputThatComesWhileAHandlerWorksStartsNoHandlerThenAndLaterInputDoes) {
    Scene s;
    Timer timer("Timer1");
    timer.setIntervalMs(10);
    timer.setEnabled(true);
    s.form.addTimer(timer);
    int ticks = 0, closes = 0, edits = 0;
    timer.onTimer = [&] { ++ticks; };
    s.form.onClose = [&] { ++closes; };
    s.edit.onChange = [&] { ++edits; };
    s.edit.onClick = [&] { s.events.push_back("click edit"); };
    RecordingHeadlessBackend backend;
    backend.attach(s.form);
    s.lower.onClick = [&] {
        s.events.push_back("work starts");
        Dispatcher& dispatcher = backend.dispatcher();
        dispatcher.click(s.upper);
        dispatcher.click(s.lower);
        dispatcher.mouseEnter(s.upper);
        dispatcher.timerTick(timer);
        dispatcher.closeRequested(s.form);
        dispatcher.userEditedText(s.edit, "D:\\inny");
        dispatcher.editClick(s.edit);
        backend.moveMouseOnto("upper");
        backend.click();
        backend.typeInto("edit", "E:\\inny");
        backend.clickEdit("edit");
        backend.advanceTime(50);
        backend.requestClose();
        EXPECT_TRUE(backend.pressKey(Key::Enter));
        s.events.push_back("work ends");
    };
    backend.moveMouseTo(10, 10);
    backend.click();
    EXPECT_EQ(s.events, (std::vector<std::string>{"enter lower", "work starts", "work ends"}));
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(s.edit.text(), "");
    EXPECT_FALSE(backend.closed());

    // Afterwards the pointer still rests on `lower`, and input works again.
    s.events.clear();
    backend.moveMouseOnto("upper");
    backend.click();
    backend.typeInto("edit", "E:\\inny");
    backend.advanceTime(10);
    EXPECT_EQ(s.events, (std::vector<std::string>{"leave lower", "enter upper", "click upper"}));
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(ticks, 1);
    backend.requestClose();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(backend.closed());
}

TEST(HeadlessBackend, GaugesRepaintThroughTheBackendAndErrorsAreRecorded) {
    Form form("Form1");
    Gauge gauge("gauge");
    Picture picture("p");
    picture.setBounds(0, 0, 10, 10);
    picture.onClick = [] { throw std::runtime_error("zły plik"); };
    form.add(gauge);
    form.add(picture);
    RecordingHeadlessBackend backend;
    backend.attach(form);
    gauge.setProgress(30);
    gauge.setProgress(30);
    gauge.setProgress(31);
    EXPECT_EQ(backend.immediateRepaints("gauge"), 2);
    backend.clickOn("p");
    EXPECT_EQ(backend.errorReports(), (std::vector<std::string>{"zły plik"}));
    EXPECT_THROW(backend.clickOn("nothing"), std::invalid_argument);
}

TEST(HeadlessBackend, FolderChooserAnswersFromTheScriptAndCancelsWhenItRunsOut) {
    RecordingHeadlessBackend backend;
    backend.answerFolderChooser(std::string("D:\\Kavitek\\CAD 2\\"));
    EXPECT_EQ(backend.chooseFolder("Wybierz", "C:\\"), "D:\\Kavitek\\CAD 2\\");
    EXPECT_EQ(backend.chooseFolder("Wybierz", "D:\\"), std::nullopt);
    ASSERT_EQ(backend.folderChooserCalls().size(), 2u);
    EXPECT_EQ(backend.folderChooserCalls()[1].second, "D:\\");
}

// The silent installation runs the plain backend: nobody is there to pick a folder.
TEST(HeadlessBackend, ThePlainBackendCancelsTheFolderChooser) {
    HeadlessBackend backend;
    EXPECT_EQ(backend.chooseFolder("Wybierz", "C:\\"), std::nullopt);
}

}  // namespace
}  // namespace toolkit
