#include "train/segnali.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"

esito_riga memo_segnale(scenario& s, registro_problemi& log, std::int32_t posizione, std::int32_t sx, std::int32_t s1, std::int32_t s2,
                        std::int32_t s3, std::int32_t rapp, std::int32_t dx, std::int32_t d1, std::int32_t d2,
                        std::int32_t d3, std::int32_t tempo) {
    std::int64_t t = indice_cella(posizione, 1.0);
    if (!s.nelle_celle(t)) return rifiuta_fuori_celle(log, posizione);
    if (!cella_libera(s.cella_a(t))) return ferma(log, problema_segnale_occupato, posizione);

    std::int64_t codice = std::int64_t{sx} * 3 + dx;
    cella& c = s.cella_a(t);
    c.oggetto = oggetto_segnale;
    log.segna_cella(t);
    c.dato4 = basso_intero(std::int64_t{rapp} * 10 + codice);
    c.dato1 = basso_intero(std::int64_t{s1} * 10 + d1);
    c.dato2 = basso_intero(std::int64_t{s2} * 10 + d2);
    c.dato3 = basso_intero(std::int64_t{s3} * 10 + d3);
    if (tempo >= 1 && tempo <= 100) tempo = 101;
    c.tempo_segnale = sx == 2 ? basso_byte(tempo) : 0;

    // Marks that would fall before the route's first cell are left out.
    for (int b = 1; b <= 4; ++b) {
        std::int64_t marca = t - 2 * b;
        if (marca >= 0) s.cella_a(marca).ripetizione = basso_byte(codice * 10 + b);
    }
    return esito_riga::prosegui;
}
