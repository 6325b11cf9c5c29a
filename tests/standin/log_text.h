// Text of the stand-in's channel and input log, shared by the stand-in and the test helper: UTF-8 on the
// wire and in the file, and the escapes that keep one logged event on one line.
#pragma once

#include <string>

namespace standin {

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const char* bytes, std::size_t size);
inline std::wstring fromUtf8(const std::string& bytes) {
    return fromUtf8(bytes.data(), bytes.size());
}

// "\" as "\\", CR as "\r", LF as "\n"; unescapeLogText reverses it.
std::wstring escapeLogText(const std::wstring& text);
std::wstring unescapeLogText(const std::wstring& text);

}  // namespace standin
