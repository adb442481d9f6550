// Bytes taken from a file as pakiet prints them: valid UTF-8 stays (Polish names read as
// they are), anything a terminal would act on or cannot show (control characters, C1
// controls, DEL, bytes that are no UTF-8) becomes \xNN, so a crafted installer cannot move the
// cursor, recolour or retitle the publisher's terminal.
#pragma once

#include <string>
#include <string_view>

namespace cli {

std::string escapedForTerminal(std::string_view bytes);

}  // namespace cli
