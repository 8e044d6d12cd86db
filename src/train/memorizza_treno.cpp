#include "train/memorizza_treno.h"

#include "line/ciclo_righe.h"
#include "model/arrotondamento.h"
#include "model/conversioni.h"
#include "train/rallentamenti.h"
#include "train/segnali.h"
#include "train/stazioni.h"

namespace {

constexpr int margine_riga = 100;

void scrivi_velocita(cella& c, std::int64_t velocita) {
    auto quinto = static_cast<std::int64_t>(arrotonda(static_cast<double>(velocita) / 5.0));
    c.velocita = converti_byte(quinto, "a speed limit / 5");
}

void scrivi_aderenza(cella& c, std::int64_t aderenza) { c.aderenza = basso_byte(aderenza); }

esito_riga riga_velocita(scenario& s, stato_treno& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::int32_t velocita = lettore.leggi_numero();
    if (oltre_le_celle(s, posizione, margine_riga)) return rifiuta_fuori_celle(s, posizione);
    std::int64_t t = indice_cella(posizione, 0.0);
    // The speed fill has its own stop before the last cell.
    riempimento& r = stato.velocita;
    if (t > 0) {
        do {
            if (r.posizione >= s.numero_celle) break;
            scrivi_velocita(s.cella_a(r.posizione++), r.in_vigore);
        } while (r.posizione < t);
    }
    r.in_vigore = velocita;
    return esito_riga::prosegui;
}

esito_riga riga_aderenza(scenario& s, stato_treno& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::int32_t aderenza = lettore.leggi_numero();
    if (oltre_le_celle(s, posizione, margine_riga)) return rifiuta_fuori_celle(s, posizione);
    std::int64_t t = indice_cella(posizione, 0.0);
    if (t > 0 && !riempi_fino_a(s, stato.aderenza, t, scrivi_aderenza)) return rifiuta_fuori_celle(s, posizione);
    stato.aderenza.in_vigore = aderenza;
    return esito_riga::prosegui;
}

esito_riga riga_segnale(scenario& s, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<11>();
    if (oltre_le_celle(s, v[0], margine_riga)) return rifiuta_fuori_celle(s, v[0]);
    return memo_segnale(s, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
}

esito_riga riga_rallentamento(scenario& s, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<6>();
    if (oltre_le_celle(s, v[0], margine_riga)) return rifiuta_fuori_celle(s, v[0]);
    return memo_rallentamento(s, v[0], v[1], v[2], v[3], v[4], v[5]);
}

esito_riga riga_abbattimento(scenario& s, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<2>();
    if (oltre_le_celle(s, v[0], margine_riga)) return rifiuta_fuori_celle(s, v[0]);
    return memo_abbattimento(s, v[0], v[1]);
}

// The ten key tests in order, each on the same field.
esito_riga prova_chiavi_treno(scenario& s, stato_treno& stato, stato_stazioni& stazioni, lettore_campi& lettore,
                              const std::string& riga) {
    const std::string chiave = riga;
    auto ha = [&](std::string_view parola) { return contiene_senza_maiuscole(chiave, parola); };
    prove_chiavi prove;
    voce& treno_dati = s.voci[voce_treno_dati];
    voce& treno = s.voci[voce_treno];
    prove.prova(ha("frenata") && ha("massa"), [&] {
        treno_dati.inizio_tratto = lettore.leggi_numero();
        return esito_riga::prosegui;
    });
    prove.prova(ha("vetture"), [&] {
        treno_dati.punto = lettore.leggi_numero();
        return esito_riga::prosegui;
    });
    prove.prova(ha("velocit"), [&] { return riga_velocita(s, stato, lettore); });
    prove.prova(ha("aderenza"), [&] { return riga_aderenza(s, stato, lettore); });
    prove.prova(ha("orologio"), [&] {
        treno.valore3 = converti_intero(lettore.leggi_numero(), "the clock's hour");
        treno.valore4 = converti_intero(lettore.leggi_numero(), "the clock's minute");
        treno.valore5 = converti_intero(lettore.leggi_numero(), "the clock's second");
        return esito_riga::prosegui;
    });
    prove.prova(ha("sabbia"), [&] {
        treno.valore1 = converti_intero(lettore.leggi_numero(), "the sand value");
        return esito_riga::prosegui;
    });
    prove.prova(ha("segnale"), [&] { return riga_segnale(s, lettore); });
    prove.prova(ha("rallentamento"), [&] { return riga_rallentamento(s, lettore); });
    prove.prova(ha("abbattimento"), [&] { return riga_abbattimento(s, lettore); });
    prove.prova(ha("stazione"), [&] { return memo_stazione(s, stazioni, lettore); });
    return prove.esito();
}

bool cerca_generale(scenario& s, lettore_campi& lettore) {
    while (!lettore.fine()) {
        s.riga_letta = lettore.leggi_testo();
        if (contiene_senza_maiuscole(s.riga_letta, "[generale]")) return true;
    }
    return false;
}

}  // namespace

esito_riga memorizza_treno(scenario& s, std::string_view dati, std::int32_t voce_testo, stato_treno& stato) {
    lettore_campi lettore(dati);
    stato = stato_treno{};
    stato_stazioni stazioni{1, voce_testo};
    if (!cerca_generale(s, lettore)) return esito_riga::prosegui;
    return leggi_righe(s, lettore, file_sorgente::treno, [&](const std::string& riga) {
        return prova_chiavi_treno(s, stato, stazioni, lettore, riga);
    });
}

void completa_treno(scenario& s, stato_treno& stato) {
    completa_riempimento(s, stato.velocita, scrivi_velocita);
    completa_riempimento(s, stato.aderenza, scrivi_aderenza);

    for (int slot : {voce_progressiva_tre, voce_progressiva_due, voce_progressiva_uno}) {
        const voce& v = s.voci[static_cast<std::size_t>(slot)];
        if (v.inizio_tratto % 50 != 0 || v.fine_tratto % 50 != 0) {
            registra_problema(s, 2);
            return;
        }
    }
}
