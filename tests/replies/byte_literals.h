// Test bytes written as string literals, zero bytes included.
#pragma once

#include <cstddef>
#include <string_view>

// All the literal's bytes, embedded zeros too, without its terminating zero.
template <std::size_t N>
std::string_view bytes(const char (&literal)[N]) {
    return std::string_view(literal, N - 1);
}
