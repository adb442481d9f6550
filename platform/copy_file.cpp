// Copying in 1 MiB blocks through the interface.
#include "platform/copy_file.h"

#include <vector>

namespace platform {

void copyFile(FileSystem& files, const std::string& from, const std::string& to) {
    auto in = files.openRead(from, Sharing::ReadWriteForOthers);
    auto out = files.createWrite(to);
    std::vector<char> buffer(1u << 20);
    std::int64_t offset = 0;
    while (const std::size_t got = in->readAt(offset, buffer.data(), buffer.size())) {
        out->write(buffer.data(), got);
        offset += static_cast<std::int64_t>(got);
    }
    out->close();
}

}  // namespace platform
