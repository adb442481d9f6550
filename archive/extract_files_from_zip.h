// ExtractFilesFromZip: the install step that copies every installable member below the
// host's add-on folder while the gauge advances member by member.
#pragma once

#include <cstdint>
#include <string>

#include "archive/member_extraction.h"
#include "platform/file_system.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/gauge.h"

namespace archive {

// The gauge position after member `i` of `maxFiles` + 1: i / maxFiles of the maximum, rounded
// to nearest with ties to even. With one member (maxFiles 0) it is the maximum.
int gaugePosition(std::int32_t i, std::int32_t maxFiles, int gaugeMax);

// True when every member except the package's cover and text member (state.packageName +
// ".jpg" / ".txt", compared exactly) was written. Before the first file is written every
// member is checked; an unsafe archive is refused whole with a level-1 message naming the
// member. A file that is not a ZIP archive gives false silently and leaves the gauge alone.
// `placement`, when given, puts each member's data in place instead of a plain replacement.
bool ExtractFilesFromZip(session::Log& log, platform::FileSystem& fs, const session::InstallerState& state,
                         toolkit::Gauge& gauge, const std::string& SourceFile, const std::string& DestinationDir,
                         MemberPlacement* placement = nullptr);

}  // namespace archive
