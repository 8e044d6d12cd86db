#include "line/ciclo_righe.h"

bool salta_riempitivi(scenario& s, lettore_campi& lettore) {
    for (int n = 0; n < 2 && contiene(s.riga_letta, "-"); ++n) {
        s.riga_letta = lettore.leggi_testo();
        if (lettore.fine()) return false;
    }
    return true;
}
