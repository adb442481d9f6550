// The window design Form1: the borderless 1040 x 585 window and every component on it with
// its geometry, anchors, initial visibility, colours, fonts, cursors and texts, in paint
// order, plus the timer. bindEvents() wires the design's event table to the handlers.
#pragma once

#include "toolkit/activity_indicator.h"
#include "toolkit/backend.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/gauge.h"
#include "toolkit/label.h"
#include "toolkit/memo.h"
#include "toolkit/picture.h"
#include "toolkit/picture_button.h"
#include "toolkit/static_text.h"
#include "toolkit/timer.h"
#include "ui/button_pictures.h"
#include "ui/form1_handlers.h"

namespace ui {

class Form1Design {
public:
    Form1Design();
    Form1Design(const Form1Design&) = delete;
    Form1Design& operator=(const Form1Design&) = delete;

    // Binds each event of the design to its handler (and nothing else).
    void bindEvents(Form1Handlers& handlers);
    // Gives every picture its built-in image from the backend.
    void loadPictures(toolkit::Backend& backend);

    ButtonPictures installButton() {
        return {bnInstallNormal, bnInstallHover, bnInstallActive, bnInstallDisable};
    }
    ButtonPictures closeButton() {
        return {bnCloseNormal, bnCloseHover, bnCloseActive, bnCloseDisable};
    }

    toolkit::Form window{"Form1"};

    // Paint order, bottom first (child windows lie above the rest anyway).
    toolkit::Picture BGfinish{"BGfinish"};
    toolkit::Picture BG{"BG"};
    toolkit::Label InfoLabel{"InfoLabel"};
    toolkit::Picture bnCloseDisable{"bnCloseDisable"};
    toolkit::Picture bnCloseActive{"bnCloseActive"};
    toolkit::Picture bnCloseHover{"bnCloseHover"};
    toolkit::Picture bnCloseNormal{"bnCloseNormal"};
    toolkit::Picture bnInstallActive{"bnInstallActive"};
    toolkit::Picture bnInstallDisable{"bnInstallDisable"};
    toolkit::Picture bnInstallHover{"bnInstallHover"};
    toolkit::Picture bnInstallNormal{"bnInstallNormal"};
    toolkit::Gauge gauge{"gauge"};
    toolkit::Picture gaugeBG{"gaugeBG"};
    toolkit::Memo infoBox{"infoBox"};
    toolkit::Edit Edit1{"Edit1"};
    toolkit::StaticText StaticText1{"StaticText1"};
    toolkit::ActivityIndicator ActivityIndicator{"ActivityIndicator"};

    toolkit::Timer Timer1{"Timer1"};

    // The two picture buttons as the keyboard and screen readers know them (Alt+I, Alt+Z).
    toolkit::PictureButton installKeys{"Instaluj", 'I',
                                       {&bnInstallNormal, &bnInstallHover, &bnInstallActive, &bnInstallDisable}};
    toolkit::PictureButton closeKeys{"Zamknij", 'Z', {&bnCloseNormal, &bnCloseHover, &bnCloseActive, &bnCloseDisable}};
};

}  // namespace ui
