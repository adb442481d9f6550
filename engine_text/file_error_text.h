// The Polish sentence for a file error of the platform, shared by the installer's subsystems
// and pakiet: what failed, on which path, and why ("Nie można otworzyć pliku: D:\a.mdb
// (Odmowa dostępu.)"). A sentence a subsystem put into the error itself is kept as it is.
#pragma once

#include <string>

#include "platform/file_error.h"

namespace engine_text {

// Why, as a sentence: ours for each kind both systems share, the system's own text for Other.
std::string fileFailureText(platform::FileFailure failure, const std::string& systemText);

std::string fileErrorText(const platform::FileError& error);

}  // namespace engine_text
