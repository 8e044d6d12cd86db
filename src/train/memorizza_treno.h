#pragma once

#include <string_view>

#include "reader/riempimento.h"
#include "reader/riga.h"

// The train half of the compile over the bytes of the train source file:
// header values, speed limits, adhesion, signals, restrictions, abatement
// points and stations. esito_riga::ritorna is the train-file abort; otherwise
// completa_treno follows once the file is gone.
struct stato_treno {
    riempimento velocita;  // km/h in force
    riempimento aderenza;
};

esito_riga memorizza_treno(scenario& s, registro_problemi& log, std::string_view dati, std::int32_t voce_testo,
                           stato_treno& stato);

// Speed and adhesion run on to cell numero_celle - 3, and the kilometric
// progressives must lie on the 50 m grid (code 2).
void completa_treno(scenario& s, registro_problemi& log, stato_treno& stato);
