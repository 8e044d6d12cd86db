#include "model/conversioni.h"

namespace {

[[noreturn]] void fuori_campo(std::int64_t valore, const char* campo, const char* ampiezza) {
    throw errore_esecuzione("the value " + std::to_string(valore) + " does not fit " + campo + " (" + ampiezza + ")");
}

}  // namespace

std::uint8_t converti_byte(std::int64_t valore, const char* campo) {
    if (valore < 0 || valore > 255) fuori_campo(valore, campo, "0 to 255");
    return static_cast<std::uint8_t>(valore);
}

std::int16_t converti_intero(std::int64_t valore, const char* campo) {
    if (valore < INT16_MIN || valore > INT16_MAX) fuori_campo(valore, campo, "-32768 to 32767");
    return static_cast<std::int16_t>(valore);
}

std::int32_t converti_lungo(std::int64_t valore, const char* campo) {
    if (valore < INT32_MIN || valore > INT32_MAX) fuori_campo(valore, campo, "32-bit");
    return static_cast<std::int32_t>(valore);
}

void controlla_testo(std::string_view testo, const char* campo) {
    if (testo.size() > 65535) throw errore_esecuzione(std::string(campo) + " is longer than 65535 bytes");
}
