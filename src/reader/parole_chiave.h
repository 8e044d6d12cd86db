#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "reader/ascii.h"

// A fixed list of words in small letters, looked for in a key all at once:
// the same answers as a case-blind containment test for each word (A to Z
// folded), in one pass over the key and without a folded copy of it.
template <std::size_t n>
class parole_chiave {
    static_assert(n > 0 && n <= 32, "one bit a word");

public:
    consteval explicit parole_chiave(const std::array<std::string_view, n>& parole) : parole_(parole) {
        for (std::size_t k = 0; k < n; ++k) {
            for (char c : parole[k])
                if (c == '\0' || minuscola_ascii(c) != c) throw "a word must be in small letters";
            iniziali_[static_cast<unsigned char>(parole[k].at(0))] |= std::uint32_t{1} << k;
        }
    }

    // The bits of the given words, all of which must be in the list.
    consteval std::uint32_t bit(std::initializer_list<std::string_view> scelte) const {
        std::uint32_t bits = 0;
        for (std::string_view s : scelte) bits |= bit_di(s);
        return bits;
    }

    // Bit k set when the key holds word k.
    std::uint32_t in(std::string_view chiave) const {
        std::uint32_t trovate = 0;
        for (std::size_t i = 0; i < chiave.size(); ++i) {
            std::uint32_t candidate = iniziali_[static_cast<unsigned char>(minuscola_ascii(chiave[i]))];
            for (; candidate != 0; candidate &= candidate - 1) {
                const auto k = static_cast<std::size_t>(std::countr_zero(candidate));
                if (comincia_con(chiave.substr(i), parole_[k])) trovate |= std::uint32_t{1} << k;
            }
        }
        return trovate;
    }

private:
    consteval std::uint32_t bit_di(std::string_view parola) const {
        for (std::size_t k = 0; k < n; ++k)
            if (parole_[k] == parola) return std::uint32_t{1} << k;
        throw "a word not in the list";
    }

    // The first letter has matched already.
    static bool comincia_con(std::string_view resto, std::string_view parola) {
        if (resto.size() < parola.size()) return false;
        for (std::size_t j = 1; j < parola.size(); ++j)
            if (minuscola_ascii(resto[j]) != parola[j]) return false;
        return true;
    }

    std::array<std::string_view, n> parole_;
    std::array<std::uint32_t, 256> iniziali_{};
};

// Whether every word of parole was found.
constexpr bool tutte(std::uint32_t trovate, std::uint32_t parole) { return (trovate & parole) == parole; }

// The words of the last key looked for, kept: rows of one kind mostly follow
// one another, so a key is most often the one before it again.
template <std::size_t n>
class ultima_chiave {
public:
    explicit ultima_chiave(const parole_chiave<n>& parole) : parole_(parole) {}

    std::uint32_t in(std::string_view chiave) {
        if (chiave == chiave_) return trovate_;
        chiave_ = chiave;
        trovate_ = parole_.in(chiave);
        return trovate_;
    }

private:
    const parole_chiave<n>& parole_;
    std::string chiave_;
    std::uint32_t trovate_ = 0;  // the empty key holds no word
};
