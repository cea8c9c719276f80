// Windows paths on the host file system: the host root is drive Z:, and other drives or
// \\server\share roots stand for host folders only when a test maps them. Also keeps the
// emulated current directory, which is a Windows path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::posix {

// A folded absolute Windows path: a root ("C:" or "\\server\share") and its names.
struct Location {
  std::string root;
  std::vector<std::string> names;

  // "C:\" for a root alone, else "C:\a\b".
  std::string Windows() const;
};

struct Translation {
  std::uint32_t error = 0;  // a system error code; 0 when the fields below are set
  Location location;
  std::string host;  // the host path; "/" for the host root
};

// Makes `path` absolute against the current directory, folds "." and "..", and maps
// it to the host. Fails with 3 for an unmapped drive, 53 for an unmapped share and
// 123 for a name holding a character no Windows name may hold.
Translation Translate(const std::string& path);

// The Z: form of an absolute host path.
std::string WindowsFromHost(const std::string& hostPath);

// The emulated current directory; the first use takes the host's.
Location CurrentLocation();
void SetCurrentLocation(const Location& location);

bool AddDriveMapping(char letter, const std::string& hostFolder);
bool AddShareMapping(const std::string& server, const std::string& share,
                     const std::string& hostFolder);
// Forgets the mappings; a current directory below one of them falls back to the host's.
void RemoveMappings();

// The host's current directory, "/" when it cannot be read.
std::string HostWorkingDirectory();

}  // namespace platform::posix
