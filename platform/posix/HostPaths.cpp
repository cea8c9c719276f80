#include "platform/posix/HostPaths.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <map>
#include <mutex>
#include <optional>

#include "platform/Mbcs.h"
#include "platform/Services.h"

namespace platform::posix {
namespace {

struct State {
  std::mutex mutex;
  bool haveCurrent = false;
  Location current;
  std::map<std::string, std::string> roots;  // upper-cased Windows root -> host folder
};

State& TheState() {
  static State state;
  return state;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Names separated by backslashes or slashes, walking by characters so that the trail
// byte of a double-byte character never splits a name. Empty names are dropped.
std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
      name += c;
      name += text[++i];
    } else if (c == '\\' || c == '/') {
      if (!name.empty()) names.push_back(std::move(name));
      name.clear();
    } else {
      name += c;
    }
  }
  if (!name.empty()) names.push_back(std::move(name));
  return names;
}

bool IsLegalName(const std::string& name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (c < 0x20) return false;
    switch (c) {
      case '<':
      case '>':
      case ':':
      case '"':
      case '|':
      case '?':
      case '*':
        return false;
      default:
        break;
    }
  }
  return true;
}

void Fold(std::vector<std::string>& names, const std::vector<std::string>& more) {
  for (const std::string& name : more) {
    if (name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();  // a root's parent is the root
      continue;
    }
    names.push_back(name);
  }
}

std::string AbsoluteHost(const std::string& hostPath) {
  if (!hostPath.empty() && hostPath.front() == '/') return hostPath;
  return HostWorkingDirectory() + "/" + hostPath;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Needs the state's lock.
Location& Current(State& state) {
  if (!state.haveCurrent) {
    const std::string host = HostWorkingDirectory();
    state.current.root = "Z:";
    state.current.names.clear();
    std::string name;
    for (char c : host + "/") {
      if (c != '/') {
        name += c;
      } else if (!name.empty()) {
        state.current.names.push_back(name);
        name.clear();
      }
    }
    state.haveCurrent = true;
  }
  return state.current;
}

// The host folder of a root, or nothing when it is not mapped. "" stands for "/".
std::optional<std::string> HostRoot(const std::string& root) {
  if (Upper(root) == "Z:") return std::string();
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  const auto found = state.roots.find(Upper(root));
  if (found == state.roots.end()) return std::nullopt;
  return found->second;
}

}  // namespace

std::string Location::Windows() const {
  std::string text = root;
  if (names.empty()) return text + "\\";
  for (const std::string& name : names) text += "\\" + name;
  return text;
}

Translation Translate(const std::string& path) {
  Translation result;
  const Location current = CurrentLocation();
  Location& where = result.location;
  std::string rest;
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
      (path[1] == '\\' || path[1] == '/')) {
    std::vector<std::string> names = SplitNames(path.substr(2));
    if (names.size() < 2) {
      result.error = kErrorBadNetPath;
      return result;
    }
    where.root = "\\\\" + names[0] + "\\" + names[1];
    names.erase(names.begin(), names.begin() + 2);
    for (const std::string& name : names) {
      if (!IsLegalName(name)) {
        result.error = kErrorInvalidName;
        return result;
      }
    }
    Fold(where.names, names);
  } else {
    if (path.size() >= 2 && path[1] == ':') {
      if (!std::isalpha(static_cast<unsigned char>(path[0]))) {
        result.error = kErrorInvalidName;
        return result;
      }
      where.root = Upper(path.substr(0, 2));
      rest = path.substr(2);
      const bool absolute = !rest.empty() && (rest[0] == '\\' || rest[0] == '/');
      if (!absolute && Upper(current.root) == where.root) where.names = current.names;
    } else if (!path.empty() && (path[0] == '\\' || path[0] == '/')) {
      where.root = current.root;
      rest = path;
    } else {
      where = current;
      rest = path;
    }
    const std::vector<std::string> names = SplitNames(rest);
    for (const std::string& name : names) {
      if (!IsLegalName(name)) {
        result.error = kErrorInvalidName;
        return result;
      }
    }
    Fold(where.names, names);
  }

  const std::optional<std::string> hostRoot = HostRoot(where.root);
  if (!hostRoot) {
    result.error = where.root.size() > 2 ? kErrorBadNetPath : kErrorPathNotFound;
    return result;
  }
  result.host = *hostRoot;
  for (const std::string& name : where.names) result.host += "/" + name;
  if (result.host.empty()) result.host = "/";
  return result;
}

std::string WindowsFromHost(const std::string& hostPath) {
  Location location{"Z:", {}};
  std::string name;
  for (char c : AbsoluteHost(hostPath) + "/") {
    if (c != '/') {
      name += c;
      continue;
    }
    if (name == "..") {
      if (!location.names.empty()) location.names.pop_back();
    } else if (!name.empty() && name != ".") {
      location.names.push_back(name);
    }
    name.clear();
  }
  return location.Windows();
}

Location CurrentLocation() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  return Current(state);
}

void SetCurrentLocation(const Location& location) {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  state.current = location;
  state.haveCurrent = true;
}

bool AddDriveMapping(char letter, const std::string& hostFolder) {
  if (!std::isalpha(static_cast<unsigned char>(letter)) || hostFolder.empty()) return false;
  const std::string root = Upper(std::string(1, letter) + ":");
  if (root == "Z:") return false;  // the host itself
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  state.roots[root] = WithoutTrailingSlashes(AbsoluteHost(hostFolder));
  if (state.roots[root] == "/") state.roots[root].clear();
  return true;
}

bool AddShareMapping(const std::string& server, const std::string& share,
                     const std::string& hostFolder) {
  if (server.empty() || share.empty() || hostFolder.empty()) return false;
  for (const std::string* part : {&server, &share}) {
    if (part->find_first_of("\\/") != std::string::npos) return false;
  }
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  std::string& host = state.roots[Upper("\\\\" + server + "\\" + share)];
  host = WithoutTrailingSlashes(AbsoluteHost(hostFolder));
  if (host == "/") host.clear();
  return true;
}

void RemoveMappings() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  state.roots.clear();
  if (state.haveCurrent && Upper(state.current.root) != "Z:") state.haveCurrent = false;
}

std::string HostWorkingDirectory() {
  std::string buffer(256, '\0');
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
      buffer.resize(std::char_traits<char>::length(buffer.c_str()));
      return buffer;
    }
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform::posix
