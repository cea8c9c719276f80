// Test set-up on Windows. Drives, shares and the code page are the real system's, so
// only the conversions of paths and the exclusive file hold do anything here.
#include "platform/TestingHooks.h"
#include "platform/win32/Win32.h"

namespace platform::testing {
namespace {

// Converts between two code pages through UTF-16; text that does not convert stays
// as it was.
std::string Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return text;
  const int length = static_cast<int>(text.size());
  const int units =
      ::MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (units <= 0) return text;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), units);
  const int bytes = ::WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return text;
  std::string result(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(to, 0, wide.data(), units, result.data(), bytes, nullptr, nullptr);
  return result;
}

class HandleHold final : public ExclusiveFileHold {
 public:
  explicit HandleHold(HANDLE handle) : handle_(handle) {}
  ~HandleHold() override { ::CloseHandle(handle_); }
  HandleHold(const HandleHold&) = delete;
  HandleHold& operator=(const HandleHold&) = delete;

 private:
  HANDLE handle_;
};

}  // namespace

bool MapDrive(char /*letter*/, const std::string& /*hostFolder*/) { return false; }

bool MapShare(const std::string& /*server*/, const std::string& /*share*/,
              const std::string& /*hostFolder*/) {
  return false;
}

void UnmapAll() {}

// The code page is the system's; under Wine it follows the locale the process started in.
bool SetCodePage(unsigned /*codePage*/) { return false; }

unsigned CodePage() { return ::GetACP(); }

// The standard library's narrow paths on Windows are UTF-8; the A calls take the ANSI
// code page. ASCII paths come through unchanged.
std::string PlatformPath(const std::string& hostPath) { return Convert(hostPath, CP_UTF8, CP_ACP); }

std::string HostPath(const std::string& platformPath) {
  return Convert(platformPath, CP_ACP, CP_UTF8);
}

std::unique_ptr<ExclusiveFileHold> HoldFileExclusively(const std::string& path) {
  const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<HandleHold>(handle);
}

}  // namespace platform::testing
