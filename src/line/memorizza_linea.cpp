#include "line/memorizza_linea.h"

#include "line/cartelli.h"
#include "line/ciclo_righe.h"
#include "line/lettore_campi.h"
#include "line/montagne.h"
#include "line/pendenze.h"
#include "line/planimetria.h"
#include "line/sezione_generale.h"
#include "model/conversioni.h"

namespace {

constexpr int margine_riga = 100;

esito_riga riga_pendenza(scenario& s, stato_linea& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::int32_t pendenza = lettore.leggi_numero();
    if (oltre_le_celle(s, posizione, margine_riga)) return rifiuta_fuori_celle(s, posizione);
    return memo_pendenza(s, stato, posizione, pendenza);
}

esito_riga riga_curva(scenario& s, stato_linea& stato, lettore_campi& lettore, const std::string& chiave) {
    std::int32_t inizio = lettore.leggi_numero();
    std::int32_t lunghezza = lettore.leggi_numero();
    if (oltre_le_celle(s, inizio, margine_riga)) return rifiuta_fuori_celle(s, inizio);
    return memo_curva(s, stato, chiave, inizio, lunghezza);
}

esito_riga riga_montagna(scenario& s, stato_linea& stato, lettore_campi& lettore) {
    std::int32_t inizio = lettore.leggi_numero();
    std::int32_t fine = lettore.leggi_numero();
    std::int32_t tipo = lettore.leggi_numero();
    if (oltre_le_celle(s, inizio, margine_riga)) return rifiuta_fuori_celle(s, inizio);
    return memo_montagna(s, stato, inizio, fine, tipo);
}

esito_riga riga_indicatori(scenario& s, lettore_campi& lettore) {
    auto valori = lettore.leggi_numeri<9>();
    if (oltre_le_celle(s, valori[0], margine_riga)) return rifiuta_fuori_celle(s, valori[0]);
    return memo_indicatori_v_max(s, valori[0], valori[1], valori[2], valori[3], valori[4], valori[5], valori[6],
                                 valori[7], valori[8]);
}

esito_riga riga_indicazione(scenario& s, stato_linea& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    s.riga_letta = lettore.leggi_testo();
    if (oltre_le_celle(s, posizione, margine_riga)) return rifiuta_fuori_celle(s, posizione);
    return memo_indicazione(s, stato, posizione, s.riga_letta);
}

// The five body tests, each independent and blind to letter case.
esito_riga prova_chiavi_corpo(scenario& s, stato_linea& stato, lettore_campi& lettore, const std::string& riga) {
    const std::string chiave = riga;
    auto ha = [&](std::string_view parola) { return contiene_senza_maiuscole(chiave, parola); };
    prove_chiavi prove;
    prove.prova(ha("pendenza"), [&] { return riga_pendenza(s, stato, lettore); });
    prove.prova(ha("curva") && s.j != 0, [&] { return riga_curva(s, stato, lettore, chiave); });
    prove.prova(ha("montagna"), [&] { return riga_montagna(s, stato, lettore); });
    prove.prova(ha("indicatori_v"), [&] { return riga_indicatori(s, lettore); });
    prove.prova(ha("indicat") && ha("cartello"), [&] { return riga_indicazione(s, stato, lettore); });
    return prove.esito();
}

esito_riga cerca_generale(scenario& s, lettore_campi& lettore) {
    do {
        s.riga_letta = lettore.leggi_testo();
        if (lettore.fine()) {
            registra_problema(s, 102);
            return esito_riga::ritorna;
        }
    } while (!contiene_senza_maiuscole(s.riga_letta, "[generale]"));
    return esito_riga::prosegui;
}

}  // namespace

esito_riga memorizza_linea(scenario& s, std::string_view dati, stato_linea& stato) {
    s.voci[voce_percorso].testo = s.nome_percorso;
    s.voci[voce_treno].testo = s.numero_treno;
    lettore_campi lettore(dati);

    if (cerca_generale(s, lettore) == esito_riga::ritorna) return esito_riga::ritorna;
    if (leggi_sezione_generale(s, lettore) == esito_riga::ritorna) return esito_riga::ritorna;
    if (!s.celle_create()) throw errore_esecuzione("the general section gives no route length (\"lunghezza percorso\")");
    progressive_ordina(s);

    stato = stato_linea{};
    avvia_planimetria(s, stato);
    return leggi_righe(s, lettore, file_sorgente::linea,
                       [&](const std::string& riga) { return prova_chiavi_corpo(s, stato, lettore, riga); });
}

void completa_linea(scenario& s, stato_linea& stato) {
    completa_pendenze(s, stato);
    completa_planimetria(s, stato);
}
