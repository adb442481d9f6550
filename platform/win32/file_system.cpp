// The Win32 file system with the W functions. Folder listing asks the system for every
// entry and filters by the portable mask, because the system's own matching also takes
// 8.3 short names and folds every letter's case.
#include <windows.h>

#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_files.h"
#include "platform/wildcard.h"

namespace platform {

namespace {

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(win32::toWidePath(path).c_str());
}

bool isDots(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == 0) || (name[0] == L'.' && name[1] == L'.' && !name[2]);
}

// Calls `visit(entry)` for each entry of the folder other than "." and ".." until it
// returns false; false when the folder cannot be listed. One loop for every caller.
bool forEachEntry(const std::string& folder, FunctionRef<bool(const WIN32_FIND_DATAW&)> visit) {
    std::wstring pattern = win32::toWidePath(folder);
    if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != L'/')) pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry;
    win32::FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                            FindExSearchNameMatch, nullptr, 0));
    // A folder with no entry at all (an empty drive root lists no "." either) is still listed.
    if (!find.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (!isDots(entry.cFileName) && !visit(entry)) break;
    } while (FindNextFileW(find.get(), &entry));
    return true;
}

class Win32FileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override {
        const DWORD attributes = attributesOf(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool folderExists(const std::string& path) override {
        const DWORD attributes = attributesOf(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool isLink(const std::string& path) override {
        // The attributes are the entry's own: a junction or symbolic link is not followed.
        std::string name = path;
        while (name.size() > 3 && (name.back() == '\\' || name.back() == '/')) name.pop_back();
        const DWORD attributes = attributesOf(name);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }
    bool createFolder(const std::string& path) override {
        return CreateDirectoryW(win32::toWidePath(path).c_str(), nullptr);
    }
    bool deleteFile(const std::string& path) override {
        return DeleteFileW(win32::toWidePath(path).c_str());
    }
    bool renameNoReplace(const std::string& from, const std::string& to) override {
        // MoveFileW without MOVEFILE_REPLACE_EXISTING fails on an existing target.
        return MoveFileW(win32::toWidePath(from).c_str(), win32::toWidePath(to).c_str());
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        // One step: the old file is replaced or kept, never lost between a delete and a rename.
        if (folderExists(from)) return false;
        return MoveFileExW(win32::toWidePath(from).c_str(), win32::toWidePath(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    // Windows flushes a folder only through a volume handle, which needs administrator
    // rights; so every move is written through and there is nothing left to sync.
    bool replaceFileUnsynced(const std::string& from, const std::string& to) override {
        return replaceFile(from, to);
    }
    void syncFolder(const std::string&) override {}
    std::vector<std::string> listSubFolders(const std::string& folder,
                                            const std::string& mask) override {
        std::vector<std::string> names;
        forEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                std::string name = win32::fromWide(entry.cFileName);
                if (matchesMask(name, mask)) names.push_back(std::move(name));
            }
            return true;
        });
        return names;
    }
    bool folderIsEmpty(const std::string& folder) override {
        bool empty = true;
        const bool listed = forEachEntry(folder, [&](const WIN32_FIND_DATAW&) {
            empty = false;
            return false;
        });
        return listed && empty;
    }
    bool removeFolder(const std::string& folder) override {
        return RemoveDirectoryW(win32::toWidePath(folder).c_str());
    }
    std::optional<std::uint64_t> freeSpace(const std::string& folder) override {
        // The first value is what the calling user may use (quotas count), not the drive's total.
        ULARGE_INTEGER available;
        if (!GetDiskFreeSpaceExW(win32::toWidePath(folder).c_str(), &available, nullptr, nullptr))
            return std::nullopt;
        return available.QuadPart;
    }
    std::optional<bool> readOnly(const std::string& path) override {
        const DWORD attributes = GetFileAttributesW(win32::toWidePath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }
    bool setReadOnly(const std::string& path, bool readOnly) override {
        const std::wstring wide = win32::toWidePath(path);
        DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return false;
        attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
        // A file with no other attribute is FILE_ATTRIBUTE_NORMAL, which must stand alone.
        return SetFileAttributesW(wide.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    }
    std::unique_ptr<ReadableFile> openRead(const std::string& path, Sharing sharing) override {
        return win32::openReadFile(path, sharing);
    }
    std::unique_ptr<WritableFile> createWrite(const std::string& path) override {
        return win32::createWriteFile(path);
    }
    std::unique_ptr<RandomAccessFile> openReadWrite(const std::string& path, Sharing sharing,
                                                    bool create) override {
        return win32::openRandomAccessFile(path, sharing, create);
    }
    std::unique_ptr<RandomAccessFile> createNew(const std::string& path, Sharing sharing) override {
        return win32::createNewFile(path, sharing);
    }
};

// At namespace scope: a function's static would bring the C++ runtime's guards.
Win32FileSystem theFileSystem;

}  // namespace

FileSystem& realFileSystem() { return theFileSystem; }

}  // namespace platform
