// Properties of the quick reply file format over any bytes a file may hold.
#include <cstdint>
#include <cstdlib>

#include "replies/reply_file.h"

namespace {
void check(bool holds) {
    if (!holds) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const std::string_view text = replies::fileText(file);
    const TextArray replies = replies::parseReplies(file);

    // The text is where the file starts, and reading it again finds all of it.
    check(file.substr(0, text.size()) == text);
    check(replies::fileText(text) == text);

    // No reply holds a line end, a zero byte or an end mark of its own.
    Text joined;
    for (std::size_t i = 0; i < replies.size(); ++i) {
        check(!gbk::contains(replies[i], "\r\n"));
        check(replies::fileText(replies[i]) == replies[i]);
        if (i > 0) joined += "\r\n";
        joined += replies[i];
    }
    // The replies put together with their separators give back the text, with at most its final line end
    // missing; an empty text gives no reply at all.
    check(joined == text || joined + "\r\n" == text);
    check(replies.empty() == text.empty());

    // Writing the replies and reading them again gives the same replies, and the written file is stable.
    const Text written = replies::serializeReplies(replies);
    check(replies::parseReplies(written) == replies);
    check(replies::serializeReplies(replies::parseReplies(written)) == written);
    return 0;
}
