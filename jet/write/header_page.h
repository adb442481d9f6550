// Page 0 of a new database: "Standard Jet DB", version 1 (Jet 4), code page 1252, sort order
// General (0x409), creation date, no password, no encoding key; bytes 0x18..0x97 stored
// XOR-ed with the RC4 key stream of key C7 DA 39 6B, as every reader expects.
#pragma once

#include <cstdint>

#include "jet/write/page.h"

namespace jet::write {

// The date and engine build of the one engine-made database whose owner and permission
// values new files reuse (those values cannot be derived; see system_tables.h).
constexpr double kReferenceCreationDate = 42329.94480300926;
constexpr std::uint32_t kReferenceEngineBuild = 0x261C;

Page buildHeaderPage(double creationDate, std::uint32_t engineBuild);

}  // namespace jet::write
