#pragma once

#include <string>

#include "reader/riga.h"
#include "line/stato_linea.h"

// A maximum-speed indicator board; code 21 when its cell is taken.
esito_riga memo_indicatori_v_max(scenario& s, registro_problemi& log, std::int32_t posizione, std::int32_t vas, std::int32_t vbs,
                                 std::int32_t vcs, std::int32_t strisces, std::int32_t vad, std::int32_t vbd,
                                 std::int32_t vcd, std::int32_t strisced);

// An indication board with its text, which takes the next text slot of voci
// from 80 downwards; code 6 when its cell is taken.
esito_riga memo_indicazione(scenario& s, registro_problemi& log, stato_linea& stato, std::int32_t posizione, const std::string& testo);
