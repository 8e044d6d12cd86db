#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are UTF-8 inside the programs. A std::filesystem::path made from a
// std::string reads the bytes in the system's narrow encoding, which on
// Windows is the ANSI code page, not UTF-8: every conversion between a path
// and its text goes through these two.
inline std::filesystem::path percorso_utf8(std::string_view testo) {
    return std::filesystem::path(std::u8string(testo.begin(), testo.end()));
}

inline std::string testo_utf8(const std::filesystem::path& percorso) {
    const std::u8string testo = percorso.u8string();
    return std::string(testo.begin(), testo.end());
}
