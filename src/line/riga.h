#pragma once

#include <cstdint>

#include "model/modello.h"

// What a row handler leaves for the reading loop.
enum class esito_riga {
    prosegui,      // read the next row
    fine_lettura,  // stop reading; the half still finishes (code 15)
    ritorna,       // the compile returns at once
};

// The range check of every positioned row: (position + margin) / 50, in
// double, must not exceed the last cell.
inline bool oltre_le_celle(const scenario& s, std::int64_t posizione, int margine) {
    return (static_cast<double>(posizione) + margine) / 50.0 > s.numero_celle;
}

// Refuses the row in hand because it lies outside the cells: code 15 with its
// first value, and reading stops.
inline esito_riga rifiuta_fuori_celle(scenario& s, std::int32_t posizione) {
    registra_problema(s, 15, posizione);
    return esito_riga::fine_lettura;
}
