#include "util/codepage.h"

#include <windows.h>

#include <cstring>

ByteBuffer bytesToUtf16(const ByteBuffer& narrow, unsigned codePage) {
    // The platform gets a terminated copy; the caller's buffer stays as it is.
    std::vector<char> source(narrow.begin(), narrow.end());
    source.push_back('\0');
    if (source[0] == '\0') return {};
    const int units = MultiByteToWideChar(codePage, 0, source.data(), -1, nullptr, 0);
    if (units <= 0) return {};
    ByteBuffer result(static_cast<std::size_t>(units) * 2, 0);
    MultiByteToWideChar(codePage, 0, source.data(), -1, reinterpret_cast<wchar_t*>(result.data()), units);
    return result;
}

ByteBuffer textToUtf16(const Text& text, bool noTerminator) {
    ByteBuffer result = bytesToUtf16(ByteBuffer(text.begin(), text.end()), kGbkCodePage);
    if (noTerminator) {
        for (std::size_t i = 0; i + 1 < result.size(); i += 2) {
            if (result[i] == 0 && result[i + 1] == 0) {
                result.resize(i);
                break;
            }
        }
    }
    return result;
}

ByteBuffer utf16ToBytes(const ByteBuffer& utf16, unsigned codePage) {
    // A terminated copy; an odd last byte becomes the low byte of a unit of its own.
    std::vector<wchar_t> source((utf16.size() + 1) / 2 + 1, L'\0');
    if (!utf16.empty()) std::memcpy(source.data(), utf16.data(), utf16.size());
    if (lstrlenW(source.data()) == 0) return {};
    const int bytes = WideCharToMultiByte(codePage, 0, source.data(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::vector<char> out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, source.data(), -1, out.data(), bytes, nullptr, nullptr);
    return ByteBuffer(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(std::strlen(out.data())));
}

Text utf16ToText(const ByteBuffer& utf16, unsigned codePage, bool useCodePage) {
    const ByteBuffer bytes = utf16ToBytes(utf16, useCodePage ? codePage : CP_ACP);
    return Text(bytes.begin(), bytes.end());
}

Text utf16ToGbkText(const ByteBuffer& utf16) { return utf16ToText(utf16, kGbkCodePage, true); }

ByteBuffer utf16Buffer(const wchar_t* units, std::size_t count) {
    ByteBuffer result(count * 2);
    if (count) std::memcpy(result.data(), units, count * 2);
    return result;
}
