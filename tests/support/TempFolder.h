// A fresh folder on disk for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& host() const { return host_; }
  // The folder as the platform calls take it, with its trailing backslash.
  std::string path() const;
  // `relative` below the folder (slashes or backslashes), as the platform calls take it.
  std::string path(const std::string& relative) const;

  // Writes `content` to the file `relative` below the folder, creating its folders.
  void WriteFile(const std::string& relative, const std::string& content = "x") const;
  void MakeFolder(const std::string& relative) const;
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // Every file and folder below the folder, as relative paths with '/', sorted.
  std::string Listing() const;

 private:
  std::filesystem::path host_;
};

// Makes a host file read-only (no owner write bit) or writable again.
void SetReadOnly(const std::filesystem::path& file, bool readOnly);

}  // namespace testsupport
