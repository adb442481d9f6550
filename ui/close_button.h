// The Close button's looks and mouse handlers: visibility swaps only; its pictures stay
// enabled and nothing is logged.
#pragma once

#include "ui/button_pictures.h"

namespace ui {

void bnCloseSetEnable(const ButtonPictures& button);
void bnCloseSetDisable(const ButtonPictures& button);
void bnCloseEnter(const ButtonPictures& button);
void bnCloseLeave(const ButtonPictures& button);

}  // namespace ui
