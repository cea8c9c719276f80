// Starting a program and showing a message, the POSIX way.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/posix/Errors.h"
#include "platform/posix/HostPaths.h"
#include "platform/posix/PosixServices.h"

extern char** environ;

namespace platform::posix {
namespace {

// ShellExecute's results: above 32 for success, the small codes for failures.
constexpr std::intptr_t kShellStarted = 42;
constexpr std::intptr_t kShellFileNotFound = 2;
constexpr std::intptr_t kShellPathNotFound = 3;
constexpr std::intptr_t kShellAccessDenied = 5;
constexpr std::intptr_t kShellBadFormat = 11;
constexpr std::intptr_t kShellNoAssociation = 31;

std::intptr_t ShellResultFor(std::uint32_t code) {
  switch (code) {
    case kErrorFileNotFound:
      return kShellFileNotFound;
    case kErrorPathNotFound:
    case kErrorBadNetPath:
    case kErrorInvalidName:
      return kShellPathNotFound;
    default:
      return kShellAccessDenied;
  }
}

class SpawnActions {
 public:
  SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// Reaps the started program whenever it ends, so that it leaves no zombie behind
// in a process that lives on; the launcher itself exits long before.
void ReapLater(pid_t child) {
  try {
    std::thread([child] {
      int status = 0;
      while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // Without a thread the child is reaped by whoever inherits it.
  }
}

}  // namespace

std::intptr_t PosixServices::ShellExecuteA(WindowHandle /*owner*/, const char* operation,
                                           const std::string& file, const char* /*parameters*/,
                                           const char* directory, int /*showCommand*/) {
  if (operation != nullptr && std::strcmp(operation, "open") != 0) {
    SetLastErrorCode(kErrorInvalidParameter);
    return kShellNoAssociation;
  }
  const Translation program = Translate(file);
  if (program.error != 0) {
    SetLastErrorCode(program.error);
    return ShellResultFor(program.error);
  }
  struct stat info {};
  if (::stat(program.host.c_str(), &info) != 0) {
    const std::uint32_t code = errno == ENOENT ? MissingError(program.host) : FromErrno(errno);
    SetLastErrorCode(code);
    return ShellResultFor(code);
  }
  // Only programs can be opened here: there are no file associations.
  if (!S_ISREG(info.st_mode) || ::access(program.host.c_str(), X_OK) != 0) {
    SetLastErrorCode(kErrorAccessDenied);
    return kShellNoAssociation;
  }

  SpawnActions actions;
  if (directory != nullptr && *directory != '\0') {
    const Translation folder = Translate(directory);
    if (folder.error != 0) {
      SetLastErrorCode(folder.error);
      return ShellResultFor(folder.error);
    }
    ::posix_spawn_file_actions_addchdir_np(actions.get(), folder.host.c_str());
  }
  std::string argument0 = program.host;
  char* argv[] = {argument0.data(), nullptr};
  pid_t child = 0;
  const int failure =
      ::posix_spawn(&child, program.host.c_str(), actions.get(), nullptr, argv, environ);
  if (failure != 0) {
    const std::uint32_t code = failure == ENOENT ? kErrorFileNotFound : FromErrno(failure);
    SetLastErrorCode(failure == ENOEXEC ? kErrorBadFormat : code);
    return failure == ENOEXEC ? kShellBadFormat : ShellResultFor(code);
  }
  ReapLater(child);
  return kShellStarted;
}

int PosixServices::MessageBoxA(WindowHandle owner, const std::string& text,
                               const std::string& caption, unsigned type) {
  char head[128];
  if (owner == nullptr) {
    std::snprintf(head, sizeof head, "MessageBoxA owner=0 type=0x%x caption=", type);
  } else {
    std::snprintf(head, sizeof head, "MessageBoxA owner=0x%" PRIxPTR " type=0x%x caption=",
                  reinterpret_cast<std::uintptr_t>(owner), type);
  }
  const std::string message = head + caption + "\n" + text + "\n";
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fflush(stderr);
  return 1;  // IDOK: there is no one to dismiss it otherwise
}

}  // namespace platform::posix
