#include "reader/ciclo_righe.h"

bool salta_riempitivi(std::string& riga_letta, lettore_campi& lettore) {
    for (int n = 0; n < 2 && contiene(riga_letta, "-"); ++n) {
        riga_letta.assign(lettore.leggi_vista());
        lettore.segna_ultimo(ruolo_campo::scartato);
        if (lettore.fine()) return false;
    }
    return true;
}
