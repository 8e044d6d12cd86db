#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
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

    explicit byte_le(const scrittore_blocchi& uscita) : uscita_(uscita), blocco_(blocco_byte + sizeof(std::uint64_t)) {}
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

    // Hands on the bytes not yet passed on.
    void svuota() {
        if (pieno_ > 0) uscita_(std::string_view(blocco_.data(), pieno_));
        pieno_ = 0;
    }

private:
    // A number may run past the block's end: the block goes on whole and
    // what ran past it starts the next one.
    void intero(std::uint64_t v, std::size_t byte) {
        char* d = blocco_.data() + pieno_;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(d, &v, byte);
        } else {
            for (std::size_t i = 0; i < byte; ++i) d[i] = static_cast<char>((v >> (8 * i)) & 0xFFu);
        }
        pieno_ += byte;
        if (pieno_ >= blocco_byte) passa_blocco();
    }

    void passa_blocco() {
        uscita_(std::string_view(blocco_.data(), blocco_byte));
        std::memmove(blocco_.data(), blocco_.data() + blocco_byte, pieno_ - blocco_byte);
        pieno_ -= blocco_byte;
    }

    const scrittore_blocchi& uscita_;
    std::vector<char> blocco_;
    std::size_t pieno_ = 0;
};
