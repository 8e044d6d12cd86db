#include "authoring/righe_lette.h"

std::vector<riga_letta> righe_lette(const registro_righe& righe, file_sorgente file) {
    std::vector<riga_letta> elenco;
    bool generale = file == file_sorgente::linea;
    for (const campo_letto& c : righe.traccia(file)) {
        if (c.ruolo == ruolo_campo::chiave) {
            elenco.push_back({file, {c}, generale});
            // The general section ends at the first section header, itself examined as a key.
            if (intestazione(c.testo)) generale = false;
        } else if (c.ruolo == ruolo_campo::valore && !elenco.empty()) {
            elenco.back().campi.push_back(c);
        }
    }
    return elenco;
}

const riga_letta* riga_a(const std::vector<riga_letta>& righe, std::int64_t riga) {
    const riga_letta* trovata = nullptr;
    for (const riga_letta& r : righe)
        if (r.riga() == riga) trovata = &r;
    return trovata;
}

bool intestazione(const std::string& campo) {
    return campo.find('[') != std::string::npos && campo.find(']') != std::string::npos;
}
