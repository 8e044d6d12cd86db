#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Where encoded bytes go, one block after the other.
using scrittore_blocchi = std::function<void(std::string_view)>;

// Takes numbers in little-endian order, whatever the machine's own order, and
// hands them on in blocks of blocco_byte bytes (the last one shorter), so that
// no file needs to be whole in memory. scrivi takes each field width of the
// model; a text goes with its 16-bit length in front.
class byte_le {
public:
    static constexpr std::size_t blocco_byte = 65536;

    explicit byte_le(const scrittore_blocchi& uscita) : uscita_(uscita), blocco_(primo_limite + oltre_blocco) {}
    byte_le(const byte_le&) = delete;
    byte_le& operator=(const byte_le&) = delete;

    void scrivi(std::uint8_t v) { intero(v, 1); }
    void scrivi(std::uint16_t v) { intero(v, 2); }
    void scrivi(std::int16_t v) { intero(static_cast<std::uint16_t>(v), 2); }
    void scrivi(std::int32_t v) { intero(static_cast<std::uint32_t>(v), 4); }
    void scrivi(double v) { intero(std::bit_cast<std::uint64_t>(v), 8); }
    void scrivi(const std::string& t) {
        scrivi(static_cast<std::uint16_t>(t.size()));
        for (char c : t) scrivi(static_cast<std::uint8_t>(c));
    }

    // Each value with the tag in front, testing for the block's end once per
    // block rather than once per value: a run of plan elements, the bulk of
    // the largest file.
    void scrivi(std::uint16_t etichetta, std::span<const double> valori) {
        constexpr std::size_t coppia = sizeof etichetta + sizeof(double);
        while (!valori.empty()) {
            // The last pair may start just before the block's end.
            const std::size_t n = std::min(valori.size(), (limite_ - 1 - pieno_) / coppia + 1);
            char* d = blocco_.data() + pieno_;
            for (std::size_t i = 0; i < n; ++i, d += coppia) {
                metti(d, etichetta, sizeof etichetta);
                metti(d + sizeof etichetta, std::bit_cast<std::uint64_t>(valori[i]), sizeof(double));
            }
            pieno_ += n * coppia;
            if (pieno_ >= limite_) al_limite();
            valori = valori.subspan(n);
        }
    }

    // Hands on the bytes not yet passed on.
    void svuota() {
        if (pieno_ > 0) uscita_(std::string_view(blocco_.data(), pieno_));
        pieno_ = 0;
    }

private:
    // What runs past the block's end (at most oltre_blocco bytes) starts the
    // next block once the block has gone on whole.
    static constexpr std::size_t oltre_blocco = 16;
    // The block starts small and grows up to blocco_byte, so that a small
    // file costs no 64 KiB buffer.
    static constexpr std::size_t primo_limite = 256;

    void intero(std::uint64_t v, std::size_t byte) {
        metti(blocco_.data() + pieno_, v, byte);
        pieno_ += byte;
        if (pieno_ >= limite_) al_limite();
    }

    static void metti(char* d, std::uint64_t v, std::size_t byte) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(d, &v, byte);
        } else {
            for (std::size_t i = 0; i < byte; ++i) d[i] = static_cast<char>((v >> (8 * i)) & 0xFFu);
        }
    }

    void al_limite() {
        if (limite_ < blocco_byte) {
            limite_ = std::min(2 * limite_, blocco_byte);
            blocco_.resize(limite_ + oltre_blocco);
            return;
        }
        passa_blocco();
    }

    void passa_blocco() {
        uscita_(std::string_view(blocco_.data(), blocco_byte));
        std::memmove(blocco_.data(), blocco_.data() + blocco_byte, pieno_ - blocco_byte);
        pieno_ -= blocco_byte;
    }

    const scrittore_blocchi& uscita_;
    std::vector<char> blocco_;
    std::size_t pieno_ = 0;
    std::size_t limite_ = primo_limite;
};
