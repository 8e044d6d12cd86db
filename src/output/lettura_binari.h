#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/modello.h"

// A scenario file that does not hold what its kind requires: where it goes
// wrong (byte offset from the start of the file) and why.
class errore_lettura : public std::runtime_error {
public:
    errore_lettura(std::size_t offset, const std::string& motivo)
        : std::runtime_error("at offset " + std::to_string(offset) + ": " + motivo), offset(offset), motivo(motivo) {}

    std::size_t offset;
    std::string motivo;
};

// The reverse of the encoders: the bytes of a scenario file back into the
// model. The files carry no counts, so the shape is checked against what
// each kind must be; anything else is an errore_lettura, whatever the bytes.
std::vector<cella> decodifica_celle(std::string_view byte);                 // ".dat": a multiple of 15 bytes
std::array<voce, numero_voci> decodifica_voci(std::string_view byte);      // ".sim": exactly 87 records
planimetria_percorso decodifica_planimetria(std::string_view byte);

// The most elements a plan holds: 2 x (lunghezza_estesa + 1) for the longest
// route, 1000000 m (lunghezza_estesa 1007000).
inline constexpr std::size_t elementi_planimetria_massimi = 2 * (1000000 + 7000 + 1);        // "_linea.dat": tags 0, 2, 5, an even count
