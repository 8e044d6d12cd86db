#pragma once

#include "reader/riga.h"

// One signal: object 1 with four packed values in its cell, and four
// code-repetition marks 100, 200, 300 and 400 m before it. Code 16 when the
// cell is taken.
esito_riga memo_segnale(scenario& s, registro_problemi& log, std::int32_t posizione, std::int32_t sx, std::int32_t s1, std::int32_t s2,
                        std::int32_t s3, std::int32_t rapp, std::int32_t dx, std::int32_t d1, std::int32_t d2,
                        std::int32_t d3, std::int32_t tempo);
