#include "train/memorizza_treno.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"
#include "reader/ciclo_righe.h"
#include "reader/parole_chiave.h"
#include "train/rallentamenti.h"
#include "train/segnali.h"
#include "train/stazioni.h"

namespace {

void scrivi_velocita(cella& c, std::int64_t velocita) {
    auto quinto = static_cast<std::int64_t>(arrotonda(static_cast<double>(velocita) / 5.0));
    c.velocita = converti_byte(quinto, "a speed limit / 5");
}

void scrivi_aderenza(cella& c, std::int64_t aderenza) { c.aderenza = basso_byte(aderenza); }

//   velocita, posizione, km/h
esito_riga riga_velocita(scenario& s, registro_problemi& log, stato_treno& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::int32_t velocita = lettore.leggi_numero();
    if (oltre_le_celle(s, posizione)) return rifiuta_fuori_celle(log, posizione);
    std::int64_t t = indice_cella(posizione, 0.0);
    if (t > 0) riempi_velocita_fino_a(s, stato.velocita, t, scrivi_velocita);
    stato.velocita.in_vigore = velocita;
    return esito_riga::prosegui;
}

//   aderenza, posizione, valore
esito_riga riga_aderenza(scenario& s, registro_problemi& log, stato_treno& stato, lettore_campi& lettore) {
    std::int32_t posizione = lettore.leggi_numero();
    std::int32_t aderenza = lettore.leggi_numero();
    if (oltre_le_celle(s, posizione)) return rifiuta_fuori_celle(log, posizione);
    std::int64_t t = indice_cella(posizione, 0.0);
    if (t > 0 && !riempi_fino_a(s, stato.aderenza, t, scrivi_aderenza)) return rifiuta_fuori_celle(log, posizione);
    stato.aderenza.in_vigore = aderenza;
    return esito_riga::prosegui;
}

//   segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
esito_riga riga_segnale(scenario& s, registro_problemi& log, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<11>();
    if (oltre_le_celle(s, v[0])) return rifiuta_fuori_celle(log, v[0]);
    return memo_segnale(s, log, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
}

//   rallentamento, x, v, l, f_tt, f_ta, d_v
esito_riga riga_rallentamento(scenario& s, registro_problemi& log, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<6>();
    if (oltre_le_celle(s, v[0])) return rifiuta_fuori_celle(log, v[0]);
    return memo_rallentamento(s, log, v[0], v[1], v[2], v[3], v[4], v[5]);
}

//   abbattimento, posizione, valore
esito_riga riga_abbattimento(scenario& s, registro_problemi& log, lettore_campi& lettore) {
    auto v = lettore.leggi_numeri<2>();
    if (oltre_le_celle(s, v[0])) return rifiuta_fuori_celle(log, v[0]);
    return memo_abbattimento(s, log, v[0], v[1]);
}

// The words of the ten key tests, looked for once per key.
constexpr parole_chiave<11> parole_treno({"frenata", "massa", "vetture", "velocit", "aderenza", "orologio", "sabbia",
                                          "segnale", "rallentamento", "abbattimento", "stazione"});

// The ten key tests in order, each on the same field (the words it holds).
//   percentuale massa frenata, percentuale
//   numero vetture, vetture
//   orologio, ore, minuti, secondi
//   sabbia, valore
esito_riga prova_chiavi_treno(scenario& s, registro_problemi& log, stato_treno& stato, stato_stazioni& stazioni,
                              lettore_campi& lettore, std::uint32_t trovate) {
    auto ha = [&](std::uint32_t parole) { return tutte(trovate, parole); };
    prove_chiavi prove;
    voce& treno_dati = s.voci[voce_treno_dati];
    voce& treno = s.voci[voce_treno];
    prove.prova(ha(parole_treno.bit({"frenata", "massa"})), [&] {
        treno_dati.inizio_tratto = lettore.leggi_numero();
        return esito_riga::prosegui;
    });
    prove.prova(ha(parole_treno.bit({"vetture"})), [&] {
        treno_dati.punto = lettore.leggi_numero();
        return esito_riga::prosegui;
    });
    prove.prova(ha(parole_treno.bit({"velocit"})), [&] { return riga_velocita(s, log, stato, lettore); });
    prove.prova(ha(parole_treno.bit({"aderenza"})), [&] { return riga_aderenza(s, log, stato, lettore); });
    prove.prova(ha(parole_treno.bit({"orologio"})), [&] {
        treno.valore3 = converti_intero(lettore.leggi_numero(), "the clock's hour");
        treno.valore4 = converti_intero(lettore.leggi_numero(), "the clock's minute");
        treno.valore5 = converti_intero(lettore.leggi_numero(), "the clock's second");
        return esito_riga::prosegui;
    });
    prove.prova(ha(parole_treno.bit({"sabbia"})), [&] {
        treno.valore1 = converti_intero(lettore.leggi_numero(), "the sand value");
        return esito_riga::prosegui;
    });
    prove.prova(ha(parole_treno.bit({"segnale"})), [&] { return riga_segnale(s, log, lettore); });
    prove.prova(ha(parole_treno.bit({"rallentamento"})), [&] { return riga_rallentamento(s, log, lettore); });
    prove.prova(ha(parole_treno.bit({"abbattimento"})), [&] { return riga_abbattimento(s, log, lettore); });
    prove.prova(ha(parole_treno.bit({"stazione"})), [&] { return memo_stazione(s, log, stazioni, lettore); });
    return prove.esito();
}

// The end is tested before each read: a train source without "[generale]"
// compiles no train row.
bool cerca_generale(lettore_campi& lettore) {
    while (!lettore.fine())
        if (contiene_senza_maiuscole(lettore.leggi_testo(), "[generale]")) return true;
    return false;
}

}  // namespace

esito_riga memorizza_treno(scenario& s, registro_problemi& log, std::string_view dati, std::int32_t voce_testo,
                           stato_treno& stato) {
    lettore_campi lettore(dati);
    if (log.righe) lettore.traccia_in(*log.righe, file_sorgente::treno);
    stato = stato_treno{};
    stato_stazioni stazioni{1, voce_testo};
    if (!cerca_generale(lettore)) return esito_riga::prosegui;
    ultima_chiave parole(parole_treno);
    return leggi_righe(log, lettore, file_sorgente::treno, [&](const std::string& chiave) {
        return prova_chiavi_treno(s, log, stato, stazioni, lettore, parole.in(chiave));
    });
}

void completa_treno(scenario& s, registro_problemi& log, stato_treno& stato) {
    completa_riempimento(s, stato.velocita, scrivi_velocita);
    completa_riempimento(s, stato.aderenza, scrivi_aderenza);

    for (int slot : {voce_progressiva_tre, voce_progressiva_due, voce_progressiva_uno}) {
        const voce& v = s.voci[static_cast<std::size_t>(slot)];
        if (v.inizio_tratto % 50 != 0 || v.fine_tratto % 50 != 0) {
            log.registra(problema_progressiva_fuori_griglia);
            return;
        }
    }
}
