// The check a merged catalog passes before the user's old catalog may be deleted: its bytes
// on the disk (flushed), and the file opened again and read to the end of both tables, each
// holding the rows the merge wrote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "session/log.h"

namespace install {

// Rows the merge wrote to each table of the destination.
struct CatalogRowCounts {
    std::int64_t info_producent = 0;
    std::int64_t Dodatki = 0;
};

// True when `path` was flushed and reads back whole with `posted` rows (any count when the
// merge told none); false after a level-1 message naming the file.
bool checkMergedCatalog(session::Log& log, platform::FileSystem& fs, const std::string& path,
                        const std::optional<CatalogRowCounts>& posted);

}  // namespace install
