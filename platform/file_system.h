// The file operations the installer and pakiet use, behind one interface so that tests can
// wrap it and inject failures (a refused rename, a full disk, a failing k-th write).
// Paths are UTF-8 text in the platform's own form ('\' on Windows, '/' elsewhere).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_error.h"

namespace platform {

// An open file to read. Sizes and positions are 64-bit; reads past the end return fewer bytes.
class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    virtual std::int64_t size() = 0;
    // Reads up to `count` bytes at `offset`; returns how many were read (0 at the end).
    // Throws FileError on an error of the system.
    virtual std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) = 0;
    const std::string& path() const { return path_; }

protected:
    explicit ReadableFile(std::string path) : path_(std::move(path)) {}

private:
    std::string path_;
};

// A file open for writing; bytes go to the end. close() reports what a failing flush says;
// the destructor closes silently.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    // Writes every byte or throws FileError.
    virtual void write(const void* data, std::size_t count) = 0;
    virtual void close() = 0;
    const std::string& path() const { return path_; }

protected:
    explicit WritableFile(std::string path) : path_(std::move(path)) {}

private:
    std::string path_;
};

// A file open for reading and writing at any position (the database engine's pages).
class RandomAccessFile : public ReadableFile {
public:
    // Writes every byte at `offset` (growing the file when needed) or throws FileError.
    virtual void writeAt(std::int64_t offset, const void* data, std::size_t count) = 0;
    // Asks the system to put what was written on the disk; throws FileError when it cannot.
    virtual void flush() = 0;

protected:
    using ReadableFile::ReadableFile;
};

// How an opened file is shared with other programs while it is open. Windows enforces it
// (a file open with ReadOnlyForOthers can be neither written, renamed nor deleted by others);
// POSIX has no mandatory share modes, so there both mean the same.
enum class Sharing {
    ReadOnlyForOthers,   // others may read, none may write (where the platform can deny it)
    ReadWriteForOthers,  // others may read and write
};

// Files whose data must be on the disk together (an installation's files before the record
// that makes them the user's): each is named with add(), and all are there when finish()
// returns. Throws FileError naming a file that cannot be opened or flushed.
class FlushBatch {
public:
    virtual ~FlushBatch() = default;
    virtual void add(const std::string& path) = 0;
    virtual void finish() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A batch that flushes each file as it is added (RandomAccessFile::flush through this
    // file system); POSIX's opens each file and syncs each file system once at the end,
    // which for 100,000 small files is one disk commit instead of 100,000.
    virtual std::unique_ptr<FlushBatch> flushBatch();

    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // True when the last piece of `path` (a trailing separator ignored) is itself a link to
    // elsewhere: a symbolic link on POSIX, a reparse point (junction, symbolic link) on
    // Windows, whether or not its target exists.
    virtual bool isLink(const std::string& path) = 0;
    // Creates one folder level; false when it could not be made (or already exists).
    virtual bool createFolder(const std::string& path) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Renames a file or folder; never replaces an existing target (false then).
    virtual bool renameNoReplace(const std::string& from, const std::string& to) = 0;
    // Puts the file `from` in place of `to` in one step, replacing an existing `to`: either
    // `to` is the new file and `from` is gone, or nothing changed (false then). Both paths
    // must be on one volume. Written through to the disk before it returns where the system
    // allows.
    virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
    // replaceFile for many files of one folder: the rename reaches the disk at the latest with
    // the next syncFolder of `to`'s folder, one sync for the folder instead of one per file.
    virtual bool replaceFileUnsynced(const std::string& from, const std::string& to) = 0;
    // Puts the renames made in `folder` on the disk. Best effort: it cannot undo a rename.
    virtual void syncFolder(const std::string& folder) = 0;
    // Names of the direct sub-folders of `folder` matching `mask` ('*' and '?', ASCII letters
    // compared without case), hidden folders included, in the order the system lists them.
    // "." and ".." never appear. An unreadable or missing folder gives an empty list.
    virtual std::vector<std::string> listSubFolders(const std::string& folder,
                                                    const std::string& mask) = 0;
    // True when the folder holds no file and no sub-folder; false when it cannot be listed.
    virtual bool folderIsEmpty(const std::string& folder) = 0;
    // Removes an empty folder (not recursively).
    virtual bool removeFolder(const std::string& folder) = 0;
    // Bytes this program may still write on the drive that holds `folder` (quotas count);
    // nothing when the system cannot tell.
    virtual std::optional<std::uint64_t> freeSpace(const std::string& folder) = 0;
    // Whether the file carries the read-only mark (Windows' attribute; on POSIX no write
    // permission bit at all); nothing when the file cannot be asked. Windows refuses to delete
    // or replace a marked file, but renames it.
    virtual std::optional<bool> readOnly(const std::string& path) = 0;
    // Sets or clears the mark; false when it could not be changed.
    virtual bool setReadOnly(const std::string& path, bool readOnly) = 0;

    // Opening throws FileError naming the path and the system's reason.
    virtual std::unique_ptr<ReadableFile> openRead(const std::string& path, Sharing sharing) = 0;
    // Creates the file or truncates an existing one.
    virtual std::unique_ptr<WritableFile> createWrite(const std::string& path) = 0;
    // Opens an existing file (or, with `create`, a missing one is made; an existing one is
    // kept as it is) for reading and writing.
    virtual std::unique_ptr<RandomAccessFile> openReadWrite(const std::string& path,
                                                            Sharing sharing,
                                                            bool create = false) = 0;
    // Makes a new, empty file for reading and writing; throws FileError when a file or
    // folder of that name exists already (it is never truncated) or it cannot be made.
    virtual std::unique_ptr<RandomAccessFile> createNew(const std::string& path,
                                                        Sharing sharing) = 0;
};

// The running system's file system.
FileSystem& realFileSystem();

}  // namespace platform
