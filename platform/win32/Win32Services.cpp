// The real backend on Windows: each member is the Win32 call it is named after.
#include "platform/Services.h"
// Services.h first: its members carry the A names themselves, so the Windows headers'
// unsuffixed macros (CopyFile, DeleteFile ...) never touch them.
#include "platform/win32/Win32.h"
// Win32.h must precede these.
#include <shellapi.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

namespace platform {
namespace {

HANDLE ToHandle(FindHandle handle) { return reinterpret_cast<HANDLE>(handle); }

void CopyFindData(const WIN32_FIND_DATAA& from, FindData* to) {
  to->attributes = from.dwFileAttributes;
  to->fileName.assign(from.cFileName, strnlen(from.cFileName, sizeof from.cFileName));
}

struct LocalFreeDeleter {
  void operator()(char* buffer) const { ::LocalFree(buffer); }
};

class Win32Services final : public Services {
 public:
  FindHandle FindFirstFileA(const std::string& pattern, FindData* data) override {
    WIN32_FIND_DATAA found{};
    const HANDLE handle = ::FindFirstFileA(pattern.c_str(), &found);
    if (handle == INVALID_HANDLE_VALUE) return kInvalidFindHandle;
    CopyFindData(found, data);
    return reinterpret_cast<FindHandle>(handle);
  }

  bool FindNextFileA(FindHandle handle, FindData* data) override {
    WIN32_FIND_DATAA found{};
    if (!::FindNextFileA(ToHandle(handle), &found)) return false;
    CopyFindData(found, data);
    return true;
  }

  bool FindClose(FindHandle handle) override { return ::FindClose(ToHandle(handle)) != FALSE; }

  bool CopyFileA(const std::string& source, const std::string& target, bool failIfExists) override {
    return ::CopyFileA(source.c_str(), target.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
  }

  bool DeleteFileA(const std::string& path) override {
    return ::DeleteFileA(path.c_str()) != FALSE;
  }

  bool CreateDirectoryA(const std::string& path) override {
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
  }

  bool RemoveDirectoryA(const std::string& path) override {
    return ::RemoveDirectoryA(path.c_str()) != FALSE;
  }

  std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override {
    return ::GetCurrentDirectoryA(size, buffer);
  }

  bool SetCurrentDirectoryA(const std::string& path) override {
    return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
  }

  std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override {
    return ::GetModuleFileNameA(nullptr, buffer, size);
  }

  std::uint32_t GetLastError() override { return ::GetLastError(); }

  void SetLastError(std::uint32_t code) override { ::SetLastError(code); }

  std::optional<std::string> FormatSystemMessage(std::uint32_t code) override {
    char* raw = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&raw), 0, nullptr);
    // Owned before anything can throw; a failed call hands out no buffer.
    const std::unique_ptr<char, LocalFreeDeleter> buffer(raw);
    if (length == 0 || !buffer) return std::nullopt;
    return std::string(buffer.get(), length);
  }

  std::intptr_t ShellExecuteA(WindowHandle owner, const char* operation, const std::string& file,
                              const char* parameters, const char* directory,
                              int showCommand) override {
    const HINSTANCE result = ::ShellExecuteA(static_cast<HWND>(owner), operation, file.c_str(),
                                             parameters, directory, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
  }

  int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                  unsigned type) override {
    return ::MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), type);
  }

  std::optional<std::string> LoadStringA(unsigned id) override {
    // Length 0 asks for a read-only pointer into the resource itself, so a string of any
    // length comes whole; it is then converted as LoadStringA would.
    const wchar_t* text = nullptr;
    const int units =
        ::LoadStringW(::GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (units <= 0 || text == nullptr) return std::nullopt;
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::nullopt;
    std::string result(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, units, result.data(), bytes, nullptr, nullptr);
    return result;
  }

  bool SetWindowTextA(WindowHandle window, const std::string& text) override {
    return ::SetWindowTextA(static_cast<HWND>(window), text.c_str()) != FALSE;
  }

  int Stat(const std::string& path) override {
    struct _stat status;
    return ::_stat(path.c_str(), &status) == 0 ? 0 : -1;
  }

  unsigned SetErrorMode(unsigned mode) override { return ::SetErrorMode(mode); }

  bool IsDBCSLeadByte(unsigned char byte) override { return ::IsDBCSLeadByte(byte) != FALSE; }
};

}  // namespace

Services& RealServices() {
  // Never destroyed: destructors of static objects may still reach the platform.
  static Services* const services = new Win32Services();
  return *services;
}

}  // namespace platform
