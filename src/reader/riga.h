#pragma once

#include <cstdint>
#include <optional>

#include "model/modello.h"
#include "model/problemi.h"

// What a row handler leaves for the reading loop.
enum class esito_riga {
    prosegui,      // read the next row
    fine_lettura,  // stop reading; the half still finishes (code 15)
    ritorna,       // the compile returns at once
};

// The margin of the range check of a positioned row; a station row has its own.
inline constexpr int margine_riga = 100;

// The range check of every positioned row: (position + margin) / 50, in
// double, must not exceed the last cell.
inline bool oltre_le_celle(const scenario& s, std::int64_t posizione, int margine = margine_riga) {
    return (static_cast<double>(posizione) + margine) / 50.0 > s.numero_celle;
}

// Records a code for the row in hand and ends the compile.
inline esito_riga ferma(registro_problemi& log, codice_problema codice,
                        std::optional<std::int32_t> posizione = std::nullopt) {
    log.registra(codice, posizione);
    return esito_riga::ritorna;
}

// Refuses the row in hand because it lies outside the cells: code 15 with its
// first value, and reading stops while the half still finishes.
inline esito_riga rifiuta_fuori_celle(registro_problemi& log, std::int32_t posizione) {
    log.registra(problema_fuori_celle, posizione);
    return esito_riga::fine_lettura;
}
