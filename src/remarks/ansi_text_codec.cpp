#include "remarks/ansi_text_codec.h"

#include <windows.h>

namespace {

// UTF-16 for `bytes` in `codePage`; nothing when the bytes are not valid there.
std::optional<std::wstring> toWide(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (units <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), units) !=
        units) {
        return std::nullopt;
    }
    return wide;
}

// `wide` in `codePage`; nothing when a character has no exact counterpart there. `lpUsedDefaultChar`
// is not allowed for UTF-8, where every character has one anyway.
std::optional<std::string> fromWide(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return std::string();
    const bool exactOnly = codePage != CP_UTF8;
    const DWORD flags = exactOnly ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS;
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = exactOnly ? &usedDefault : nullptr;
    const int bytes =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (bytes <= 0 || usedDefault) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), length, narrow.data(), bytes, nullptr,
                            usedDefaultOut) != bytes ||
        usedDefault) {
        return std::nullopt;
    }
    return narrow;
}

// A Text never holds a zero byte; one would cut the value short on its way through SQLite.
bool holdsZero(const std::string& bytes) {
    return bytes.find('\0') != std::string::npos;
}

std::optional<std::string> ansiToUtf8(const Text& text) {
    if (holdsZero(text)) return std::nullopt;
    const std::optional<std::wstring> wide = toWide(text, CP_ACP);
    return wide ? fromWide(*wide, CP_UTF8) : std::nullopt;
}

std::optional<Text> utf8ToAnsi(const std::string& utf8) {
    if (holdsZero(utf8)) return std::nullopt;
    const std::optional<std::wstring> wide = toWide(utf8, CP_UTF8);
    return wide ? fromWide(*wide, CP_ACP) : std::nullopt;
}

}  // namespace

const TextCodec& ansiTextCodec() {
    static const TextCodec codec{ansiToUtf8, utf8ToAnsi};
    return codec;
}
