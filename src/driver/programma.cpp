#include "driver/programma.h"

#include "compile/diagnostica.h"
#include "driver/form_load.h"

namespace {

int esegui(piattaforma& p, std::ostream& err) {
    risultato_percorso r;
    try {
        Form_Load(p, r);
        stampa_problemi(r.registro, err);
        switch (r.esito) {
            case esito_percorso::senza_celle:
                err << riga_esito(r) << '\n';
                return uscita_guasto;
            case esito_percorso::conflitto:
                err << riga_esito(r) << '\n';
                p.messaggio(errore(std::to_string(r.conflitto->numero)));
                return uscita_errore;
            case esito_percorso::completo: break;
        }
        return r.registro.codice_errore != 0 ? uscita_problemi : uscita_ok;
    } catch (const errore_file& e) {
        stampa_problemi(r.registro, err);
        err << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
}

}  // namespace

int esegui_builder(piattaforma& p, std::ostream& err) {
    const int stato = esegui(p, err);
    // A diagnostic that did not land is a failure too (nowhere left to say so).
    if (!err.flush()) return uscita_guasto;
    return stato;
}
