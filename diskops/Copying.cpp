#include "diskops/DiskOps.h"
#include "platform/Services.h"

int CDiskOps::CopyFolderFiles(const std::string& source, const std::string& target) {
  ClearErrorText();
  std::string from = source;
  if (!NormalizeFolderPath(from)) return 0;
  std::string to = target;
  if (!NormalizeFolderPath(to)) return 0;

  CStringArray names;
  if (!ListFiles(from, names, listNames)) return 0;
  if (!CreateFolderPath(to)) return 0;

  platform::Services& services = platform::CurrentServices();
  for (const std::string& name : names.items()) {
    ShowFeedback(name);
    if (!services.CopyFileA(from + name, to + name, false)) {
      SetSystemErrorText(services.GetLastError(), from + name + " -> " + to + name);
      return 0;
    }
  }
  return 1;
}

int CDiskOps::CopyFolderTree(const std::string& source, const std::string& target) {
  ClearErrorText();
  std::string from = source;
  if (!NormalizeFolderPath(from)) return 0;
  std::string to = target;
  if (!NormalizeFolderPath(to)) return 0;

  // The whole list is taken before the first copy, so folders the copy creates inside
  // the source are never visited.
  CStringArray folders;
  folders.Add(from);
  if (!ListFolders(from, folders, listFullPaths)) return 0;

  int result = 1;
  for (const std::string& folder : folders.items()) {
    result = CopyFolderFiles(folder, to + folder.substr(from.size()));
    if (!result) break;
  }
  return result;
}
