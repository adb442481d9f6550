// Whether a member name can be extracted safely below a destination folder on any platform
// the installer runs on (Windows rules apply everywhere, since packages are installed there).
#pragma once

#include <optional>
#include <string_view>

namespace zip {

enum class NameProblem {
    Empty,               // no name at all
    InvalidEncoding,     // the UTF-8 flag over bytes that are not UTF-8
    Absolute,            // begins with a separator
    Unc,                 // begins with two separators (\\server\share)
    DriveLetter,         // "C:" and the like
    ParentComponent,     // a ".." component
    EmptyComponent,      // two separators in a row
    ControlCharacter,    // a byte below 0x20 or DEL
    ForbiddenCharacter,  // one of : * ? " < > |
    ReservedDeviceName,  // CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9, with or without
                         // extension
    TrailingDotOrSpace,  // a component ending with '.' or ' ' (Windows drops them)
};

// The first problem of the name (decoded to UTF-8; '/' and '\' both separate components),
// or none. A folder entry's final separator is allowed.
std::optional<NameProblem> checkMemberName(std::string_view name);

struct Entry;
// The entry's decoded name, and its encoding.
std::optional<NameProblem> checkEntryName(const Entry& entry);

// English text for traces and the library's own messages.
const char* describe(NameProblem problem);

}  // namespace zip
