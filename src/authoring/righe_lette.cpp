#include "authoring/righe_lette.h"

#include <algorithm>
#include <iterator>

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

// The rows come in the order read, so their lines never go down.
const riga_letta* riga_a(const std::vector<riga_letta>& righe, std::int64_t riga) {
    auto dopo = std::upper_bound(righe.begin(), righe.end(), riga,
                                 [](std::int64_t r, const riga_letta& letta) { return r < letta.riga(); });
    if (dopo == righe.begin() || std::prev(dopo)->riga() != riga) return nullptr;
    return &*std::prev(dopo);
}

bool intestazione(const std::string& campo) {
    return campo.find('[') != std::string::npos && campo.find(']') != std::string::npos;
}
