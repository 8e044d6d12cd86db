#include "compile/diagnostica.h"

namespace {

const char* const file_lasciati = "files of an earlier build were left as they were";

}  // namespace

std::string riga_diagnostica(const problema& p, const std::string& prefisso) {
    std::string testo = prefisso + "error " + std::to_string(p.codice);
    if (p.posizione) testo += " at " + std::to_string(*p.posizione) + " m";
    testo += ": ";
    testo += descrizione_codice(p.codice);
    if (!p.dettaglio.empty()) testo += ": " + p.dettaglio;
    return testo;
}

void stampa_problemi(const registro_problemi& log, std::ostream& err, const std::optional<nomi_sorgenti>& sorgenti) {
    for (const problema& p : log.elenco) {
        std::string prefisso;
        if (p.riga && sorgenti)
            prefisso = (p.riga->file == file_sorgente::linea ? sorgenti->linea : sorgenti->treno) + ":" +
                       std::to_string(p.riga->riga) + ": ";
        err << riga_diagnostica(p, prefisso) << '\n';
    }
}

std::string riga_esito(const risultato_percorso& r, const std::string& sorgente_linea) {
    switch (r.esito) {
        case esito_percorso::senza_celle:
            return "error: the line source" + (sorgente_linea.empty() ? "" : " " + sorgente_linea) +
                   " made no cells (the compile stopped before a route length made them), so no scenario file was "
                   "written; " + file_lasciati;
        case esito_percorso::conflitto:
            return "error: " + r.conflitto->campo + "; no scenario file was written, " + file_lasciati;
        case esito_percorso::completo: break;
    }
    return {};
}
