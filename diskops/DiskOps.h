// CDiskOps: every folder and file operation of the launcher.
//
// Paths are byte strings in the ANSI code page; a folder path in normalised form is
// absolute (a drive, or two backslashes for a network path) and ends with a backslash.
// Every operation with a result returns an integer: non-zero for success or a true
// answer, zero for failure or a false answer. Test results only for zero or non-zero:
// some hand on a platform call's non-zero value. A failure leaves a text in ErrorText():
// the system's message for the error code and the subject of the failed step, or the
// internal-error text for bad call parameters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/StringArray.h"
#include "platform/Wnd.h"

class CDiskOps {
 public:
  enum ListMode {
    listNames = 0,      // bare file names; folder paths below the root
    listFullPaths = 1,  // the normalised folder before each name; full folder paths
  };

  static constexpr const char* kInternalErrorText =
      "CDiskOps internal error - check call parameters";

  CDiskOps() = default;
  CDiskOps(const CDiskOps&) = delete;
  CDiskOps& operator=(const CDiskOps&) = delete;

  // The text of the last failure report; empty when the last clearing operation succeeded.
  const std::string& ErrorText() const { return m_errorText; }
  // Attaches a progress window (not owned) that is shown every report and progress
  // text from now on; null detaches it.
  void SetFeedbackWindow(CWnd* window) { m_feedbackWnd = window; }
  CWnd* FeedbackWindow() const { return m_feedbackWnd; }

  // Error reports.
  void ClearErrorText();
  void SetSystemErrorText(std::uint32_t code, const std::string& subject);
  void SetInternalErrorText();
  void ShowFeedback(const std::string& text);

  // Paths. The first two rewrite the caller's string and never clear the error text.
  int NormalizeFolderPath(std::string& path);
  int ResolveFullPath(std::string& path);
  int HasLegalChars(const std::string& piece);
  int FolderExists(const std::string& folder);

  // Listing into the caller's list, which is not emptied first.
  int ListFiles(const std::string& folder, CStringArray& list, int mode);
  int ListFilesMatching(const std::string& mask, const std::string& folder, CStringArray& list,
                        int mode);
  int ListFolders(const std::string& root, CStringArray& list, int mode);
  int CollectFolders(const std::string& folder, CStringArray& list);

  // Creating, copying, removing.
  int CreateFolderPath(const std::string& path);
  int CopyFolderFiles(const std::string& source, const std::string& target);
  int CopyFolderTree(const std::string& source, const std::string& target);
  int DeleteFolderFiles(const std::string& folder);
  int DeleteFolder(const std::string& folder);
  int DeleteFolderTree(const std::string& folder);

 private:
  // The current directory, or nothing when it cannot be read whole into the 260-byte
  // buffer the ANSI calls allow.
  static std::optional<std::string> ReadCurrentDirectory();
  // A copy of a required folder argument, normalised; an empty one is refused with the
  // internal error text.
  int NormalizeRequiredFolder(const std::string& folder, std::string& normalized);
  // Shows `folder`, removes it and reports a failure with it as subject.
  int RemoveEmptiedFolder(const std::string& folder);
  // Removes the folder links directly inside `folder` as links, never what they point to.
  int RemoveFolderLinks(const std::string& folder);

  std::string m_errorText;
  CWnd* m_feedbackWnd = nullptr;
};
