#include "tests/support/TempFolder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "platform/TestingHooks.h"

namespace fs = std::filesystem;

namespace testsupport {
namespace {

fs::path Relative(const std::string& relative) {
  std::string generic = relative;
  for (char& c : generic) {
    if (c == '\\') c = '/';
  }
  return fs::path(generic);
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    std::ostringstream name;
    name << "zintu-test-" << std::hex << std::random_device{}() << '-' << counter++;
    host_ = base / name.str();
    if (fs::create_directory(host_)) break;
  }
}

TempFolder::~TempFolder() {
  std::error_code error;
  // Read-only files left by a test must not keep the folder from going.
  for (auto it = fs::recursive_directory_iterator(host_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_symlink()) {
      fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, error);
    }
  }
  fs::remove_all(host_, error);
}

std::string TempFolder::path() const {
  std::string result = platform::testing::PlatformPath(host_.string());
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

std::string TempFolder::path(const std::string& relative) const {
  std::string tail = relative;
  for (char& c : tail) {
    if (c == '/') c = '\\';
  }
  return path() + tail;
}

void TempFolder::WriteFile(const std::string& relative, const std::string& content) const {
  const fs::path file = host_ / Relative(relative);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

void TempFolder::MakeFolder(const std::string& relative) const {
  fs::create_directories(host_ / Relative(relative));
}

std::string TempFolder::ReadFile(const std::string& relative) const {
  std::ifstream in(host_ / Relative(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(const std::string& relative) const {
  std::error_code error;
  return fs::exists(fs::symlink_status(host_ / Relative(relative), error));
}

std::string TempFolder::Listing() const {
  std::set<std::string> entries;
  for (auto it = fs::recursive_directory_iterator(host_); it != fs::recursive_directory_iterator();
       ++it) {
    std::string entry = fs::relative(it->path(), host_).generic_string();
    if (it->is_directory() && !it->is_symlink()) entry += '/';
    entries.insert(entry);
  }
  std::string result;
  for (const std::string& entry : entries) result += entry + '\n';
  return result;
}

void SetReadOnly(const fs::path& file, bool readOnly) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace testsupport
