#include <filesystem>
#include <optional>
#include <string>

#include "authoring/diagnosi.h"
#include "comandi.h"
#include "compile/compilazione.h"
#include "compile/diagnostica.h"
#include "driver/form_load.h"
#include "driver/nomi_file.h"
#include "driver/percorso_utf8.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"

namespace {

struct argomenti_compile {
    std::string linea;
    std::string treno;
    std::string nome_percorso;
    std::string numero_treno;
    std::string cartella;
    std::int32_t j = 1;
    bool rigoroso = false;
};

}  // namespace

int comando_compile(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r =
        analizza_argomenti(argomenti, {"--line", "--train-source", "--route", "--train", "--out"}, {"--no-plan", "--strict"});
    if (!r.posizionali.empty()) throw errore_uso("compile takes its files as options, not " + r.posizionali.front());
    argomenti_compile a{r.richiesto("--line"),  r.richiesto("--train-source"), r.richiesto("--route"),
                        r.richiesto("--train"), r.valore("--out", "."),         r.ha("--no-plan") ? 0 : 1, r.ha("--strict")};

    if (auto motivo = controlla_nomi(a.nome_percorso, a.numero_treno)) {
        err << "error: " << *motivo << '\n';
        return uscita_guasto;
    }

    // The sources are only ever read; a source that stands where a scenario
    // file is about to be written would be lost.
    const nomi_file nomi = nomi_scenario(a.nome_percorso, a.numero_treno);
    std::vector<std::string> scritti;
    if (a.j != 0) scritti.push_back(p.unisci_percorso(a.cartella, nomi.planimetria));
    scritti.push_back(p.unisci_percorso(a.cartella, nomi.voci));
    scritti.push_back(p.unisci_percorso(a.cartella, nomi.celle));
    for (const std::string& sorgente : {a.linea, a.treno})
        for (const std::string& scritto : scritti)
            if (stesso_file(sorgente, scritto) || stesso_file(sorgente, scritto + ".part") ||
                (bersaglio_temporaneo(testo_utf8(percorso_utf8(sorgente).filename())) ==
                     testo_utf8(percorso_utf8(scritto).filename()) &&
                 stesso_file(testo_utf8(percorso_utf8(sorgente).parent_path()), a.cartella))) {
                err << "error: the source " << sorgente << " is where the scenario file " << scritto
                    << " would be written; choose another --out folder or another name\n";
                return uscita_guasto;
            }

    // One writer in the folder for the whole run.
    std::vector<std::string> bersagli;
    for (const std::string& scritto : scritti) bersagli.push_back(testo_utf8(percorso_utf8(scritto).filename()));
    const auto blocco = prendi_cartella(p, a.cartella, bersagli);

    auto testo_linea = leggi_sorgente(p, a.linea, "line", err);
    if (!testo_linea) return uscita_guasto;
    auto testo_treno = leggi_sorgente(p, a.treno, "train", err);
    if (!testo_treno) return uscita_guasto;

    // The compile in memory with its diagnostics, as check runs it; the
    // warnings never change what it writes.
    const nomi_sorgenti nomi_righe{a.linea, a.treno};
    // The files are written while the diagnostics are found: both only read
    // the compiled model.
    std::optional<std::string> guasto_scrittura;
    const auto scrivi = [&](const risultato_percorso& r) {
        if (r.esito != esito_percorso::completo) return;
        try {
            scrivi_binari(r.modello, p, a.cartella);
        } catch (const errore_file& e) {
            guasto_scrittura = e.what();
        }
    };
    const compilazione_autore c = compila_per_autore({std::move(*testo_linea), std::move(*testo_treno)},
                                                     a.nome_percorso, a.numero_treno, a.j, nomi_righe, scrivi);
    const risultato_percorso& risultato = c.risultato;
    for (const diagnosi& d : unisci(c.errori, c.avvisi)) err << testo_diagnosi(d, nomi_righe) << '\n';
    if (guasto_scrittura) {
        err << "error: " << *guasto_scrittura << '\n';
        return uscita_guasto;
    }

    switch (risultato.esito) {
        case esito_percorso::senza_celle:
            err << riga_esito(risultato, a.linea) << '\n';
            return uscita_guasto;
        case esito_percorso::conflitto:
            err << riga_esito(risultato) << '\n' << errore(std::to_string(risultato.conflitto->numero)) << '\n';
            return uscita_errore;
        case esito_percorso::completo: break;
    }
    for (const std::string& scritto : scritti) out << "wrote " << scritto << '\n';
    return risultato.registro.codice_errore != 0 || (a.rigoroso && !c.avvisi.empty()) ? uscita_problemi : uscita_ok;
}
