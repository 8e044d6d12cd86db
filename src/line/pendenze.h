#pragma once

#include "reader/riga.h"
#include "line/stato_linea.h"

// A gradient row: fills the cells up to its own with the gradient in force,
// then its gradient takes over.
esito_riga memo_pendenza(scenario& s, registro_problemi& log, stato_linea& stato, std::int32_t posizione, std::int32_t pendenza);

// The last gradient runs on to cell numero_celle - 3.
void completa_pendenze(scenario& s, stato_linea& stato);
