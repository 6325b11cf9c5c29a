#include "replies/reply_file.h"

namespace replies {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr char kEndOfFile = '\x1A';  // Ctrl+Z, the old end-of-text mark
}  // namespace

std::string_view fileText(std::string_view fileBytes) {
    std::size_t pos = 0;
    while (pos < fileBytes.size()) {
        const char c = fileBytes[pos];
        if (c == '\0' || c == kEndOfFile) break;
        if (gbk::isLeadByte(c)) {
            // The file is read as a zero-terminated text, so its end counts as a zero byte too.
            if (pos + 1 == fileBytes.size() || fileBytes[pos + 1] == '\0') break;
            pos += 2;
        } else {
            pos += 1;
        }
    }
    return fileBytes.substr(0, pos);
}

TextArray parseReplies(std::string_view fileBytes) {
    std::string_view rest = fileText(fileBytes);
    TextArray pieces;
    while (!rest.empty()) {
        const std::size_t end = gbk::find(rest, kLineEnd);
        if (end == std::string_view::npos) {
            pieces.emplace_back(rest);
            break;
        }
        pieces.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end + kLineEnd.size());
    }
    return pieces;
}

Text serializeReplies(const TextArray& replies) {
    std::size_t size = 0;
    for (const Text& reply : replies) size += reply.size() + kLineEnd.size();
    Text bytes;
    bytes.reserve(size);
    for (const Text& reply : replies) {
        bytes += reply;
        bytes += kLineEnd;
    }
    return bytes;
}

}  // namespace replies
