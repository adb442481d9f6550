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

}  // namespace

void bnInstallSetDisable(const ButtonPictures& b, session::Log& log) {
    log.info(2, "Blokujemy klawisz INSTALL");
    disableAll(b);
    b.Hover.setVisible(false);
    b.Active.setVisible(false);
    b.Normal.setVisible(false);
    b.Disable.setVisible(true);
}

void bnInstallSetEnable(const ButtonPictures& b, session::Log& log) {
    log.info(2, "Odblokowywujemy klawisz INSTALL");
    disableAll(b);
    b.Hover.setVisible(false);
    b.Active.setVisible(false);
    b.Disable.setVisible(false);
    b.Normal.setVisible(true);
    b.Normal.setEnabled(true);
}

void bnInstallSetHover(const ButtonPictures& b, session::Log& log) {
    log.info(2, "SET HOVER na klawiszu INSTALL");
    disableAll(b);
    b.Active.setVisible(false);
    b.Disable.setVisible(false);
    b.Normal.setVisible(false);
    b.Hover.setVisible(true);
    b.Hover.setEnabled(true);
}

void bnInstallSetActive(const ButtonPictures& b, session::Log& log) {
    log.info(2, "SET ACTIVE na klawiszu INSTALL");
    disableAll(b);
    b.Disable.setVisible(false);
    b.Hover.setVisible(false);
    b.Normal.setVisible(false);
    b.Active.setVisible(true);
    b.Active.setEnabled(true);
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
