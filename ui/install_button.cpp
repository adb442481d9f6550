// The Install button's looks: trace line, every picture disabled (Hover, Active, Normal,
// Disable), the three others hidden in the listed order, its own shown and enabled.
#include "ui/install_button.h"

namespace ui {

namespace {

void disableAll(const ButtonPictures& b) {
    b.Hover.setEnabled(false);
    b.Active.setEnabled(false);
    b.Normal.setEnabled(false);
    b.Disable.setEnabled(false);
}

// The trace line, every picture disabled, the others hidden in the order given, then `shown`
// visible and, unless it is the Disable look, enabled.
void showLook(const ButtonPictures& b, session::Log& log, const char* trace,
              std::initializer_list<toolkit::Picture*> hidden, toolkit::Picture& shown) {
    log.info(2, trace);
    disableAll(b);
    swapLook(hidden, shown);
    if (&shown != &b.Disable) shown.setEnabled(true);
}

}  // namespace

void bnInstallSetDisable(const ButtonPictures& b, session::Log& log) {
    showLook(b, log, "Blokujemy klawisz INSTALL",
             {&b.Hover, &b.Active, &b.Normal}, b.Disable);
}

void bnInstallSetEnable(const ButtonPictures& b, session::Log& log) {
    showLook(b, log, "Odblokowywujemy klawisz INSTALL",
             {&b.Hover, &b.Active, &b.Disable}, b.Normal);
}

void bnInstallSetHover(const ButtonPictures& b, session::Log& log) {
    showLook(b, log, "SET HOVER na klawiszu INSTALL",
             {&b.Active, &b.Disable, &b.Normal}, b.Hover);
}

void bnInstallSetActive(const ButtonPictures& b, session::Log& log) {
    showLook(b, log, "SET ACTIVE na klawiszu INSTALL",
             {&b.Disable, &b.Hover, &b.Normal}, b.Active);
}

void bnInstallEnter(const ButtonPictures& b, session::Log& log) {
    log.info(2, "SET bnInstallEnter na klawiszu INSTALL");
    if (b.Normal.visible()) bnInstallSetHover(b, log);
}

void bnInstallLeave(const ButtonPictures& b, session::Log& log) {
    log.info(2, "SET bnInstallLeave na klawiszu INSTALL");
    if (b.Hover.visible()) bnInstallSetEnable(b, log);
}

}  // namespace ui
