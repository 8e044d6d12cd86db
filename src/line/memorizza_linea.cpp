#include "line/memorizza_linea.h"

#include "line/cartelli.h"
#include "line/montagne.h"
#include "line/pendenze.h"
#include "line/planimetria.h"
#include "line/sezione_generale.h"
#include "model/conversioni.h"
#include "reader/ciclo_righe.h"
#include "reader/lettore_campi.h"

namespace {

//   pendenza, posizione, pendenza
esito_riga riga_pendenza(scenario& s, registro_problemi& log, stato_linea& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::int32_t pendenza = lettore.leggi_numero();
    if (oltre_le_celle(s, posizione)) return rifiuta_fuori_celle(log, posizione);
    return memo_pendenza(s, log, stato, posizione, pendenza);
}

//   curva{d|s}{1..6}, inizio, lunghezza
esito_riga riga_curva(scenario& s, registro_problemi& log, stato_linea& stato, lettore_campi& lettore,
                      const std::string& chiave) {
    std::int32_t inizio = lettore.leggi_numero();
    std::int32_t lunghezza = lettore.leggi_numero();
    if (oltre_le_celle(s, inizio)) return rifiuta_fuori_celle(log, inizio);
    return memo_curva(s, log, stato, chiave, inizio, lunghezza);
}

//   montagna, inizio, fine, tipo
esito_riga riga_montagna(scenario& s, registro_problemi& log, stato_linea& stato, lettore_campi& lettore) {
    std::int32_t inizio = lettore.leggi_numero();
    std::int32_t fine = lettore.leggi_numero();
    std::int32_t tipo = lettore.leggi_numero();
    if (oltre_le_celle(s, inizio)) return rifiuta_fuori_celle(log, inizio);
    return memo_montagna(s, log, stato, inizio, fine, tipo);
}

//   indicatori_vmax, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
esito_riga riga_indicatori(scenario& s, registro_problemi& log, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<9>();
    if (oltre_le_celle(s, v[0])) return rifiuta_fuori_celle(log, v[0]);
    return memo_indicatori_v_max(s, log, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
}

//   cartello_indicatore, posizione, testo
esito_riga riga_indicazione(scenario& s, registro_problemi& log, stato_linea& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::string testo = lettore.leggi_testo();
    if (oltre_le_celle(s, posizione)) return rifiuta_fuori_celle(log, posizione);
    return memo_indicazione(s, log, stato, posizione, testo);
}

// The five body tests, each independent and blind to letter case.
esito_riga prova_chiavi_corpo(scenario& s, registro_problemi& log, stato_linea& stato, lettore_campi& lettore,
                              const std::string& chiave) {
    const chiave_senza_maiuscole piegata(chiave);
    auto ha = [&](std::string_view parola) { return piegata.contiene(parola); };
    prove_chiavi prove;
    prove.prova(ha("pendenza"), [&] { return riga_pendenza(s, log, stato, lettore); });
    prove.prova(ha("curva") && s.j != 0, [&] { return riga_curva(s, log, stato, lettore, chiave); });
    prove.prova(ha("montagna"), [&] { return riga_montagna(s, log, stato, lettore); });
    prove.prova(ha("indicatori_v"), [&] { return riga_indicatori(s, log, lettore); });
    prove.prova(ha("indicat") && ha("cartello"), [&] { return riga_indicazione(s, log, stato, lettore); });
    return prove.esito();
}

// Whatever stands before "[generale]" is passed over.
esito_riga cerca_generale(registro_problemi& log, lettore_campi& lettore) {
    std::string riga_letta;
    do {
        riga_letta = lettore.leggi_testo();
        if (lettore.fine()) return ferma(log, problema_manca_generale);
    } while (!contiene_senza_maiuscole(riga_letta, "[generale]"));
    return esito_riga::prosegui;
}

}  // namespace

esito_riga memorizza_linea(scenario& s, registro_problemi& log, std::string_view dati, stato_linea& stato) {
    s.voci[voce_percorso].testo = s.nome_percorso;
    s.voci[voce_treno].testo = s.numero_treno;
    lettore_campi lettore(dati);
    if (log.righe) lettore.traccia_in(*log.righe, file_sorgente::linea);

    if (cerca_generale(log, lettore) == esito_riga::ritorna) return esito_riga::ritorna;
    if (leggi_sezione_generale(s, log, lettore) == esito_riga::ritorna) return esito_riga::ritorna;
    if (!s.celle_create()) throw errore_esecuzione("the general section gives no route length (\"lunghezza percorso\")");
    progressive_ordina(s);

    stato = stato_linea{};
    avvia_planimetria(s, stato);
    return leggi_righe(log, lettore, file_sorgente::linea,
                       [&](const std::string& chiave) { return prova_chiavi_corpo(s, log, stato, lettore, chiave); });
}

void completa_linea(scenario& s, stato_linea& stato) {
    completa_pendenze(s, stato);
    completa_planimetria(s, stato);
}
