#pragma once

#include "reader/lettore_campi.h"
#include "reader/riga.h"

// Reads the general section that follows "[generale]": route length (which
// makes the cells and the plan), kilometric progressives, backgrounds and
// signal repetition. Ends after the next section header.
esito_riga leggi_sezione_generale(scenario& s, registro_problemi& log, lettore_campi& lettore);

// Orders the three kilometric progressives in voci 81 to 83 by start,
// largest first.
void progressive_ordina(scenario& s);
