#include <array>

#include "diskops/DiskOps.h"
#include "platform/Mbcs.h"
#include "platform/Services.h"

namespace {

constexpr char kParentPrefix[] = "..\\";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::optional<std::string> CDiskOps::ReadCurrentDirectory() {
  std::array<char, platform::kMaxPath> buffer{};
  const std::uint32_t length =
      platform::CurrentServices().GetCurrentDirectoryA(buffer.size(), buffer.data());
  if (length == 0 || length >= buffer.size()) return std::nullopt;
  return std::string(buffer.data(), length);
}

int CDiskOps::NormalizeFolderPath(std::string& path) {
  platform::ReplaceChar(path, '/', '\\');
  // The last byte alone decides: a double-byte character ending in 0x5C counts as the
  // closing backslash.
  if (!path.empty() && path.back() != '\\') path += '\\';
  if (StartsWith(path, "\\\\")) return 1;
  return ResolveFullPath(path);
}

int CDiskOps::ResolveFullPath(std::string& path) {
  platform::ReplaceChar(path, '/', '\\');
  const platform::PathPieces pieces = platform::_splitpath(path);
  // A cut piece would make the path name another folder than the caller's.
  if (pieces.truncated) {
    SetInternalErrorText();
    return 0;
  }

  if (pieces.drive.empty()) {
    const std::optional<std::string> saved = ReadCurrentDirectory();
    // Without the whole current directory a relative path cannot be made absolute.
    if (!saved) {
      SetInternalErrorText();
      return 0;
    }
    std::string folder = pieces.folder;
    if (folder.size() > 2 && StartsWith(folder, "\\\\")) {
      // A network path: nothing to resolve.
    } else if (folder.size() > 2 && StartsWith(folder, kParentPrefix)) {
      platform::Services& services = platform::CurrentServices();
      while (folder.size() > 2 && StartsWith(folder, kParentPrefix)) {
        services.SetCurrentDirectoryA("..");
        folder.erase(0, 3);
      }
      const std::optional<std::string> parent = ReadCurrentDirectory();
      services.SetCurrentDirectoryA(*saved);
      if (!parent) {
        SetInternalErrorText();
        return 0;
      }
      path = *parent + '\\' + folder + pieces.name + pieces.extension;
    } else if (!folder.empty() && folder.front() == '\\') {
      path = platform::_splitpath(*saved).drive + path;
    } else {
      path = *saved + '\\' + path;
    }
  }

  // Made absolute, the path must still split whole, or the next normalisation would
  // refuse what this one let through.
  if (pieces.drive.empty() && platform::_splitpath(path).truncated) {
    SetInternalErrorText();
    return 0;
  }

  // The pieces as the caller gave them are tested, whatever the resolution made of them.
  if (!HasLegalChars(pieces.folder) || !HasLegalChars(pieces.name) ||
      !HasLegalChars(pieces.extension)) {
    SetInternalErrorText();
    return 0;
  }
  return 1;
}

int CDiskOps::HasLegalChars(const std::string& piece) {
  for (const char refused : {':', '*', '?'}) {
    if (platform::FindChar(piece, refused) != std::string::npos) return 0;
  }
  return 1;
}

int CDiskOps::NormalizeRequiredFolder(const std::string& folder, std::string& normalized) {
  if (folder.empty()) {
    SetInternalErrorText();
    return 0;
  }
  normalized = folder;
  return NormalizeFolderPath(normalized);
}

int CDiskOps::FolderExists(const std::string& folder) {
  ClearErrorText();
  std::string normalized;
  if (!NormalizeRequiredFolder(folder, normalized)) return 0;

  const std::optional<std::string> saved = ReadCurrentDirectory();
  // Entering the folder without a way back would move the process for good.
  if (!saved) {
    SetInternalErrorText();
    return 0;
  }
  platform::Services& services = platform::CurrentServices();
  const bool entered = services.SetCurrentDirectoryA(normalized);
  services.SetCurrentDirectoryA(*saved);
  return entered ? 1 : 0;
}
