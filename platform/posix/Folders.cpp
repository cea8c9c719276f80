// Folders: the current directory, creating and removing, and the existence test.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/Errors.h"
#include "platform/posix/HostPaths.h"
#include "platform/posix/PosixServices.h"

namespace platform::posix {
namespace {

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool PosixServices::SetCurrentDirectoryA(const std::string& path) {
  const Translation where = Translate(path);
  if (where.error != 0) return Fail(where.error);
  struct stat info {};
  if (::stat(where.host.c_str(), &info) != 0) {
    return Fail(errno == ENOENT ? MissingError(where.host) : FromErrno(errno));
  }
  if (!S_ISDIR(info.st_mode)) return Fail(kErrorDirectory);
  // The host process follows, so that a program it starts inherits the folder.
  if (::chdir(where.host.c_str()) != 0) return Fail(FromErrno(errno));
  SetCurrentLocation(where.location);
  return true;
}

bool PosixServices::CreateDirectoryA(const std::string& path) {
  const Translation where = Translate(path);
  if (where.error != 0) return Fail(where.error);
  if (::mkdir(where.host.c_str(), 0777) == 0) return true;
  return Fail(errno == ENOENT ? kErrorPathNotFound : FromErrno(errno));
}

bool PosixServices::RemoveDirectoryA(const std::string& path) {
  const Translation where = Translate(path);
  if (where.error != 0) return Fail(where.error);
  struct stat entry {};
  if (::lstat(where.host.c_str(), &entry) != 0) {
    return Fail(errno == ENOENT ? MissingError(where.host) : FromErrno(errno));
  }
  if (S_ISLNK(entry.st_mode)) {
    // A link to a folder goes as a link; what it points to is never entered.
    struct stat target {};
    if (::stat(where.host.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) {
      return Fail(kErrorDirectory);
    }
    if (::unlink(where.host.c_str()) != 0) return Fail(FromErrno(errno));
    return true;
  }
  if (!S_ISDIR(entry.st_mode)) return Fail(kErrorDirectory);
  // Windows holds the current directory open, so it cannot be removed.
  const Translation current = Translate(".");
  struct stat currentInfo {};
  if (current.error == 0 && ::stat(current.host.c_str(), &currentInfo) == 0 &&
      SameEntry(currentInfo, entry)) {
    return Fail(kErrorSharingViolation);
  }
  if (::rmdir(where.host.c_str()) == 0) return true;
  return Fail(errno == EEXIST || errno == ENOTEMPTY ? kErrorDirNotEmpty : FromErrno(errno));
}

int PosixServices::Stat(const std::string& path) {
  const Translation where = Translate(path);
  struct stat info {};
  return where.error == 0 && ::stat(where.host.c_str(), &info) == 0 ? 0 : -1;
}

}  // namespace platform::posix
