#include "diskops/DiskOps.h"
#include "platform/Services.h"

int CDiskOps::DeleteFolderFiles(const std::string& folder) {
  ClearErrorText();
  // Normalising an empty path would name the current directory.
  std::string normalized;
  if (!NormalizeRequiredFolder(folder, normalized)) return 0;

  CStringArray names;
  if (!ListFiles(normalized, names, listNames)) return 0;

  platform::Services& services = platform::CurrentServices();
  for (const std::string& name : names.items()) {
    ShowFeedback(name);
    if (!services.DeleteFileA(normalized + name)) {
      SetSystemErrorText(services.GetLastError(), normalized + name);
      return 0;
    }
  }
  return 1;
}

int CDiskOps::RemoveFolderLinks(const std::string& folder) {
  const std::string pattern = folder + "*.*";
  platform::FindData entry;
  platform::ScopedFind search(pattern, &entry);
  // No search, no links: a folder that is not there fails at its own removal.
  if (!search.valid()) return 1;
  CStringArray links;
  const std::uint32_t folderLink = platform::kAttributeDirectory | platform::kAttributeReparsePoint;
  do {
    if ((entry.attributes & folderLink) == folderLink) links.Add(folder + entry.fileName);
  } while (search.Next(&entry));

  for (const std::string& link : links.items()) {
    if (!RemoveEmptiedFolder(link)) return 0;
  }
  return 1;
}

int CDiskOps::RemoveEmptiedFolder(const std::string& folder) {
  ShowFeedback(folder);
  platform::Services& services = platform::CurrentServices();
  if (!services.RemoveDirectoryA(folder)) {
    SetSystemErrorText(services.GetLastError(), folder);
    return 0;
  }
  return 1;
}

int CDiskOps::DeleteFolder(const std::string& folder) {
  ClearErrorText();
  std::string normalized;
  if (!NormalizeRequiredFolder(folder, normalized)) return 0;
  if (!DeleteFolderFiles(normalized)) return 0;
  if (!RemoveFolderLinks(normalized)) return 0;
  return RemoveEmptiedFolder(normalized);
}

int CDiskOps::DeleteFolderTree(const std::string& folder) {
  ClearErrorText();
  std::string normalized;
  if (!NormalizeRequiredFolder(folder, normalized)) return 0;

  CStringArray folders;
  if (!ListFolders(normalized, folders, listFullPaths)) return 0;
  // Each folder comes before the folders inside it, so the walk from the back removes
  // the deepest first.
  for (std::size_t i = folders.GetSize(); i-- > 0;) {
    if (!DeleteFolder(folders[i])) return 0;
  }
  return DeleteFolder(normalized);
}
