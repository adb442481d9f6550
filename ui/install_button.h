// The Install button's looks and mouse handlers. Only the visible picture of the group is
// ever enabled (none in the Disable look), so only it takes mouse input; every operation
// writes its trace line first.
#pragma once

#include "session/log.h"
#include "ui/button_pictures.h"

namespace ui {

void bnInstallSetDisable(const ButtonPictures& button, session::Log& log);
void bnInstallSetEnable(const ButtonPictures& button, session::Log& log);
void bnInstallSetHover(const ButtonPictures& button, session::Log& log);
void bnInstallSetActive(const ButtonPictures& button, session::Log& log);

// Mouse entering the Normal picture: Hover, but only while Normal is still visible.
void bnInstallEnter(const ButtonPictures& button, session::Log& log);
// Mouse leaving the Hover picture: Normal, but only while Hover is still visible.
void bnInstallLeave(const ButtonPictures& button, session::Log& log);

}  // namespace ui
