// The Polish sentence a user reads for an error that ended an operation: the engine layers'
// typed errors worded by the subsystems that know them, and a plain sentence for anything
// that carries no text of ours. Used by the window's error report and by pakiet.
#pragma once

#include <exception>
#include <string>

namespace app {

// Only inside a handler: the sentence for the exception being handled.
std::string errorText();

}  // namespace app
