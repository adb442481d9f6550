// The field ends with a digit, so zero bytes before the table are always padding.
#include "archive/installer_trailer.h"

#include "archive/pe_certificate_table.h"

namespace archive {

TrailerLocation locateTrailer(platform::ReadableFile& file) {
    TrailerLocation where;
    where.fileSize = file.size();
    where.fieldEnd = where.fileSize;
    const auto table = findCertificateTable(file);
    if (!table) return where;
    where.signedFile = true;
    std::int64_t end = static_cast<std::int64_t>(table->offset);
    char padding[kMaxSignaturePadding];
    const std::int64_t span = end < static_cast<std::int64_t>(kMaxSignaturePadding) ? end : kMaxSignaturePadding;
    const std::size_t got = file.readAt(end - span, padding, static_cast<std::size_t>(span));
    for (std::size_t k = got; k > 0 && padding[k - 1] == 0; --k) --end;
    where.fieldEnd = end;
    return where;
}

}  // namespace archive
