#pragma once

#include <string>

#include "reader/riga.h"
#include "line/stato_linea.h"

// The track starts at the origin heading along the second coordinate.
void avvia_planimetria(scenario& s, stato_linea& stato);

// A curve row: straight up to its start, then curved metre by metre.
esito_riga memo_curva(scenario& s, registro_problemi& log, stato_linea& stato, const std::string& chiave, std::int32_t inizio,
                      std::int32_t lunghezza);

// Straight from the last curve to metre lunghezza_estesa - 2.
void completa_planimetria(scenario& s, stato_linea& stato);
