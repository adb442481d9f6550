// The checks every member passes before an extraction writes its first file: a safe name,
// a sound structure (see ZipReader::checkAllMembers) and no two members for one output path.
// Refusals are thrown as UnsafeArchive with the Polish sentence a user reads.
#pragma once

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "archive/zip/safe_name.h"
#include "archive/zip/zip_reader.h"

namespace archive {

class UnsafeArchive : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Polish sentence for a refused name.
std::string unsafeNameMessage(const std::string& member, zip::NameProblem problem);

// The Polish sentence that refuses the package folder name of the member `member`
// ("<folder>\dodatki.mdb"), when host paths must not be built from it: it must be one
// component passing the member name rules (no "..", no separator, no drive, no reserved
// name, no trailing dot or space). Nothing when the name is safe.
std::optional<std::string> packageNameRefusal(const std::string& folder, const std::string& member);

// Throws UnsafeArchive for a name that must not be written.
void checkMemberNameSafe(const zip::Entry& entry);

// Every member: names (UnsafeArchive), structure (zip::ZipError), and no two members that
// would be written to one path (UnsafeArchive); members named in `notWritten` (compared
// exactly) do not take part in the last check.
void checkArchiveSafe(const zip::ZipReader& reader, std::initializer_list<std::string_view> notWritten = {});

}  // namespace archive
