// Files: copying and deleting, with Windows' read-only rule.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/posix/Errors.h"
#include "platform/posix/HostPaths.h"
#include "platform/posix/PosixServices.h"
#include "platform/posix/UniqueFd.h"

namespace platform::posix {
namespace {

bool OwnerMayWrite(const struct stat& info) { return (info.st_mode & S_IWUSR) != 0; }

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Copies from the current offsets to the end; errno tells why it failed.
bool CopyContent(int in, int out) {
  bool copied = false;
  for (;;) {
    const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t{1} << 30, 0);
    if (n > 0) {
      copied = true;
      continue;
    }
    if (n == 0 && copied) return true;
    if (n < 0 && errno == EINTR) continue;
    // Some file systems cannot, and some report an end at once for content they
    // generate: the plain loop below settles both.
    if (n < 0 && errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP &&
        errno != EPERM) {
      return false;
    }
    break;
  }
  std::vector<char> buffer(std::size_t{1} << 16);
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(n))) return false;
  }
}

// Opens the target for writing: created when missing, else the existing file itself,
// so that a link in the target stays a link.
UniqueFd OpenTarget(const std::string& host, bool failIfExists, bool* created) {
  UniqueFd fd(::open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0600));
  *created = fd.valid();
  if (fd.valid() || errno != EEXIST || failIfExists) return fd;
  return UniqueFd(::open(host.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
}

}  // namespace

bool PosixServices::CopyFileA(const std::string& source, const std::string& target,
                              bool failIfExists) {
  const Translation from = Translate(source);
  if (from.error != 0) return Fail(from.error);
  const Translation to = Translate(target);
  if (to.error != 0) return Fail(to.error);

  UniqueFd in(::open(from.host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!in.valid()) return Fail(errno == ENOENT ? MissingError(from.host) : FromErrno(errno));
  struct stat sourceInfo {};
  if (::fstat(in.get(), &sourceInfo) != 0) return Fail(FromErrno(errno));
  if (!S_ISREG(sourceInfo.st_mode)) return Fail(kErrorAccessDenied);

  struct stat targetInfo {};
  if (::stat(to.host.c_str(), &targetInfo) == 0) {
    if (S_ISDIR(targetInfo.st_mode)) return Fail(kErrorAccessDenied);
    if (failIfExists) return Fail(kErrorFileExists);
    // Windows refuses to overwrite a read-only file, whoever asks.
    if (!OwnerMayWrite(targetInfo)) return Fail(kErrorAccessDenied);
  }

  bool created = false;
  UniqueFd out = OpenTarget(to.host, failIfExists, &created);
  if (!out.valid()) {
    if (errno == EEXIST) return Fail(kErrorFileExists);
    return Fail(errno == ENOENT ? kErrorPathNotFound : FromErrno(errno));
  }
  if (::fstat(out.get(), &targetInfo) != 0) return Fail(FromErrno(errno));
  if (!S_ISREG(targetInfo.st_mode)) return Fail(kErrorAccessDenied);
  if (!created && !OwnerMayWrite(targetInfo)) return Fail(kErrorAccessDenied);
  // Truncating a file onto itself would lose it; Windows refuses this as a file in use.
  if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino) {
    return Fail(kErrorSharingViolation);
  }

  const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
  const bool done = ::ftruncate(out.get(), 0) == 0 && CopyContent(in.get(), out.get()) &&
                    ::fchmod(out.get(), sourceInfo.st_mode & 0777) == 0 &&
                    ::futimens(out.get(), times) == 0 && out.Close();
  if (done) return true;
  const int cause = errno;
  out.Close();
  if (created) ::unlink(to.host.c_str());  // no half-written file of our own stays
  return Fail(FromErrno(cause));
}

bool PosixServices::DeleteFileA(const std::string& path) {
  const Translation where = Translate(path);
  if (where.error != 0) return Fail(where.error);
  struct stat entry {};
  if (::lstat(where.host.c_str(), &entry) != 0) {
    return Fail(errno == ENOENT ? MissingError(where.host) : FromErrno(errno));
  }
  // A link goes itself, whatever it points to.
  if (!S_ISLNK(entry.st_mode)) {
    if (S_ISDIR(entry.st_mode)) return Fail(kErrorAccessDenied);
    if (!OwnerMayWrite(entry)) return Fail(kErrorAccessDenied);
  }
  if (::unlink(where.host.c_str()) != 0) return Fail(FromErrno(errno));
  return true;
}

}  // namespace platform::posix
