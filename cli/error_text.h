// The Polish sentence pakiet prints for an error that ended a command: the engine layers'
// typed errors worded by the subsystems that know them.
#pragma once

#include <exception>
#include <string>

namespace cli {

std::string errorText(const std::exception& error);

}  // namespace cli
