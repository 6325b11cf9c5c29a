#include "gbk_test_codec.h"

#ifdef _WIN32

#include "remarks/gbk_text_codec.h"

const TextCodec& gbkTestCodec() {
    return gbkTextCodec();
}

#else

#include <iconv.h>

namespace {

// `input` converted from `from` to `to`; nothing when a byte sequence is invalid or has no counterpart.
std::optional<std::string> convert(const std::string& input, const char* to, const char* from) {
    if (input.find('\0') != std::string::npos) return std::nullopt;
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string output(input.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

std::optional<std::string> gbkToUtf8(const Text& text) {
    return convert(text, "UTF-8", "GBK");
}
std::optional<Text> utf8ToGbk(const std::string& utf8) {
    return convert(utf8, "GBK", "UTF-8");
}

}  // namespace

const TextCodec& gbkTestCodec() {
    static const TextCodec codec{gbkToUtf8, utf8ToGbk};
    return codec;
}

#endif
