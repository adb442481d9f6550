// Components told apart by their kind, as the window and the headless backend do without
// run-time types: every kind answers for itself and for no other.
#include <gtest/gtest.h>

#include "toolkit/activity_indicator.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/gauge.h"
#include "toolkit/label.h"
#include "toolkit/memo.h"
#include "toolkit/picture.h"
#include "toolkit/static_text.h"

namespace toolkit {
namespace {

template <typename T>
int kindsTaken(std::initializer_list<Control*> controls) {
    int taken = 0;
    for (Control* control : controls) {
        if (controlAs<T>(control) != nullptr) {
            EXPECT_EQ(static_cast<Control*>(controlAs<T>(control)), control);
            EXPECT_EQ(controlAs<const T>(static_cast<const Control*>(control)), controlAs<T>(control));
            ++taken;
        }
    }
    return taken;
}

TEST(ControlKind, EachKindIsTakenForItselfOnly) {
    Form form("Form1");
    Picture picture("BG");
    Label label("InfoLabel");
    Edit edit("Edit1");
    StaticText text("StaticText1");
    Memo memo("infoBox");
    Gauge gauge("gauge");
    ActivityIndicator busy("busy");
    const std::initializer_list<Control*> all{&form, &picture, &label, &edit, &text, &memo, &gauge, &busy};
    EXPECT_EQ(kindsTaken<Form>(all), 1);
    EXPECT_EQ(kindsTaken<Picture>(all), 1);
    EXPECT_EQ(kindsTaken<Label>(all), 1);
    EXPECT_EQ(kindsTaken<Edit>(all), 1);
    EXPECT_EQ(kindsTaken<StaticText>(all), 1);
    EXPECT_EQ(kindsTaken<Memo>(all), 1);
    EXPECT_EQ(kindsTaken<Gauge>(all), 1);
    EXPECT_EQ(kindsTaken<ActivityIndicator>(all), 1);
    EXPECT_EQ(controlAs<Gauge>(&gauge), &gauge);
    EXPECT_EQ(controlAs<Edit>(static_cast<Control*>(nullptr)), nullptr);
}

}  // namespace
}  // namespace toolkit
