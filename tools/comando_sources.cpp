#include "comandi.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/scrittore_testo.h"
#include "driver/sostituzione_file.h"
#include "scenario/sorgenti_incorporate.h"

// The embedded scenario's two source files, as the builder writes them: a
// scenario that compiles, to start a new one from.
int comando_sources(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r = analizza_argomenti(argomenti, {"--out"}, {"--force"});
    if (!r.posizionali.empty()) throw errore_uso("sources takes no file: " + r.posizionali.front());
    const std::string cartella = r.valore("--out", ".");
    const nomi_file nomi = nomi_scenario(nome_percorso_incorporato, numero_treno_incorporato);

    const std::string linea = p.unisci_percorso(cartella, nomi.sorgente_linea);
    const std::string treno = p.unisci_percorso(cartella, nomi.sorgente_treno);
    // One writer in the folder for the whole run.
    const auto blocco = prendi_cartella(p, cartella, {nomi.sorgente_linea, nomi.sorgente_treno});
    // A source there may hold an author's edits: keep it unless told otherwise.
    if (!r.ha("--force"))
        for (const std::string& percorso : {linea, treno})
            if (p.esiste_file(percorso)) {
                err << "error: " << percorso << " already exists; give --force to overwrite it\n";
                return uscita_guasto;
            }
    scrivi_testo(p, linea, righe_linea());  // dati_linea
    scrivi_testo(p, treno, righe_treno());  // dati_treno
    out << "wrote " << linea << "\nwrote " << treno << '\n'
        << "compile them with: scenario_tool compile --line " << linea << " --train-source " << treno << " --route "
        << nome_percorso_incorporato << " --train " << numero_treno_incorporato << '\n';
    return uscita_ok;
}
