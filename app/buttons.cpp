// TForm1's button operations and mouse handlers, on the design's picture groups.
#include "app/main.h"
#include "ui/close_button.h"
#include "ui/install_button.h"

namespace app {

void TForm1::bnInstallSetDisable() { ui::bnInstallSetDisable(installButton(), *this); }
void TForm1::bnInstallSetEnable() { ui::bnInstallSetEnable(installButton(), *this); }
void TForm1::bnInstallSetHover() { ui::bnInstallSetHover(installButton(), *this); }
void TForm1::bnInstallSetActive() { ui::bnInstallSetActive(installButton(), *this); }
void TForm1::bnInstallEnter() { ui::bnInstallEnter(installButton(), *this); }
void TForm1::bnInstallLeave() { ui::bnInstallLeave(installButton(), *this); }

void TForm1::bnCloseSetEnable() { ui::bnCloseSetEnable(closeButton()); }
void TForm1::bnCloseSetDisable() { ui::bnCloseSetDisable(closeButton()); }
void TForm1::bnCloseEnter() { ui::bnCloseEnter(closeButton()); }
void TForm1::bnCloseLeave() { ui::bnCloseLeave(closeButton()); }

}  // namespace app
