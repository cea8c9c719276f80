#include "tests/support/ServiceDecorators.h"

#include <algorithm>
#include <cstring>

namespace testsupport {

std::vector<std::string> RecordingServices::Arguments(Call call) const {
  std::vector<std::string> result;
  for (const RecordedCall& recorded : calls_) {
    if (recorded.call == call) result.push_back(recorded.argument);
  }
  return result;
}

platform::FindHandle RecordingServices::FindFirstFileA(const std::string& pattern,
                                                       platform::FindData* data) {
  calls_.push_back({Call::FindFirstFile, pattern});
  const platform::FindHandle handle = inner().FindFirstFileA(pattern, data);
  if (handle != platform::kInvalidFindHandle) ++openSearches_;
  return handle;
}

bool RecordingServices::FindNextFileA(platform::FindHandle handle, platform::FindData* data) {
  calls_.push_back({Call::FindNextFile, {}});
  return inner().FindNextFileA(handle, data);
}

bool RecordingServices::FindClose(platform::FindHandle handle) {
  calls_.push_back({Call::FindClose, {}});
  --openSearches_;
  return inner().FindClose(handle);
}

bool RecordingServices::CopyFileA(const std::string& source, const std::string& target,
                                  bool failIfExists) {
  calls_.push_back({Call::CopyFile, source + " -> " + target});
  return inner().CopyFileA(source, target, failIfExists);
}

bool RecordingServices::DeleteFileA(const std::string& path) {
  calls_.push_back({Call::DeleteFile, path});
  return inner().DeleteFileA(path);
}

bool RecordingServices::CreateDirectoryA(const std::string& path) {
  calls_.push_back({Call::CreateDirectory, path});
  return inner().CreateDirectoryA(path);
}

bool RecordingServices::RemoveDirectoryA(const std::string& path) {
  calls_.push_back({Call::RemoveDirectory, path});
  return inner().RemoveDirectoryA(path);
}

bool RecordingServices::SetCurrentDirectoryA(const std::string& path) {
  calls_.push_back({Call::SetCurrentDirectory, path});
  return inner().SetCurrentDirectoryA(path);
}

bool RecordingServices::SetWindowTextA(platform::WindowHandle window, const std::string& text) {
  calls_.push_back({Call::SetWindowText, text});
  // The test windows are not real ones: nothing to pass on.
  (void)window;
  return true;
}

int RecordingServices::MessageBoxA(platform::WindowHandle owner, const std::string& text,
                                   const std::string& caption, unsigned type) {
  const std::string head = owner ? "owner|" : "0|";
  calls_.push_back({Call::MessageBox, head + caption + "|" + std::to_string(type) + "|" + text});
  return 1;
}

int RecordingServices::Stat(const std::string& path) {
  calls_.push_back({Call::Stat, path});
  return inner().Stat(path);
}

unsigned RecordingServices::SetErrorMode(unsigned mode) {
  calls_.push_back({Call::SetErrorMode, std::to_string(mode)});
  return inner().SetErrorMode(mode);
}

bool FailingServices::Fails(Call call) {
  const int nth = ++counts_[call];
  const auto kind = failures_.find(call);
  if (kind == failures_.end()) return false;
  const auto failure = kind->second.find(nth);
  if (failure == kind->second.end()) return false;
  inner().SetLastError(failure->second);
  return true;
}

platform::FindHandle FailingServices::FindFirstFileA(const std::string& pattern,
                                                     platform::FindData* data) {
  if (Fails(Call::FindFirstFile)) return platform::kInvalidFindHandle;
  return inner().FindFirstFileA(pattern, data);
}

bool FailingServices::CopyFileA(const std::string& source, const std::string& target,
                                bool failIfExists) {
  return !Fails(Call::CopyFile) && inner().CopyFileA(source, target, failIfExists);
}

bool FailingServices::DeleteFileA(const std::string& path) {
  return !Fails(Call::DeleteFile) && inner().DeleteFileA(path);
}

bool FailingServices::CreateDirectoryA(const std::string& path) {
  return !Fails(Call::CreateDirectory) && inner().CreateDirectoryA(path);
}

bool FailingServices::RemoveDirectoryA(const std::string& path) {
  return !Fails(Call::RemoveDirectory) && inner().RemoveDirectoryA(path);
}

bool FailingServices::SetCurrentDirectoryA(const std::string& path) {
  return !Fails(Call::SetCurrentDirectory) && inner().SetCurrentDirectoryA(path);
}

std::uint32_t PretendingServices::GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
  if (!directory_) return inner().GetCurrentDirectoryA(size, buffer);
  if (directory_->size() + 1 > size) return static_cast<std::uint32_t>(directory_->size() + 1);
  std::memcpy(buffer, directory_->c_str(), directory_->size() + 1);
  return static_cast<std::uint32_t>(directory_->size());
}

std::uint32_t PretendingServices::GetModuleFileNameA(char* buffer, std::uint32_t size) {
  if (!moduleFileName_) return inner().GetModuleFileNameA(buffer, size);
  // Cut to the buffer, without a NUL then, as Windows does.
  const std::size_t copied = std::min<std::size_t>(moduleFileName_->size(), size);
  std::memcpy(buffer, moduleFileName_->data(), copied);
  if (copied < size) buffer[copied] = '\0';
  return static_cast<std::uint32_t>(copied);
}

std::optional<std::string> PretendingServices::FormatSystemMessage(std::uint32_t code) {
  return messageSet_ ? message_ : inner().FormatSystemMessage(code);
}

}  // namespace testsupport
