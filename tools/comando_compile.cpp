#include "comandi.h"
#include "driver/compilazione.h"
#include "driver/form_load.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/sorgenti.h"

namespace {

struct argomenti_compile {
    std::string linea;
    std::string treno;
    std::string nome_percorso;
    std::string numero_treno;
    std::string cartella;
    std::int32_t j = 1;
};

// One line for each problem, in the order found, pointing at the source file
// as the user named it and at the line of the row's key.
void stampa_problemi(const scenario& s, const argomenti_compile& a, std::ostream& err) {
    for (const problema& pr : s.problemi) {
        std::string prefisso;
        if (pr.riga)
            prefisso = (pr.riga->file == file_sorgente::linea ? a.linea : a.treno) + ":" +
                       std::to_string(pr.riga->riga) + ": ";
        err << riga_diagnostica(pr, prefisso) << '\n';
    }
}

std::optional<std::string> leggi_sorgente(piattaforma& p, const std::string& percorso, const char* che,
                                          std::ostream& err) {
    try {
        return p.leggi_file(percorso);
    } catch (const errore_file& e) {
        err << "error: cannot read the " << che << " source " << percorso << ": " << e.motivo << '\n';
        return std::nullopt;
    }
}

}  // namespace

int comando_compile(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r =
        analizza_argomenti(argomenti, {"--line", "--train-source", "--route", "--train", "--out"}, {"--no-plan"});
    if (!r.posizionali.empty()) throw errore_uso("compile takes its files as options, not " + r.posizionali.front());
    argomenti_compile a{r.richiesto("--line"),  r.richiesto("--train-source"), r.richiesto("--route"),
                        r.richiesto("--train"), r.valore("--out", "."),         r.ha("--no-plan") ? 0 : 1};

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
            if (stesso_file(sorgente, scritto) || stesso_file(sorgente, scritto + ".part")) {
                err << "error: the source " << sorgente << " is where the scenario file " << scritto
                    << " would be written; choose another --out folder or another name\n";
                return uscita_guasto;
            }

    auto testo_linea = leggi_sorgente(p, a.linea, "line", err);
    if (!testo_linea) return uscita_guasto;
    auto testo_treno = leggi_sorgente(p, a.treno, "train", err);
    if (!testo_treno) return uscita_guasto;

    scenario s;
    s.nome_percorso = a.nome_percorso;
    s.numero_treno = a.numero_treno;
    sorgenti_in_memoria sorgenti(std::move(testo_linea), std::move(testo_treno));
    risultato_percorso risultato;
    try {
        risultato = memorizza_percorso(s, a.j, sorgenti, p, a.cartella);
    } catch (const errore_file& e) {
        stampa_problemi(s, a, err);
        err << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
    stampa_problemi(s, a, err);

    switch (risultato.esito) {
        case esito_percorso::senza_celle:
            err << "error: the line source " << a.linea << " made no cells (the compile stopped before a route length made them), "
                << "so no scenario file was written; files of an earlier build were left as they were\n";
            return uscita_guasto;
        case esito_percorso::conflitto:
            err << "error: " << risultato.conflitto->campo << "; no scenario file was written, "
                << "files of an earlier build were left as they were\n"
                << errore(std::to_string(risultato.conflitto->numero)) << '\n';
            return uscita_errore;
        case esito_percorso::completo: break;
    }
    for (const std::string& scritto : scritti) out << "wrote " << scritto << '\n';
    return s.codice_errore != 0 ? uscita_problemi : uscita_ok;
}
