#include "platform/Mbcs.h"

#include "platform/Services.h"

namespace platform {
namespace {

// Length in bytes of the character at `i`: 2 for a lead byte followed by a trail byte.
std::size_t CharLength(const std::string& text, std::size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Cuts `piece` to at most `limit` bytes without splitting a double-byte character.
std::string Bounded(const std::string& text, std::size_t begin, std::size_t end, std::size_t limit,
                    bool* truncated) {
  std::size_t cut = begin;
  while (cut < end) {
    const std::size_t next = cut + CharLength(text, cut);
    if (next - begin > limit) {
      *truncated = true;
      break;
    }
    cut = next;
  }
  return text.substr(begin, cut - begin);
}

}  // namespace

bool IsLeadByte(unsigned char byte) { return CurrentServices().IsDBCSLeadByte(byte); }

int _mbscmp(const std::string& left, const std::string& right) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    if (i >= left.size() || j >= right.size()) {
      if (i >= left.size() && j >= right.size()) return 0;
      return i >= left.size() ? -1 : 1;
    }
    unsigned a = static_cast<unsigned char>(left[i]);
    unsigned b = static_cast<unsigned char>(right[j]);
    if (IsLeadByte(static_cast<unsigned char>(a))) {
      // A lead byte at the very end stands alone, valued as a character of 0 trail.
      a = a << 8 | (i + 1 < left.size() ? static_cast<unsigned char>(left[i + 1]) : 0u);
      i += 2;
    } else {
      ++i;
    }
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      b = b << 8 | (j + 1 < right.size() ? static_cast<unsigned char>(right[j + 1]) : 0u);
      j += 2;
    } else {
      ++j;
    }
    if (a != b) return a < b ? -1 : 1;
  }
}

std::size_t FindLastOf(const std::string& text, std::string_view chars) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (chars.find(text[i]) != std::string_view::npos) found = i;
  }
  return found;
}

std::size_t FindChar(const std::string& text, char c, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += CharLength(text, i)) {
    if (text[i] == c) return i;
  }
  return std::string::npos;
}

void ReplaceChar(std::string& text, char from, char to) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (text[i] == from) text[i] = to;
  }
}

void TrimWhiteSpace(std::string& text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsWhiteSpace(static_cast<unsigned char>(text[begin]))) ++begin;
  // A white-space byte that is the trail of a double-byte character is not white space,
  // so the end is found walking forwards by characters.
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size();) {
    const std::size_t length = CharLength(text, i);
    if (length == 2 || !IsWhiteSpace(static_cast<unsigned char>(text[i]))) end = i + length;
    i += length;
  }
  text = text.substr(begin, end - begin);
}

PathPieces _splitpath(const std::string& path) {
  PathPieces pieces;
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    pieces.drive = path.substr(0, 2);
    start = 2;
  }
  // The last separator and the last dot after it, by whole characters.
  std::size_t folderEnd = start;  // one past the last separator
  std::size_t lastDot = std::string::npos;
  for (std::size_t i = start; i < path.size(); i += CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/') {
      folderEnd = i + 1;
      lastDot = std::string::npos;
    } else if (path[i] == '.') {
      lastDot = i;
    }
  }
  const std::size_t nameEnd = lastDot == std::string::npos ? path.size() : lastDot;
  const std::size_t limit = PathPieces::kMaxPiece;
  pieces.folder = Bounded(path, start, folderEnd, limit, &pieces.truncated);
  pieces.name = Bounded(path, folderEnd, nameEnd, limit, &pieces.truncated);
  pieces.extension = Bounded(path, nameEnd, path.size(), limit, &pieces.truncated);
  return pieces;
}

}  // namespace platform
