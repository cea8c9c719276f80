// A fresh host folder per test and a fixture that puts the backend's process-wide state
// (current directory, drive mappings, code page) back as it found it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/Services.h"
#include "platform/TestingHooks.h"

namespace posixtest {

namespace fs = std::filesystem;

class Scratch {
 public:
  Scratch() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (;;) {
      const fs::path candidate = base / ("zintu-posix-" + std::to_string(random()));
      if (fs::create_directory(candidate)) {
        host_ = fs::canonical(candidate);
        break;
      }
    }
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(host_, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  fs::path host(const std::string& relative = "") const {
    return relative.empty() ? host_ : host_ / relative;
  }
  // The Z: form, as the platform calls take it.
  std::string win(const std::string& relative = "") const {
    return platform::testing::PlatformPath(host(relative).string());
  }

 private:
  fs::path host_;
};

inline void WriteFile(const fs::path& file, const std::string& content) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
}

inline std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void SetReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

class BackendTest : public ::testing::Test {
 protected:
  BackendTest()
      : services_(platform::RealServices()),
        savedDirectory_(CurrentDirectory()),
        savedCodePage_(platform::testing::CodePage()) {}
  ~BackendTest() override {
    services_.SetCurrentDirectoryA(savedDirectory_);
    platform::testing::UnmapAll();
    platform::testing::SetCodePage(savedCodePage_);
  }

  platform::Services& services() { return services_; }

  std::string CurrentDirectory() {
    std::array<char, 4096> buffer{};
    const std::uint32_t length = services_.GetCurrentDirectoryA(buffer.size(), buffer.data());
    return std::string(buffer.data(), length < buffer.size() ? length : 0);
  }

  // The last error after a call that must fail.
  std::uint32_t ErrorOf(bool succeeded) {
    EXPECT_FALSE(succeeded);
    return services_.GetLastError();
  }

 private:
  platform::Services& services_;
  std::string savedDirectory_;
  unsigned savedCodePage_;
};

}  // namespace posixtest
