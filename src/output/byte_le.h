#pragma once

#include <bit>
#include <cstdint>
#include <string>

// Appends numbers to a byte string in little-endian order, one byte at a
// time, whatever the machine's own order. scrivi takes each field width of
// the model; a text goes with its 16-bit length in front.
class byte_le {
public:
    void scrivi(std::uint8_t v) { dati_.push_back(static_cast<char>(v)); }
    void scrivi(std::uint16_t v) { intero(v, 2); }
    void scrivi(std::int16_t v) { intero(static_cast<std::uint16_t>(v), 2); }
    void scrivi(std::int32_t v) { intero(static_cast<std::uint32_t>(v), 4); }
    void scrivi(double v) { intero(std::bit_cast<std::uint64_t>(v), 8); }
    void scrivi(const std::string& t) {
        scrivi(static_cast<std::uint16_t>(t.size()));
        dati_ += t;
    }

    std::string& dati() { return dati_; }

private:
    void intero(std::uint64_t v, int byte) {
        for (int i = 0; i < byte; ++i) dati_.push_back(static_cast<char>((v >> (8 * i)) & 0xFFu));
    }

    std::string dati_;
};
