#pragma once

#include <string_view>

#include "reader/riga.h"
#include "line/stato_linea.h"

// The line half of the compile over the bytes of the line source file:
// finds "[generale]", reads the general section, orders the progressives and
// hands every body row to its handler. esito_riga::ritorna means the compile
// ends here; otherwise completa_linea follows once the file is gone.
esito_riga memorizza_linea(scenario& s, registro_problemi& log, std::string_view dati, stato_linea& stato);

// The rest of the gradient profile and the straight end of the plan.
void completa_linea(scenario& s, stato_linea& stato);
