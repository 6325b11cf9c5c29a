#include "util/gbk_text.h"

namespace gbk {

std::size_t find(std::string_view haystack, std::string_view needle) {
    for (std::size_t pos = 0; pos < haystack.size(); pos += charLength(haystack, pos)) {
        if (haystack.compare(pos, needle.size(), needle) == 0) return pos;
    }
    return std::string_view::npos;
}

std::size_t findLastChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        if (text[pos] == c) found = pos;
    }
    return found;
}

}  // namespace gbk
