#include "line/pendenze.h"

#include <algorithm>

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

void scrivi_pendenza(scenario& s, stato_linea& stato) {
    s.cella_a(stato.posizione_pendenza).pendenza = basso_byte(stato.pendenza_in_vigore + 100);
    ++stato.posizione_pendenza;
}

}  // namespace

esito_riga memo_pendenza(scenario& s, stato_linea& stato, std::int32_t posizione, std::int32_t pendenza) {
    std::int64_t n = indice_cella(posizione, 0.0);
    if (n > 0) {
        // The fill writes at least once, so rows out of order push it on.
        if (std::max(stato.posizione_pendenza, n - 1) > s.numero_celle) return rifiuta_fuori_celle(s, posizione);
        do scrivi_pendenza(s, stato);
        while (stato.posizione_pendenza < n);
    }
    stato.pendenza_in_vigore = pendenza;
    return esito_riga::prosegui;
}

void completa_pendenze(scenario& s, stato_linea& stato) {
    do {
        if (stato.posizione_pendenza > s.numero_celle) return;
        scrivi_pendenza(s, stato);
    } while (stato.posizione_pendenza < s.numero_celle - 2);
}
