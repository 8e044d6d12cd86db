#include "line/pendenze.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

// The byte holds gradient + 100 and keeps its low eight bits.
void scrivi_pendenza(cella& c, std::int64_t pendenza) { c.pendenza = basso_byte(pendenza + 100); }

}  // namespace

esito_riga memo_pendenza(scenario& s, registro_problemi& log, stato_linea& stato, std::int32_t posizione, std::int32_t pendenza) {
    std::int64_t n = indice_cella(posizione, 0.0);
    if (n > 0 && !riempi_fino_a(s, stato.pendenza, n, scrivi_pendenza)) return rifiuta_fuori_celle(log, posizione);
    stato.pendenza.in_vigore = pendenza;
    return esito_riga::prosegui;
}

void completa_pendenze(scenario& s, stato_linea& stato) { completa_riempimento(s, stato.pendenza, scrivi_pendenza); }
