#pragma once

#include "reader/riga.h"
#include "line/stato_linea.h"

// Marks one mountain stretch; a type above 10 also puts the filler 11 in
// every fourth free cell, and a stretch close after the previous one is 3.
esito_riga memo_montagna(scenario& s, registro_problemi& log, stato_linea& stato, std::int32_t inizio, std::int32_t fine, std::int32_t tipo);
