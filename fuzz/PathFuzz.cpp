// Path handling under every code page the launcher meets: the first byte picks the code
// page, the rest is the path. Pieces stay bounded and whole, normalising is idempotent,
// and the comparison is a consistent order.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "diskops/DiskOps.h"
#include "platform/Mbcs.h"
#include "platform/TestingHooks.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static constexpr unsigned kCodePages[] = {65001, 932, 936, 950};
  platform::testing::SetCodePage(kCodePages[data[0] % 4]);
  const std::string path(reinterpret_cast<const char*>(data + 1), size - 1);

  const platform::PathPieces pieces = platform::_splitpath(path);
  for (const std::string* piece : {&pieces.folder, &pieces.name, &pieces.extension}) {
    Check(piece->size() <= platform::PathPieces::kMaxPiece);
  }
  if (!pieces.truncated) {
    Check(pieces.drive + pieces.folder + pieces.name + pieces.extension == path);
  }

  CDiskOps ops;
  std::string normalized = path;
  if (ops.NormalizeFolderPath(normalized)) {
    Check(!normalized.empty() && normalized.back() == '\\');
    std::string again = normalized;
    Check(ops.NormalizeFolderPath(again) != 0);
    Check(again == normalized);
  }

  Check(Sign(platform::_mbscmp(path, normalized)) == -Sign(platform::_mbscmp(normalized, path)));
  Check(platform::_mbscmp(path, path) == 0);
  const std::size_t last = platform::FindLastBackslash(path);
  Check(last == std::string::npos || path[last] == '\\');
  return 0;
}
