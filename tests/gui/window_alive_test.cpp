// The real window during a handler's long work, run by scripts/gui-test under Wine on its
// display: keepAlive answers what another thread sends, paints what became invalid, and lets
// no click that arrives meanwhile run a handler, nor act after it.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "toolkit/form.h"
#include "toolkit/picture.h"
#include "toolkit/timer.h"
#include "toolkit/win32/win32_backend.h"

namespace {

constexpr wchar_t kCaption[] = L"Okno pracuje";

// keepAlive until `done` holds; false when it never did within the waiting limit (a hang
// guard, not a measure: the window has answered long before).
template <typename Condition>
bool keepAliveUntil(toolkit::Backend& backend, Condition done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 20000) return false;
        backend.keepAlive();
    }
    return true;
}

// The window of both tests: a caption FindWindow can find and one picture to click.
struct ButtonForm {
    toolkit::Form form{"Form1"};
    toolkit::Picture button{"button"};

    ButtonForm() {
        form.setCaption("Okno pracuje");
        form.setClientSize(300, 200);
        button.setBounds(10, 10, 100, 40);
        form.add(button);
    }
};

TEST(Win32Window, DuringLongWorkItAnswersSentMessagesAndRepaintsButTakesNoClick) {
    ButtonForm setup;
    toolkit::Form& form = setup.form;
    int clicks = 0;
    setup.button.onClick = [&] { ++clicks; };
    toolkit::Timer work("work");
    work.setIntervalMs(1);
    form.addTimer(work);

    toolkit::win32::Win32Backend backend;
    backend.initialize({});
    backend.attach(form);
    std::wstring title;
    bool answered = false, painted = false, clickSent = false;
    work.onTimer = [&] {
        work.setEnabled(false);
        HWND window = FindWindowW(L"LumorForm", kCaption);
        if (!window) {
            backend.close(form);
            FAIL() << "no window";
        }
        // Another program reads the title and clicks the button, while this handler works.
        std::atomic<bool> asked{false};
        std::thread other([&] {
            wchar_t text[64] = {};
            DWORD_PTR copied = 0;
            if (SendMessageTimeoutW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000,
                                    &copied))
                title = text;
            const LPARAM inButton = MAKELPARAM(50, 30);
            clickSent = SendMessageTimeoutW(window, WM_LBUTTONDOWN, MK_LBUTTON, inButton, 0, 10000, nullptr) &&
                        SendMessageTimeoutW(window, WM_LBUTTONUP, 0, inButton, 0, 10000, nullptr);
            asked = true;
        });
        answered = keepAliveUntil(backend, [&] { return asked.load(); });
        other.join();
        InvalidateRect(window, nullptr, FALSE);
        painted = keepAliveUntil(backend, [&] { return !GetUpdateRect(window, nullptr, FALSE); });
        backend.close(form);
    };
    work.setEnabled(true);
    backend.run(form);
    backend.detach(form);

    EXPECT_TRUE(answered);
    EXPECT_EQ(title, kCaption);
    EXPECT_TRUE(clickSent);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(painted);
}

// Wine dates input by the X server's clock shifted once, so a click made during the work can
// carry a time after the work's end; it was made during the work all the same, and dropped.
TEST(Win32Window, AClickMadeDuringAnActionIsDroppedWhateverItsTime) {
    ButtonForm setup;
    toolkit::Form& form = setup.form;
    toolkit::Picture& button = setup.button;
    toolkit::Timer start("start"), end("end"), guard("guard");
    start.setIntervalMs(1);
    end.setIntervalMs(500);
    guard.setIntervalMs(15000);  // a click that never came ends the test, not the run
    form.addTimer(start);
    form.addTimer(end);
    form.addTimer(guard);

    toolkit::win32::Win32Backend backend;
    backend.initialize({});
    backend.attach(form);
    // A press and a release at the button's centre, dated `later` ms from now (0: now).
    HWND window = nullptr;
    auto clickButton = [&](DWORD later) {
        POINT centre{60, 30};
        ClientToScreen(window, &centre);
        SetCursorPos(centre.x, centre.y);
        INPUT inputs[2] = {};
        for (INPUT& input : inputs) {
            input.type = INPUT_MOUSE;
            input.mi.time = later ? GetTickCount() + later : 0;
        }
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        return SendInput(2, inputs, sizeof(INPUT)) == 2;
    };
    int clicks = 0;
    bool sent = false;
    button.onClick = [&] {
        if (++clicks > 1) return;
        // The click made during this action, its time past the action's end.
        sent = clickButton(5000);
        keepAliveUntil(backend, [&] { return GetQueueStatus(QS_MOUSEBUTTON) != 0; });
        end.setEnabled(true);
    };
    start.onTimer = [&] {
        start.setEnabled(false);
        window = FindWindowW(L"LumorForm", kCaption);
        SetForegroundWindow(window);
        if (!window || !clickButton(0)) backend.close(form);
    };
    end.onTimer = [&] { backend.close(form); };
    guard.onTimer = [&] { backend.close(form); };
    start.setEnabled(true);
    guard.setEnabled(true);
    backend.run(form);
    backend.detach(form);

    EXPECT_TRUE(sent);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
