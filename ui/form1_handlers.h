// The handlers the window design binds to its events, as an interface: the window class
// implements them, and tests of the design record which event reaches which handler.
#pragma once

namespace ui {

class Form1Handlers {
public:
    virtual ~Form1Handlers() = default;
    virtual void FormCreate() = 0;
    virtual void Timer1Timer() = 0;
    virtual void CloseClick() = 0;
    virtual void FormClose() = 0;
    virtual void bnCloseEnter() = 0;
    virtual void bnCloseLeave() = 0;
    virtual void bnInstallEnter() = 0;
    virtual void bnInstallLeave() = 0;
    virtual void ButtonInstallClick() = 0;
    virtual void CheckEdit() = 0;
    virtual void Edit1Click() = 0;
};

}  // namespace ui
