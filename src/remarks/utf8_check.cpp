#include "remarks/utf8_check.h"

bool isAcceptedUtf8(std::string_view bytes) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto isContinuation = [&](std::size_t i) { return i < bytes.size() && (byteAt(i) & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byteAt(i);
        if (lead == 0) return false;
        if (lead < 0x80) {
            i += 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            if (!isContinuation(i + 1)) return false;
            i += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            if (!isContinuation(i + 1) || !isContinuation(i + 2)) return false;
            const unsigned char second = byteAt(i + 1);
            if (lead == 0xE0 && second < 0xA0) return false;  // overlong
            if (lead == 0xED && second > 0x9F) return false;  // UTF-16 surrogate
            i += 3;
        } else {
            return false;  // stray continuation, overlong C0/C1, four-byte lead or invalid byte
        }
    }
    return true;
}
