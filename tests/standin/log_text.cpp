#include "log_text.h"

#include <windows.h>

namespace standin {

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &out[0], bytes, nullptr, nullptr);
    return out;
}

std::wstring fromUtf8(const char* bytes, std::size_t size) {
    if (size == 0) return {};
    const int length = static_cast<int>(size);
    const int units = MultiByteToWideChar(CP_UTF8, 0, bytes, length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes, length, &text[0], units);
    return text;
}

std::wstring escapeLogText(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\\') {
            out += L"\\\\";
        } else if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\n') {
            out += L"\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring unescapeLogText(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 1 < text.size()) {
            const wchar_t next = text[++i];
            out += next == L'r' ? L'\r' : next == L'n' ? L'\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace standin
