#include "platform/posix/Errors.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/Services.h"

namespace platform::posix {
namespace {

thread_local std::uint32_t t_lastError = 0;

struct Message {
  std::uint32_t code;
  const char* text;
};

// Every code this backend can report, with Windows' English text.
constexpr Message kMessages[] = {
    {0, "The operation completed successfully."},
    {1, "Incorrect function."},
    {2, "The system cannot find the file specified."},
    {3, "The system cannot find the path specified."},
    {4, "The system cannot open the file."},
    {5, "Access is denied."},
    {6, "The handle is invalid."},
    {8, "Not enough memory resources are available to process this command."},
    {11, "An attempt was made to load a program with an incorrect format."},
    {17, "The system cannot move the file to a different disk drive."},
    {18, "There are no more files."},
    {19, "The media is write protected."},
    {32, "The process cannot access the file because it is being used by another process."},
    {53, "The network path was not found."},
    {80, "The file exists."},
    {87, "The parameter is incorrect."},
    {112, "There is not enough space on the disk."},
    {122, "The data area passed to a system call is too small."},
    {123, "The filename, directory name, or volume label syntax is incorrect."},
    {145, "The directory is not empty."},
    {183, "Cannot create a file when that file already exists."},
    {206, "The filename or extension is too long."},
    {223, "The file size exceeds the limit allowed and cannot be saved."},
    {267, "The directory name is invalid."},
    {1117, "The request could not be performed because of an I/O device error."},
    {1400, "Invalid window handle."},
    {1921, "The name of the file cannot be resolved by the system."},
};

}  // namespace

std::uint32_t LastError() { return t_lastError; }

void SetLastErrorCode(std::uint32_t code) { t_lastError = code; }

bool Fail(std::uint32_t code) {
  t_lastError = code;
  return false;
}

std::uint32_t FromErrno(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return kErrorSuccess;
    case ENOENT:
      return kErrorFileNotFound;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kErrorAccessDenied;
    case EEXIST:
      return kErrorAlreadyExists;
    case ENOTEMPTY:
      return kErrorDirNotEmpty;
    case ENAMETOOLONG:
      return kErrorFilenameTooLong;
    case EBUSY:
    case ETXTBSY:
      return kErrorSharingViolation;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    case EROFS:
      return kErrorWriteProtect;
    case EINVAL:
      return kErrorInvalidParameter;
    case EMFILE:
    case ENFILE:
      return 4;
    case ENOMEM:
      return 8;
    case EXDEV:
      return 17;
    case EFBIG:
      return 223;
    case EIO:
      return 1117;
    case ELOOP:
      return 1921;
    default:
      return kErrorAccessDenied;
  }
}

std::uint32_t MissingError(const std::string& hostPath) {
  std::string parent = hostPath;
  while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
  const std::size_t slash = parent.rfind('/');
  parent = slash == std::string::npos || slash == 0 ? std::string("/") : parent.substr(0, slash);
  struct stat info {};
  const bool folderThere = ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  return folderThere ? kErrorFileNotFound : kErrorPathNotFound;
}

std::optional<std::string> SystemMessage(std::uint32_t code) {
  for (const Message& message : kMessages) {
    if (message.code == code) return std::string(message.text) + "\r\n";
  }
  return std::nullopt;
}

}  // namespace platform::posix
