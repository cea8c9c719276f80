// Win32 error codes for the POSIX backend: the per-thread last error, errno mapped to
// system codes, and the system's English message texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform::posix {

inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorBadFormat = 11;
inline constexpr std::uint32_t kErrorWriteProtect = 19;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorInvalidWindowHandle = 1400;

std::uint32_t LastError();
void SetLastErrorCode(std::uint32_t code);

// Stores `code` as the last error and returns false, for the failure paths of the calls.
bool Fail(std::uint32_t code);

// The system code for `errnoValue` in general; the calls refine ENOENT and ENOTDIR where
// Windows tells a missing file from a missing path or from "not a folder".
std::uint32_t FromErrno(int errnoValue);

// 2 when the folder that would hold `hostPath` exists, else 3: Windows' distinction
// between a missing file and a missing path.
std::uint32_t MissingError(const std::string& hostPath);

// The text FormatMessageA gives for `code`, ending in CR LF, or nothing when unknown.
std::optional<std::string> SystemMessage(std::uint32_t code);

}  // namespace platform::posix
