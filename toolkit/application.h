// The application as a backend shows it: its title (taskbar and message boxes) and whether
// the main form has its own taskbar button.
#pragma once

#include <string>

namespace toolkit {

struct Application {
    std::string title;
    bool mainFormOnTaskbar = false;
};

}  // namespace toolkit
