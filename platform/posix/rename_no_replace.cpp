// renameat2 is atomic and refuses an existing target by itself. Some file systems answer
// EINVAL (flag not supported) and old kernels ENOSYS; then link() gives the same guarantee for
// files, since it fails with EEXIST on an existing name.
#include "platform/posix/rename_no_replace.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {

namespace {

// Last resort for folders and for file systems without hard links. Between the check and the
// rename another program could create the target; rename() would then replace an empty folder
// of that name, never a file (renaming a folder onto a file fails with ENOTDIR).
bool renameIfTargetAbsent(const std::string& from, const std::string& to) {
    struct stat info;
    if (::lstat(to.c_str(), &info) == 0 || errno != ENOENT) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool renameByLinking(const std::string& from, const std::string& to) {
    struct stat info;
    if (::lstat(from.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) return renameIfTargetAbsent(from, to);
    if (::link(from.c_str(), to.c_str()) != 0) {
        if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOTSUP)  // no hard links here
            return renameIfTargetAbsent(from, to);
        return false;
    }
    if (::unlink(from.c_str()) != 0) {
        // Keep one name only: the file must not end up under both.
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) return renameByLinking(from, to);
    return false;
}

}  // namespace platform::posix
