#include "train/rallentamenti.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

constexpr std::int32_t inizio_avvisi = 1500;
constexpr std::int32_t distanza_avviso = 1200;

void poni_oggetto(cella& c, std::uint8_t oggetto, std::int32_t d_v) {
    c.oggetto = oggetto;
    if (d_v != 0) c.dato2 = basso_intero(d_v);
}

}  // namespace

esito_riga memo_rallentamento(scenario& s, registro_problemi& log, std::int32_t x, std::int32_t v, std::int32_t l, std::int32_t f_tt,
                              std::int32_t f_ta, std::int32_t d_v) {
    const bool con_avviso = x > inizio_avvisi;
    const std::int64_t avviso = indice_cella(std::int64_t{x} - distanza_avviso, 1.0);
    const std::int64_t inizio = indice_cella(x, 1.0);
    const std::int64_t fine = indice_cella(std::int64_t{x} + l, 1.0);
    const std::int64_t base = indice_cella(std::int64_t{x} - distanza_avviso, 0.0);

    if (con_avviso) {
        if (!cella_libera(s.cella_a(avviso))) return ferma(log, problema_avviso_occupato, x);
    } else {
        f_ta = 0;
    }
    if (!s.nelle_celle(inizio)) return rifiuta_fuori_celle(log, x);
    if (!cella_libera(s.cella_a(inizio))) return ferma(log, problema_inizio_occupato, x);
    if (!s.nelle_celle(fine)) return rifiuta_fuori_celle(log, x);
    if (!cella_libera(s.cella_a(fine))) return ferma(log, problema_fine_occupata, x);

    poni_oggetto(s.cella_a(fine), oggetto_fine_rallentamento, d_v);
    poni_oggetto(s.cella_a(inizio), oggetto_inizio_rallentamento, d_v);
    for (std::int64_t k : {fine, inizio}) log.segna_cella(k);
    if (con_avviso) {
        poni_oggetto(s.cella_a(avviso), oggetto_avviso_rallentamento, d_v);
        log.segna_cella(avviso);
        s.cella_a(avviso).dato1 = basso_intero(v);
    }
    s.cella_a(inizio).dato1 = basso_intero(v);
    s.cella_a(fine).dato1 = basso_intero(v);
    s.cella_a(inizio).dato3 = basso_intero(f_tt);
    s.cella_a(fine).dato3 = basso_intero(f_tt);
    if (f_ta == 0) return esito_riga::prosegui;

    for (int i = 0; i <= 3; ++i)
        if (!cella_libera(s.cella_a(base - i))) return ferma(log, problema_prima_avviso_occupata, x);
    for (int i = 0; i <= 3; ++i) {
        cella& c = s.cella_a(base - i);
        c.oggetto = oggetto_prima_avviso;
        log.segna_cella(base - i);
        c.dato1 = static_cast<std::int16_t>(i + 1);
        if (d_v != 0) c.dato2 = static_cast<std::int16_t>(i + 1);
    }
    return esito_riga::prosegui;
}

esito_riga memo_abbattimento(scenario& s, registro_problemi& log, std::int32_t posizione, std::int32_t valore) {
    std::int64_t a = indice_cella(posizione, 0.0);
    if (!s.nelle_celle(a)) return rifiuta_fuori_celle(log, posizione);
    cella& c = s.cella_a(a);
    if (!cella_libera(c)) return ferma(log, problema_abbattimento_occupato, posizione);
    log.segna_cella(a);
    if (valore >= 1) {
        c.oggetto = oggetto_punto_abbattimento;
        c.dato1 = basso_intero(valore);
    } else {
        c.oggetto = oggetto_abbattimento_senza_valore;
    }
    return esito_riga::prosegui;
}
