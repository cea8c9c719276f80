#include "app/Launcher.h"
#include "diskops/DiskOps.h"

void ApplyPendingUpdate(const std::string& updateFolder, const std::string& dataFolder) {
  if (!PathExists(updateFolder)) return;
  CDiskOps diskOps;
  // The tree goes only after a complete copy; otherwise it stays to be tried again at
  // the next start.
  if (diskOps.CopyFolderTree(updateFolder, dataFolder)) diskOps.DeleteFolderTree(updateFolder);
}
