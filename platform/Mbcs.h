// Multibyte string helpers of the C runtime, written once for both backends. They step
// over a double-byte character whole, asking the current services which bytes lead one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Whether `byte` begins a double-byte character in the ANSI code page in force.
bool IsLeadByte(unsigned char byte);

// Sign of a case-sensitive comparison by characters, a double-byte one valued
// lead byte * 256 + trail byte (msvcrt's _mbscmp).
int _mbscmp(const std::string& left, const std::string& right);

// The byte index of the last character of its own that is one of `chars` (single-byte
// characters), or npos.
std::size_t FindLastOf(const std::string& text, std::string_view chars);

// The byte index of the last backslash that is a character of its own, or npos.
inline std::size_t FindLastBackslash(const std::string& text) { return FindLastOf(text, "\\"); }

// The byte index of the first character `c` (a single-byte character) at or after
// `from`, or npos.
std::size_t FindChar(const std::string& text, char c, std::size_t from = 0);

// Replaces every single-byte character `from` by `to`.
void ReplaceChar(std::string& text, char from, char to);

// Cuts space, tab, line feed, vertical tab, form feed and carriage return from both ends.
void TrimWhiteSpace(std::string& text);

// The four pieces of a path (msvcrt's _splitpath). Folder, name and extension hold at
// most kMaxPiece bytes; `truncated` tells that one of them had to be cut.
struct PathPieces {
  static constexpr std::size_t kMaxPiece = 255;
  std::string drive;
  std::string folder;
  std::string name;
  std::string extension;
  bool truncated = false;
};
PathPieces _splitpath(const std::string& path);

}  // namespace platform
