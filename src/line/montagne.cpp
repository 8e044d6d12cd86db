#include "line/montagne.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

constexpr int massimo_montagne = 80;
constexpr std::int64_t distanza_galleria = 150;

}  // namespace

esito_riga memo_montagna(scenario& s, registro_problemi& log, stato_linea& stato, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
    bool marcata = tipo > 10;
    if (marcata) tipo -= 10;

    std::int64_t prima = indice_cella(inizio, 0.0);
    std::int64_t ultima = indice_cella(fine, -1.0);
    if (prima <= ultima && (!s.nelle_celle(prima) || !s.nelle_celle(ultima))) return rifiuta_fuori_celle(log, inizio);

    int n = ++stato.numero_montagne;
    if (n > massimo_montagne) throw errore_esecuzione("more than 80 mountain rows");
    stato.montagne_inizio[n] = inizio;
    stato.montagne_fine[n] = fine;
    if (n > 1 && std::int64_t{inizio} - stato.montagne_fine[n - 1] <= distanza_galleria) tipo = 3;

    std::int64_t conta = 0;
    for (std::int64_t i = prima; i <= ultima; ++i) {
        cella& c = s.cella_a(i);
        c.montagna = basso_byte(tipo);
        if (marcata && ++conta % 4 == 0 && c.oggetto == oggetto_libero) c.oggetto = oggetto_marca_montagna;
    }
    return esito_riga::prosegui;
}
