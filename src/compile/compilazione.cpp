#include "compile/compilazione.h"

#include <exception>
#include <optional>

#include "compile/in_parallelo.h"
#include "driver/nomi_file.h"
#include "driver/sostituzione_file.h"
#include "line/memorizza_linea.h"
#include "line/planimetria.h"
#include "model/conversioni.h"
#include "output/file_binari.h"
#include "postpass/post_passo.h"
#include "train/memorizza_treno.h"

namespace {

void gestore_guasto(registro_problemi& log, sorgenti_compilazione& sorgenti, const std::string& dettaglio) {
    // The failure belongs to the row in hand; deleting the sources does not.
    log.registra(problema_guasto, std::nullopt, dettaglio);
    log.riga_in_corso.reset();
    for (file_sorgente quale : {file_sorgente::linea, file_sorgente::treno}) {
        try {
            if (sorgenti.esiste(quale)) sorgenti.elimina(quale);
        } catch (const errore_esecuzione& e) {
            log.registra(problema_guasto, std::nullopt, e.what());
        }
    }
}

// From this many metres on, the plan's steps are made on a thread of their
// own while the train half runs; fewer are not worth a thread.
constexpr std::int64_t metri_per_un_thread = 100000;

// The plan's steps the line half took down, made on every way out of the
// compile, a failure included, so that the model is the one a row-by-row
// compile leaves. Only the line half writes the plan, and nothing after it
// reads the plan, so the steps may run beside the train half.
class passi_in_sospeso {
public:
    passi_in_sospeso(scenario& s, stato_linea& stato) : s_(s), stato_(stato) {}
    passi_in_sospeso(const passi_in_sospeso&) = delete;
    passi_in_sospeso& operator=(const passi_in_sospeso&) = delete;
    // Leaving on a failure, which is what gets reported.
    ~passi_in_sospeso() {
        try {
            finisci();
        } catch (const std::exception&) {
        }
    }

    void avvia() {
        if (metri_da_fare(stato_) >= metri_per_un_thread) thread_.emplace([this] { fai_passi_planimetria(s_, stato_); });
    }

    // Every run was checked when taken down; should one fail all the same,
    // it fails here, as any failure of the compile.
    void finisci() {
        if (thread_) thread_->attendi();
        fai_passi_planimetria(s_, stato_);
    }

private:
    scenario& s_;
    stato_linea& stato_;
    std::optional<in_parallelo> thread_;
};

void compila_le_due_meta(scenario& s, registro_problemi& log, sorgenti_compilazione& sorgenti, stato_linea& linea,
                         passi_in_sospeso& planimetria) {
    esito_riga esito = memorizza_linea(s, log, sorgenti.leggi(file_sorgente::linea), linea);
    sorgenti.elimina(file_sorgente::linea);
    if (esito == esito_riga::ritorna) return;
    completa_linea(s, linea);
    planimetria.avvia();

    stato_treno treno;
    esito = memorizza_treno(s, log, sorgenti.leggi(file_sorgente::treno), linea.voce_testo, treno);
    sorgenti.elimina(file_sorgente::treno);
    if (esito == esito_riga::ritorna) return;
    completa_treno(s, log, treno);
}

void compila_sorgenti(scenario& s, registro_problemi& log, sorgenti_compilazione& sorgenti) {
    if (!sorgenti.esiste(file_sorgente::linea)) {
        log.registra(problema_manca_linea);
        return;
    }
    stato_linea linea;
    passi_in_sospeso planimetria(s, linea);
    compila_le_due_meta(s, log, sorgenti, linea, planimetria);
    planimetria.finisci();
}

}  // namespace

void memorizza_dati(scenario& s, registro_problemi& log, sorgenti_compilazione& sorgenti) {
    try {
        compila_sorgenti(s, log, sorgenti);
    } catch (const std::exception& e) {
        // Any failure, an index outside the model included, ends the compile
        // in code 25 rather than in a crash.
        gestore_guasto(log, sorgenti, e.what());
    }
}

risultato_percorso compila(const std::string& nome_percorso, const std::string& numero_treno, std::int32_t j,
                           sorgenti_compilazione& sorgenti, registro_righe* righe) {
    risultato_percorso r;
    r.registro.righe = righe;
    r.modello.nome_percorso = nome_percorso;
    r.modello.numero_treno = numero_treno;
    r.modello.j = j;
    memorizza_dati(r.modello, r.registro, sorgenti);
    if (!r.modello.celle_create()) {
        r.esito = esito_percorso::senza_celle;
        return r;
    }
    post_passo(r.modello, r.registro);
    if ((r.conflitto = timbra(r.modello))) r.esito = esito_percorso::conflitto;
    return r;
}

void scrivi_binari(const scenario& s, piattaforma& p, const std::string& cartella) {
    nomi_file nomi = nomi_scenario(s.nome_percorso, s.numero_treno);
    // Streamed: the plan of the longest route is 20 MB.
    if (s.j != 0)
        sostituisci_file_a_blocchi(p, p.unisci_percorso(cartella, nomi.planimetria), [&](const scrittore_blocchi& scrivi) {
            codifica_planimetria_a_blocchi(s.planimetria, scrivi);
        });
    sostituisci_file(p, p.unisci_percorso(cartella, nomi.voci), codifica_voci(s.voci));
    sostituisci_file(p, p.unisci_percorso(cartella, nomi.celle), codifica_celle(s.celle));
}

void memorizza_percorso(risultato_percorso& r, std::int32_t j, sorgenti_compilazione& sorgenti, piattaforma& p,
                        const std::string& cartella, registro_righe* righe) {
    r = compila(r.modello.nome_percorso, r.modello.numero_treno, j, sorgenti, righe);
    if (r.esito == esito_percorso::completo) scrivi_binari(r.modello, p, cartella);
}
