// POSIX terminals decode what they are given by their locale, UTF-8 everywhere we run.
#include "platform/console_output.h"

namespace platform {

Utf8ConsoleOutput::Utf8ConsoleOutput() = default;
Utf8ConsoleOutput::~Utf8ConsoleOutput() = default;

}  // namespace platform
