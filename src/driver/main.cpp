#include <iostream>

#include "driver/form_load.h"

namespace {

constexpr int uscita_ok = 0;
constexpr int uscita_guasto = 1;
constexpr int uscita_problemi = 2;
constexpr int uscita_errore = 3;

void stampa_problemi(const scenario& s) {
    for (const problema& p : s.problemi) std::cerr << riga_diagnostica(p, "") << '\n';
}

int esegui(piattaforma& p) {
    scenario s;
    try {
        risultato_percorso r = Form_Load(p, s);
        stampa_problemi(s);
        switch (r.esito) {
            case esito_percorso::senza_celle:
                std::cerr << "error: the line source made no cells, so no scenario file was written; "
                             "files of an earlier build were left as they were\n";
                return uscita_guasto;
            case esito_percorso::conflitto:
                std::cerr << "error: " << r.conflitto->campo << "; no scenario file was written, "
                          << "files of an earlier build were left as they were\n";
                p.messaggio(errore(std::to_string(r.conflitto->numero)));
                return uscita_errore;
            case esito_percorso::completo: break;
        }
        return s.codice_errore != 0 ? uscita_problemi : uscita_ok;
    } catch (const errore_file& e) {
        stampa_problemi(s);
        std::cerr << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
}

}  // namespace

int main() {
    try {
        auto p = crea_piattaforma_locale();
        return esegui(*p);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
}
