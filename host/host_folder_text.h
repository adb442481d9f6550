// Text rules for host folder values: trimming blanks and control characters, and the one
// trailing separator every folder value the installer itself writes ends with. Also the
// fixed names of the host folder layout (maker folder, add-on folder).
#pragma once

#include <string>
#include <string_view>

namespace host {

// Name of the maker folder at a drive's root, under which the host's versions are installed.
inline constexpr std::string_view kMakerFolderName = "Kavitek";
// Mask of a host installation's folder name inside the maker folder.
inline constexpr std::string_view kInstallationMask = "CAD *";
// Name of the host's add-on folder, which receives packages.
inline constexpr std::string_view kAddOnFolderName = "dodatki";

// `text` without the blanks and control characters (every code up to U+0020) at both ends.
std::string trimBlanks(std::string_view text);

// The folder value the installer puts into the folder field: trimmed, every trailing
// separator removed, then exactly one separator appended.
std::string folderProposal(std::string_view path);

}  // namespace host
