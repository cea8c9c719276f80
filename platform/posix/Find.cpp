// Searching a folder: a snapshot of the matching entries, sorted, handed out one by one.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/Mbcs.h"
#include "platform/posix/Errors.h"
#include "platform/posix/HostPaths.h"
#include "platform/posix/PosixServices.h"

namespace platform::posix {
namespace {

struct Search {
  std::vector<FindData> entries;
  std::size_t next = 0;
};

// The open searches, so that a stale or foreign handle is refused instead of followed.
struct Searches {
  std::mutex mutex;
  std::unordered_set<Search*> open;
};

Searches& OpenSearches() {
  static Searches searches;
  return searches;
}

class DirectoryStream {
 public:
  explicit DirectoryStream(const std::string& host) : dir_(::opendir(host.c_str())) {}
  ~DirectoryStream() {
    if (dir_ != nullptr) ::closedir(dir_);
  }
  DirectoryStream(const DirectoryStream&) = delete;
  DirectoryStream& operator=(const DirectoryStream&) = delete;
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

// The characters of `text`, a double-byte character being one.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    characters.push_back(text.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return characters;
}

bool SameCharacter(const std::string& a, const std::string& b) {
  if (a.size() == 1 && b.size() == 1) {
    return std::tolower(static_cast<unsigned char>(a[0])) ==
           std::tolower(static_cast<unsigned char>(b[0]));
  }
  return a == b;
}

// `*` for any run of characters, `?` for one; letters of the ASCII range match in
// either case, as on Windows.
bool Matches(const std::string& mask, const std::string& name) {
  if (mask == "*" || mask == "*.*") return true;
  const std::vector<std::string> pattern = Characters(mask);
  const std::vector<std::string> text = Characters(name);
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t starAt = std::string::npos;
  std::size_t resumeAt = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      starAt = p++;
      resumeAt = t;
    } else if (p < pattern.size() && (pattern[p] == "?" || SameCharacter(pattern[p], text[t]))) {
      ++p;
      ++t;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      t = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

std::uint32_t AttributesOf(int dirFd, const char* name) {
  struct stat entry {};
  if (::fstatat(dirFd, name, &entry, AT_SYMLINK_NOFOLLOW) != 0) return kAttributeNormal;
  std::uint32_t attributes = 0;
  bool folder = S_ISDIR(entry.st_mode);
  if (S_ISLNK(entry.st_mode)) {
    attributes |= kAttributeReparsePoint;
    struct stat target {};
    folder = ::fstatat(dirFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
  }
  if (folder) attributes |= kAttributeDirectory;
  if ((entry.st_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
  return attributes != 0 ? attributes : kAttributeNormal;
}

Search* FromHandle(FindHandle handle) {
  auto* search = reinterpret_cast<Search*>(handle);
  Searches& searches = OpenSearches();
  std::lock_guard lock(searches.mutex);
  return searches.open.count(search) != 0 ? search : nullptr;
}

}  // namespace

FindHandle PosixServices::FindFirstFileA(const std::string& pattern, FindData* data) {
  if (data == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return kInvalidFindHandle;
  }
  std::string text = pattern;
  ReplaceChar(text, '/', '\\');
  const std::size_t slash = FindLastBackslash(text);
  std::size_t maskAt = slash == std::string::npos ? 0 : slash + 1;
  if (slash == std::string::npos && text.size() >= 2 && text[1] == ':') maskAt = 2;
  const std::string mask = text.substr(maskAt);

  const Translation folder = Translate(text.substr(0, maskAt));
  if (folder.error != 0) {
    SetLastErrorCode(folder.error);
    return kInvalidFindHandle;
  }
  DirectoryStream stream(folder.host);
  if (stream.get() == nullptr) {
    SetLastErrorCode(errno == ENOENT ? kErrorPathNotFound : FromErrno(errno));
    return kInvalidFindHandle;
  }

  auto search = std::make_unique<Search>();
  std::vector<FindData> named;
  while (const dirent* entry = ::readdir(stream.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || !Matches(mask, name)) continue;
    named.push_back({AttributesOf(::dirfd(stream.get()), entry->d_name), name});
  }
  std::sort(named.begin(), named.end(),
            [](const FindData& a, const FindData& b) { return a.fileName < b.fileName; });
  // Windows lists "." and ".." first, in a root too here.
  for (const char* dots : {".", ".."}) {
    if (Matches(mask, dots)) search->entries.push_back({kAttributeDirectory, dots});
  }
  search->entries.insert(search->entries.end(), named.begin(), named.end());
  if (search->entries.empty()) {
    SetLastErrorCode(kErrorFileNotFound);
    return kInvalidFindHandle;
  }

  *data = search->entries[0];
  search->next = 1;
  Searches& searches = OpenSearches();
  std::lock_guard lock(searches.mutex);
  searches.open.insert(search.get());
  return reinterpret_cast<FindHandle>(search.release());
}

bool PosixServices::FindNextFileA(FindHandle handle, FindData* data) {
  Search* search = FromHandle(handle);
  if (search == nullptr) return Fail(kErrorInvalidHandle);
  if (data == nullptr) return Fail(kErrorInvalidParameter);
  if (search->next >= search->entries.size()) return Fail(kErrorNoMoreFiles);
  *data = search->entries[search->next++];
  return true;
}

bool PosixServices::FindClose(FindHandle handle) {
  auto* search = reinterpret_cast<Search*>(handle);
  {
    Searches& searches = OpenSearches();
    std::lock_guard lock(searches.mutex);
    if (searches.open.erase(search) == 0) return Fail(kErrorInvalidHandle);
  }
  delete search;
  return true;
}

}  // namespace platform::posix
