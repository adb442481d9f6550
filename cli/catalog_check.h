// pakiet build's check of a package catalog: the Jet 4 file opens and holds the tables
// Dodatki and info_producent with every column the installer's merge reads.
#pragma once

#include <string>
#include <vector>

namespace cli {

// Problems in plain English; empty when the catalog is usable.
std::vector<std::string> catalogProblems(const std::string& path);

}  // namespace cli
