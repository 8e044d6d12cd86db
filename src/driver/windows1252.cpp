#include "driver/windows1252.h"

#include <array>
#include <cstddef>

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones keep their own
// number (a C1 control).
constexpr std::array<char32_t, 32> tabella_80_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<unsigned char> byte_di(char32_t codice) {
    if (codice < 0x80 || (codice >= 0xA0 && codice <= 0xFF)) {
        return static_cast<unsigned char>(codice);
    }
    for (std::size_t i = 0; i < tabella_80_9f.size(); ++i) {
        if (tabella_80_9f[i] == codice) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// Reads one code point at `pos` and moves past it; nullopt for a malformed,
// overlong or truncated sequence, a surrogate or a value above U+10FFFF.
std::optional<char32_t> leggi_carattere(std::string_view testo, std::size_t& pos) {
    const auto primo = static_cast<unsigned char>(testo[pos]);
    std::size_t seguito = 0;
    char32_t codice = 0;
    char32_t minimo = 0;
    if (primo < 0x80) {
        ++pos;
        return primo;
    } else if ((primo & 0xE0) == 0xC0) {
        seguito = 1;
        codice = primo & 0x1F;
        minimo = 0x80;
    } else if ((primo & 0xF0) == 0xE0) {
        seguito = 2;
        codice = primo & 0x0F;
        minimo = 0x800;
    } else if ((primo & 0xF8) == 0xF0) {
        seguito = 3;
        codice = primo & 0x07;
        minimo = 0x10000;
    } else {
        return std::nullopt;
    }
    if (testo.size() - pos <= seguito) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k <= seguito; ++k) {
        const auto b = static_cast<unsigned char>(testo[pos + k]);
        if ((b & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codice = (codice << 6) | (b & 0x3F);
    }
    if (codice < minimo || codice > 0x10FFFF || (codice >= 0xD800 && codice <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += seguito + 1;
    return codice;
}

void scrivi_utf8(std::string& uscita, char32_t codice) {
    if (codice < 0x80) {
        uscita += static_cast<char>(codice);
    } else if (codice < 0x800) {
        uscita += static_cast<char>(0xC0 | (codice >> 6));
        uscita += static_cast<char>(0x80 | (codice & 0x3F));
    } else {
        // Nothing in the code page lies above U+FFFF.
        uscita += static_cast<char>(0xE0 | (codice >> 12));
        uscita += static_cast<char>(0x80 | ((codice >> 6) & 0x3F));
        uscita += static_cast<char>(0x80 | (codice & 0x3F));
    }
}

}  // namespace

std::optional<std::string> utf8_a_windows1252(std::string_view utf8) {
    std::string uscita;
    uscita.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto codice = leggi_carattere(utf8, pos);
        if (!codice) {
            return std::nullopt;
        }
        const auto b = byte_di(*codice);
        if (!b) {
            return std::nullopt;
        }
        uscita += static_cast<char>(*b);
    }
    return uscita;
}

std::string windows1252_a_utf8(std::string_view byte) {
    std::string uscita;
    uscita.reserve(byte.size() * 2);
    for (const char c : byte) {
        const auto b = static_cast<unsigned char>(c);
        const char32_t codice = (b >= 0x80 && b <= 0x9F) ? tabella_80_9f[b - 0x80] : b;
        scrivi_utf8(uscita, codice);
    }
    return uscita;
}
