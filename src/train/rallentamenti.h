#pragma once

#include "reader/riga.h"

// A speed restriction: start and end cells, and beyond 1500 m a warning cell
// 1200 m before the start with, on request, four numbered cells before it.
// Codes 17 to 20 when a cell is taken.
esito_riga memo_rallentamento(scenario& s, registro_problemi& log, std::int32_t x, std::int32_t v, std::int32_t l, std::int32_t f_tt,
                              std::int32_t f_ta, std::int32_t d_v);

// A code abatement point in the cell that holds the position: object 12 with
// its value, or 13 for a value below 1. Code 7 when the cell is taken.
esito_riga memo_abbattimento(scenario& s, registro_problemi& log, std::int32_t posizione, std::int32_t valore);
