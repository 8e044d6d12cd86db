#pragma once

#include <string>

#include "reader/riga.h"
#include "line/stato_linea.h"

// The track starts at the origin heading along the second coordinate.
void avvia_planimetria(scenario& s, stato_linea& stato);

// The rows only take the plan's steps down (checking each run's metres);
// fai_passi_planimetria makes them, on a thread of their own if need be,
// since nothing else the compile does reads the plan.

// A curve row: straight up to its start, then curved metre by metre.
esito_riga memo_curva(scenario& s, registro_problemi& log, stato_linea& stato, const std::string& chiave, std::int32_t inizio,
                      std::int32_t lunghezza);

// Straight from the last curve to metre lunghezza_estesa - 2.
void completa_planimetria(scenario& s, stato_linea& stato);

// Makes the steps taken down so far, in order, and forgets them.
void fai_passi_planimetria(scenario& s, stato_linea& stato);
// The metres of steps taken down so far.
std::int64_t metri_da_fare(const stato_linea& stato);
