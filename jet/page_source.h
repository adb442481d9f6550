// Where the engine's bytes come from and go to: a database file opened through the platform's
// file system (read-only, or read-write while other programs may open it too), or bytes in
// memory for tests and the fuzzer. Everything above addresses the database by byte offset through this.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jet/byte_codec.h"
#include "platform/file_system.h"

namespace jet {

class PageSource {
public:
    virtual ~PageSource() = default;
    // The file's path (or a name given to memory), used in every error message.
    virtual const std::string& name() const = 0;
    virtual std::uint64_t size() const = 0;
    // Fills `out` from `offset`; throws JetError when the bytes are not all there.
    virtual void read(std::uint64_t offset, MutableBytes out) = 0;
    virtual bool writable() const = 0;
    // Writes at `offset`, growing the file as needed; throws JetError when read-only or when
    // the system refuses.
    virtual void write(std::uint64_t offset, Bytes data) = 0;
    virtual void flush() = 0;
};

enum class OpenMode { ReadOnly, ReadWrite };

// Opens an existing file through `files`; others may keep reading and writing it meanwhile.
// Throws JetError naming the path and the system's reason.
std::unique_ptr<PageSource> openFileSource(platform::FileSystem& files, const std::string& path,
                                           OpenMode mode);
// Makes a new, empty file through `files`; an existing file of that name is never touched
// (JetError then).
std::unique_ptr<PageSource> createFileSource(platform::FileSystem& files, const std::string& path);

// Bytes in memory, writable; `name` stands for the file in messages.
std::unique_ptr<PageSource> memorySource(std::vector<std::uint8_t> bytes, std::string name);

}  // namespace jet
