#include "platform/TestingHooks.h"

#include "platform/Mbcs.h"
#include "platform/posix/CodePage.h"
#include "platform/posix/HostPaths.h"

namespace platform::testing {

bool MapDrive(char letter, const std::string& hostFolder) {
  return posix::AddDriveMapping(letter, hostFolder);
}

bool MapShare(const std::string& server, const std::string& share, const std::string& hostFolder) {
  return posix::AddShareMapping(server, share, hostFolder);
}

void UnmapAll() { posix::RemoveMappings(); }

bool SetCodePage(unsigned codePage) { return posix::OverrideCodePage(codePage); }

std::string FromUtf16(const char16_t* text, unsigned codePage) {
  return posix::FromUtf16(text, codePage);
}

unsigned CodePage() { return posix::ActiveCodePage(); }

std::string PlatformPath(const std::string& hostPath) {
  std::string path = posix::WindowsFromHost(hostPath);
  // A closing separator says "folder" to the caller; it is kept.
  if (!hostPath.empty() && hostPath.back() == '/' && path.back() != '\\') path += '\\';
  return path;
}

std::string HostPath(const std::string& platformPath) {
  const posix::Translation where = posix::Translate(platformPath);
  if (where.error != 0) return std::string();
  std::string host = where.host;
  // Looked for by characters: a trail byte 0x5C at the end closes no folder.
  const bool closed = !platformPath.empty() &&
                      (platformPath.back() == '/' ||
                       platform::FindLastBackslash(platformPath) == platformPath.size() - 1);
  if (closed && host.back() != '/') host += '/';
  return host;
}

std::unique_ptr<ExclusiveFileHold> HoldFileExclusively(const std::string& /*path*/) {
  return nullptr;
}

}  // namespace platform::testing
