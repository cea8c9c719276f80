#include <algorithm>

#include "diskops/DiskOps.h"
#include "platform/Mbcs.h"
#include "platform/Services.h"

namespace {

bool IsFolder(const platform::FindData& entry) {
  return (entry.attributes & platform::kAttributeDirectory) != 0;
}

// A junction, folder symbolic link or mount point: it leads out of the tree being walked.
bool IsFolderLink(const platform::FindData& entry) {
  return IsFolder(entry) && (entry.attributes & platform::kAttributeReparsePoint) != 0;
}

bool Greater(const std::string& element, const std::string& text) {
  return platform::_mbscmp(element, text) > 0;
}

// Inserts `text` just before the first element that compares greater, or at the end.
// On a list in order that is the upper bound, found by halving; the caller's list need
// not be in order, and then only the walk from the front gives the same place.
void InsertInOrder(CStringArray& list, const std::string& text, bool listInOrder) {
  const std::vector<std::string>& items = list.items();
  std::size_t index = 0;
  if (listInOrder) {
    index = static_cast<std::size_t>(
        std::upper_bound(items.begin(), items.end(), text,
                         [](const std::string& t, const std::string& e) { return Greater(e, t); }) -
        items.begin());
  } else {
    while (index < items.size() && !Greater(items[index], text)) ++index;
  }
  list.InsertAt(index, text);
}

bool InOrder(const CStringArray& list) {
  const std::vector<std::string>& items = list.items();
  return std::is_sorted(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
    return platform::_mbscmp(a, b) < 0;
  });
}

}  // namespace

int CDiskOps::ListFiles(const std::string& folder, CStringArray& list, int mode) {
  return ListFilesMatching("*.*", folder, list, mode);
}

int CDiskOps::ListFilesMatching(const std::string& mask, const std::string& folder,
                                CStringArray& list, int mode) {
  ClearErrorText();
  std::string normalized = folder;
  if (!NormalizeFolderPath(normalized)) return 0;
  if (!FolderExists(normalized)) {
    // A folder that is not there holds no files; one that could not be tested is a failure.
    return m_errorText.empty() ? 1 : 0;
  }

  const std::string pattern = normalized + mask;
  platform::FindData entry;
  platform::ScopedFind search(pattern, &entry);
  if (!search.valid()) {
    SetSystemErrorText(platform::CurrentServices().GetLastError(), pattern);
    return 0;
  }
  const bool listInOrder = InOrder(list);
  do {
    if (IsFolder(entry)) continue;
    const std::string text = mode == listFullPaths ? normalized + entry.fileName : entry.fileName;
    InsertInOrder(list, text, listInOrder);
    ShowFeedback(text);
  } while (search.Next(&entry));
  return 1;
}

int CDiskOps::CollectFolders(const std::string& folder, CStringArray& list) {
  ClearErrorText();
  std::string normalized = folder;
  if (!NormalizeFolderPath(normalized)) return 0;

  const std::string pattern = normalized + "*.*";
  platform::FindData entry;
  platform::ScopedFind search(pattern, &entry);
  if (!search.valid()) {
    SetSystemErrorText(platform::CurrentServices().GetLastError(), pattern);
    return 0;
  }
  int result = 1;
  do {
    if (!IsFolder(entry) || IsFolderLink(entry) || platform::_mbscmp(entry.fileName, ".") == 0 ||
        platform::_mbscmp(entry.fileName, "..") == 0) {
      continue;
    }
    const std::string subFolder = normalized + entry.fileName;
    list.Add(subFolder + '\\');
    ShowFeedback(entry.fileName);
    result = CollectFolders(subFolder, list);
  } while (result != 0 && search.Next(&entry));
  return result;
}

int CDiskOps::ListFolders(const std::string& root, CStringArray& list, int mode) {
  std::string normalized = root;
  if (!NormalizeFolderPath(normalized)) return 0;
  const int result = CollectFolders(normalized, list);

  if (mode == listNames) {
    // Every element is rewritten, those the caller put in before included.
    CStringArray relative;
    for (const std::string& element : list.items()) {
      if (element.size() <= normalized.size()) {
        relative.Add(std::string());
      } else {
        relative.Add(element.substr(normalized.size(), element.size() - normalized.size() - 1));
      }
    }
    list = std::move(relative);
  }
  return result;
}
