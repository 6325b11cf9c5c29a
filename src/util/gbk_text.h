// Text: the program's 8-bit strings, in code page 936 (GBK). Bytes below 0x80 are characters of their own;
// a byte of 0x80 or above starts a two-byte character. These helpers walk a Text that way, so that no search
// ever starts, or matches a separator, in the middle of a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using Text = std::string;
using TextArray = std::vector<Text>;

namespace gbk {

inline bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Length of the character that starts at `pos`: 2 for a lead byte with a byte after it, else 1.
inline std::size_t charLength(std::string_view text, std::size_t pos) {
    return isLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// First position, at a character boundary, where `needle` starts in `haystack`; npos when none.
// An empty needle is found at 0 in any non-empty text and in no empty one.
std::size_t find(std::string_view haystack, std::string_view needle);

inline bool contains(std::string_view haystack, std::string_view needle) {
    return find(haystack, needle) != std::string_view::npos;
}

// Position of the last byte `c` (an ASCII byte) that is a character of its own; npos when none.
std::size_t findLastChar(std::string_view text, char c);

}  // namespace gbk
