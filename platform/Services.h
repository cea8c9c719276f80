// The platform calls of the launcher and its disk operations, behind one interface.
//
// Every member keeps the Win32 contract of the call it is named after: the same
// arguments, the same results and the same system error codes through GetLastError.
// Paths and texts are byte strings in the process's ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

using FindHandle = std::uintptr_t;
inline constexpr FindHandle kInvalidFindHandle = ~FindHandle{0};  // INVALID_HANDLE_VALUE

using WindowHandle = void*;

inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeNormal = 0x80;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// System error codes the code and tests speak of.
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorNoMoreFiles = 18;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorBadNetPath = 53;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorDirNotEmpty = 145;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorFilenameTooLong = 206;
inline constexpr std::uint32_t kErrorDirectory = 267;

inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbIconMask = 0xF0;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr int kSwShow = 5;
inline constexpr unsigned kSemFailCriticalErrors = 0x0001;
inline constexpr unsigned kSemNoOpenFileErrorBox = 0x8000;

// The classic MAX_PATH buffer size of the ANSI calls.
inline constexpr std::uint32_t kMaxPath = 260;

struct FindData {
  std::uint32_t attributes = 0;  // dwFileAttributes
  std::string fileName;          // cFileName: a bare name
};

class Services {
 public:
  virtual ~Services() = default;

  virtual FindHandle FindFirstFileA(const std::string& pattern, FindData* data) = 0;
  virtual bool FindNextFileA(FindHandle handle, FindData* data) = 0;
  virtual bool FindClose(FindHandle handle) = 0;

  virtual bool CopyFileA(const std::string& source, const std::string& target,
                         bool failIfExists) = 0;
  virtual bool DeleteFileA(const std::string& path) = 0;
  virtual bool CreateDirectoryA(const std::string& path) = 0;
  virtual bool RemoveDirectoryA(const std::string& path) = 0;

  // Returns the length copied (without the NUL) when it fits into `size` bytes,
  // otherwise the size needed (with the NUL) and leaves `buffer` as it was; 0 on failure.
  virtual std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) = 0;
  virtual bool SetCurrentDirectoryA(const std::string& path) = 0;

  // The executable's own full path; truncated to `size` bytes (and then the result is
  // `size`) when it does not fit; 0 on failure.
  virtual std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) = 0;

  virtual std::uint32_t GetLastError() = 0;
  virtual void SetLastError(std::uint32_t code) = 0;

  // FormatMessageA(0x1100, nullptr, code, 0x400, ...): the system's text for `code`,
  // or nothing when the system has none. The buffer is freed before this returns.
  virtual std::optional<std::string> FormatSystemMessage(std::uint32_t code) = 0;

  virtual std::intptr_t ShellExecuteA(WindowHandle owner, const char* operation,
                                      const std::string& file, const char* parameters,
                                      const char* directory, int showCommand) = 0;
  virtual int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                          unsigned type) = 0;
  // String `id` of the executable's string table, in the ANSI code page.
  virtual std::optional<std::string> LoadStringA(unsigned id) = 0;
  virtual bool SetWindowTextA(WindowHandle window, const std::string& text) = 0;

  // _stat: 0 when a file or folder of that name exists, -1 otherwise.
  virtual int Stat(const std::string& path) = 0;
  // Sets the process error mode and returns the previous one.
  virtual unsigned SetErrorMode(unsigned mode) = 0;
  // Whether `byte` begins a double-byte character in the ANSI code page.
  virtual bool IsDBCSLeadByte(unsigned char byte) = 0;
};

// The services every caller uses: the build's real backend unless a test has put a
// decorator in front of it with ScopedServices.
Services& CurrentServices();

// The build's real backend, one per process.
Services& RealServices();

// Makes `services` current for the life of this object, then restores the previous one.
class ScopedServices {
 public:
  explicit ScopedServices(Services& services);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services* previous_;
};

// Closes a search when it goes out of scope.
class ScopedFind {
 public:
  ScopedFind(const std::string& pattern, FindData* data)
      : handle_(CurrentServices().FindFirstFileA(pattern, data)) {}
  ~ScopedFind() {
    if (valid()) CurrentServices().FindClose(handle_);
  }
  ScopedFind(const ScopedFind&) = delete;
  ScopedFind& operator=(const ScopedFind&) = delete;

  bool valid() const { return handle_ != kInvalidFindHandle; }
  bool Next(FindData* data) { return CurrentServices().FindNextFileA(handle_, data); }

 private:
  FindHandle handle_;
};

}  // namespace platform
