#include "line/cartelli.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

// A board stands in the cell after the one that begins at its position.
std::int64_t cella_cartello(std::int32_t posizione) { return indice_cella(posizione, 1.0); }

std::int16_t velocita_codificata(std::int32_t destra, std::int32_t sinistra, const char* campo) {
    double valore = static_cast<double>(destra) / 5.0 + 20.0 * static_cast<double>(sinistra);
    return converti_intero(static_cast<std::int64_t>(arrotonda(valore)), campo);
}

}  // namespace

esito_riga memo_indicatori_v_max(scenario& s, registro_problemi& log, std::int32_t posizione, std::int32_t vas, std::int32_t vbs,
                                 std::int32_t vcs, std::int32_t strisces, std::int32_t vad, std::int32_t vbd,
                                 std::int32_t vcd, std::int32_t strisced) {
    std::int64_t i = cella_cartello(posizione);
    if (!s.nelle_celle(i)) return rifiuta_fuori_celle(log, posizione);
    if (!cella_libera(s.cella_a(i))) return ferma(log, problema_indicatore_occupato, posizione);

    std::int16_t dato1 = velocita_codificata(vad, vas, "the board's first speed");
    std::int16_t dato2 = velocita_codificata(vbd, vbs, "the board's second speed");
    std::int16_t dato3 = velocita_codificata(vcd, vcs, "the board's third speed");
    std::int16_t dato4 = converti_intero(10 * std::int64_t{strisces} + strisced, "the board's stripes");
    cella& c = s.cella_a(i);
    c.oggetto = oggetto_indicatore_v_max;
    log.segna_cella(i);
    c.dato1 = dato1;
    c.dato2 = dato2;
    c.dato3 = dato3;
    c.dato4 = dato4;
    return esito_riga::prosegui;
}

esito_riga memo_indicazione(scenario& s, registro_problemi& log, stato_linea& stato, std::int32_t posizione, const std::string& testo) {
    std::int64_t i = cella_cartello(posizione);
    if (!s.nelle_celle(i)) return rifiuta_fuori_celle(log, posizione);
    if (!cella_libera(s.cella_a(i))) return ferma(log, problema_indicazione_occupata, posizione);
    if (stato.voce_testo < 1) throw errore_esecuzione("more than 80 indication texts");
    controlla_testo(testo, "an indication text");

    cella& c = s.cella_a(i);
    c.oggetto = oggetto_cartello_indicazione;
    log.segna_cella(i);
    c.dato1 = static_cast<std::int16_t>(stato.voce_testo);
    s.voci[static_cast<std::size_t>(stato.voce_testo)].testo = testo;
    --stato.voce_testo;
    return esito_riga::prosegui;
}
