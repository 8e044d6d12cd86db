#pragma once

#include "reader/lettore_campi.h"
#include "reader/riga.h"

// The station slot: 1 for the first station row, one more after each.
struct stato_stazioni {
    std::int32_t slot = 1;
    std::int32_t voce_testo = prima_voce_testo;  // the slots from here up hold indication texts
};

// Reads a station row's 17 fields and stores the station in voci(slot), with
// its stretch, stop cell and approach marks.
esito_riga memo_stazione(scenario& s, registro_problemi& log, stato_stazioni& stato, lettore_campi& lettore);
