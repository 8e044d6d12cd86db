#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A run-time failure of the compile: text in a number field, a read past the
// end of the data, a value that does not fit its field, a file that cannot be
// read. The compiler's failure handler turns it into code 25.
class errore_esecuzione : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Checked conversions into the model's field widths.
std::uint8_t converti_byte(std::int64_t valore, const char* campo);
std::int16_t converti_intero(std::int64_t valore, const char* campo);
std::int32_t converti_lungo(std::int64_t valore, const char* campo);

// A text of voci is counted in 16 bits in the record file.
void controlla_testo(std::string_view testo, const char* campo);

// Packed values keep their low bits, without a test.
inline std::uint8_t basso_byte(std::int64_t valore) { return static_cast<std::uint8_t>(static_cast<std::uint64_t>(valore) & 0xFFu); }
inline std::int16_t basso_intero(std::int64_t valore) {
    auto bits = static_cast<std::uint16_t>(static_cast<std::uint64_t>(valore) & 0xFFFFu);
    return static_cast<std::int16_t>(bits);
}
