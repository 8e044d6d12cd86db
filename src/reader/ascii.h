#pragma once

#include <string>
#include <string_view>

// The one case folding of keys and file names: A to Z only, every other byte
// as it stands.
constexpr char minuscola_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string minuscolo_ascii(std::string_view t) {
    std::string r(t);
    for (char& c : r) c = minuscola_ascii(c);
    return r;
}
