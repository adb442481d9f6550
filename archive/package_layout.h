// What pakiet checks of a package before it builds an installer and after it reads one:
// the names an archive of this package may hold and which of them make up the package.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace archive {

// The problems of a package archive's member list, as Polish phrases for pakiet: not exactly one package
// folder, a missing or wrongly named cover, a catalog not named exactly "dodatki.mdb".
// `names` are member names as stored ('\' separators). `packageName` receives the one
// package folder's name when there is exactly one.
std::vector<std::string> packageLayoutProblems(const std::vector<std::string>& names, std::string* packageName = nullptr);

// True when the bytes begin like a JPEG file (SOI marker followed by another marker).
bool looksLikeJpeg(const std::string& firstBytes);

}  // namespace archive
