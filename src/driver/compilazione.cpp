#include "driver/compilazione.h"

#include "driver/nomi_file.h"
#include "driver/sostituzione_file.h"
#include "line/memorizza_linea.h"
#include "model/conversioni.h"
#include "output/file_binari.h"
#include "postpass/post_passo.h"
#include "train/memorizza_treno.h"

namespace {

void gestore_guasto(scenario& s, sorgenti_compilazione& sorgenti, const std::string& dettaglio) {
    registra_problema(s, 25, std::nullopt, dettaglio);
    s.riga_in_corso.reset();
    for (file_sorgente quale : {file_sorgente::linea, file_sorgente::treno}) {
        try {
            if (sorgenti.esiste(quale)) sorgenti.elimina(quale);
        } catch (const errore_esecuzione& e) {
            registra_problema(s, 25, std::nullopt, e.what());
        }
    }
}

void compila_sorgenti(scenario& s, sorgenti_compilazione& sorgenti) {
    if (!sorgenti.esiste(file_sorgente::linea)) {
        registra_problema(s, 101);
        return;
    }
    stato_linea linea;
    esito_riga esito = memorizza_linea(s, sorgenti.leggi(file_sorgente::linea), linea);
    sorgenti.elimina(file_sorgente::linea);
    if (esito == esito_riga::ritorna) return;
    completa_linea(s, linea);

    stato_treno treno;
    esito = memorizza_treno(s, sorgenti.leggi(file_sorgente::treno), linea.voce_testo, treno);
    sorgenti.elimina(file_sorgente::treno);
    if (esito == esito_riga::ritorna) return;
    completa_treno(s, treno);
}

void scrivi_binari(const scenario& s, piattaforma& p, const std::string& cartella) {
    nomi_file nomi = nomi_scenario(s.nome_percorso, s.numero_treno);
    if (s.j != 0) sostituisci_file(p, p.unisci_percorso(cartella, nomi.planimetria), codifica_planimetria(s.planimetria));
    sostituisci_file(p, p.unisci_percorso(cartella, nomi.voci), codifica_voci(s.voci));
    sostituisci_file(p, p.unisci_percorso(cartella, nomi.celle), codifica_celle(s.celle));
}

}  // namespace

void memorizza_dati(scenario& s, sorgenti_compilazione& sorgenti) {
    try {
        compila_sorgenti(s, sorgenti);
    } catch (const std::exception& e) {
        // Any failure, an index outside the model included, ends the compile
        // in code 25 rather than in a crash.
        gestore_guasto(s, sorgenti, e.what());
    }
}

risultato_percorso compila(scenario& s, std::int32_t j, sorgenti_compilazione& sorgenti) {
    s.j = j;
    s.codice_errore = 0;
    s.posizione_errore = 0;
    s.voci = {};
    s.problemi.clear();
    memorizza_dati(s, sorgenti);
    if (!s.celle_create()) return {esito_percorso::senza_celle, std::nullopt};
    post_passo(s);
    if (auto conflitto = timbra(s)) return {esito_percorso::conflitto, conflitto};
    return {};
}

risultato_percorso memorizza_percorso(scenario& s, std::int32_t j, sorgenti_compilazione& sorgenti, piattaforma& p,
                                      const std::string& cartella) {
    risultato_percorso risultato = compila(s, j, sorgenti);
    if (risultato.esito == esito_percorso::completo) scrivi_binari(s, p, cartella);
    return risultato;
}
