#include "driver/programma.h"

#include "driver/form_load.h"

namespace {

void stampa_problemi(const scenario& s, std::ostream& err) {
    for (const problema& p : s.problemi) err << riga_diagnostica(p, "") << '\n';
}

}  // namespace

int esegui_builder(piattaforma& p, std::ostream& err) {
    scenario s;
    try {
        risultato_percorso r = Form_Load(p, s);
        stampa_problemi(s, err);
        switch (r.esito) {
            case esito_percorso::senza_celle:
                err << "error: the line source made no cells, so no scenario file was written; "
                       "files of an earlier build were left as they were\n";
                return uscita_guasto;
            case esito_percorso::conflitto:
                err << "error: " << r.conflitto->campo << "; no scenario file was written, "
                    << "files of an earlier build were left as they were\n";
                p.messaggio(errore(std::to_string(r.conflitto->numero)));
                return uscita_errore;
            case esito_percorso::completo: break;
        }
        return s.codice_errore != 0 ? uscita_problemi : uscita_ok;
    } catch (const errore_file& e) {
        stampa_problemi(s, err);
        err << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
}
