#include "diskops/DiskOps.h"
#include "platform/Mbcs.h"
#include "platform/Services.h"

namespace {

// The folder names of `folders`, cut at each backslash from left to right; two
// backslashes together give an empty name.
CStringArray SplitComponents(const std::string& folders) {
  CStringArray components;
  std::size_t start = 0;
  for (;;) {
    const std::size_t separator = platform::FindChar(folders, '\\', start);
    if (separator == std::string::npos) break;
    components.Add(folders.substr(start, separator - start));
    start = separator + 1;
  }
  if (start < folders.size()) components.Add(folders.substr(start));
  return components;
}

}  // namespace

int CDiskOps::CreateFolderPath(const std::string& path) {
  ClearErrorText();
  std::string normalized;
  if (!NormalizeRequiredFolder(path, normalized)) return 0;

  const platform::PathPieces pieces = platform::_splitpath(normalized);
  // Folders cut short would be created in place of the ones asked for.
  if (pieces.truncated) {
    SetInternalErrorText();
    return 0;
  }
  const std::optional<std::string> saved = ReadCurrentDirectory();
  // The walk enters the folders on its way; without the way back it must not start.
  if (!saved) {
    SetInternalErrorText();
    return 0;
  }

  std::string base = pieces.drive;
  std::string folders = pieces.folder;
  if (folders.size() > 2 && platform::_mbscmp(folders.substr(0, 2), "\\\\") == 0) {
    folders.erase(0, 2);
    const std::size_t separator = platform::FindChar(folders, '\\');
    const std::string server = folders.substr(0, separator);
    base = "\\\\" + server;
    folders = separator == std::string::npos ? std::string() : folders.substr(separator + 1);
  }
  while (!folders.empty() && folders.front() == '\\') folders.erase(0, 1);

  CStringArray components = SplitComponents(folders);
  if (!pieces.name.empty()) components.Add(pieces.name + pieces.extension);

  platform::Services& services = platform::CurrentServices();
  std::string growing = base;
  for (const std::string& component : components.items()) {
    growing += '\\';
    growing += component;
    ShowFeedback(growing);
    // Each step may fail (the folder is there already, or is a share): only the final
    // test below decides.
    services.SetCurrentDirectoryA(growing);
    services.CreateDirectoryA(growing);
  }

  int result = 1;
  if (!services.SetCurrentDirectoryA(growing)) {
    SetSystemErrorText(services.GetLastError(), growing);
    result = 0;
  }
  services.SetCurrentDirectoryA(*saved);
  return result;
}
