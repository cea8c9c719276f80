#include "platform/posix/PosixServices.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/StringResources.h"
#include "platform/posix/CodePage.h"
#include "platform/posix/Errors.h"
#include "platform/posix/HostPaths.h"

namespace platform {

Services& RealServices() {
  static posix::PosixServices services;
  return services;
}

}  // namespace platform

namespace platform::posix {

std::uint32_t PosixServices::GetLastError() { return LastError(); }

void PosixServices::SetLastError(std::uint32_t code) { SetLastErrorCode(code); }

std::optional<std::string> PosixServices::FormatSystemMessage(std::uint32_t code) {
  return SystemMessage(code);
}

std::uint32_t PosixServices::GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
  const std::string current = CurrentLocation().Windows();
  const auto length = static_cast<std::uint32_t>(current.size());
  if (buffer == nullptr || length >= size) return length + 1;
  std::memcpy(buffer, current.c_str(), current.size() + 1);
  return length;
}

std::uint32_t PosixServices::GetModuleFileNameA(char* buffer, std::uint32_t size) {
  std::string host(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", host.data(), host.size());
    if (length < 0) {
      SetLastErrorCode(FromErrno(errno));
      return 0;
    }
    if (static_cast<std::size_t>(length) < host.size()) {
      host.resize(static_cast<std::size_t>(length));
      break;
    }
    host.resize(host.size() * 2);
  }
  const std::string path = WindowsFromHost(host);
  if (buffer == nullptr || size == 0) {
    SetLastErrorCode(kErrorInsufficientBuffer);
    return 0;
  }
  if (path.size() < size) {
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<std::uint32_t>(path.size());
  }
  // Cut to `size` bytes with the NUL among them, as Windows since Vista does.
  std::memcpy(buffer, path.data(), size - 1);
  buffer[size - 1] = '\0';
  SetLastErrorCode(kErrorInsufficientBuffer);
  return size;
}

std::optional<std::string> PosixServices::LoadStringA(unsigned id) {
  const char16_t* text = FindStringResource(id);
  // Windows keeps no empty strings in a string table: an empty one is a missing one.
  if (text == nullptr || *text == u'\0') return std::nullopt;
  return FromUtf16(text, ActiveCodePage());
}

bool PosixServices::SetWindowTextA(WindowHandle window, const std::string& text) {
  if (window == nullptr) return Fail(kErrorInvalidWindowHandle);
  std::lock_guard lock(windowMutex_);
  windowTexts_[window] = text;
  return true;
}

unsigned PosixServices::SetErrorMode(unsigned mode) { return errorMode_.exchange(mode); }

bool PosixServices::IsDBCSLeadByte(unsigned char byte) {
  return IsLeadByteIn(ActiveCodePage(), byte);
}

}  // namespace platform::posix
