#include "authoring/righe_lette.h"

#include <algorithm>
#include <iterator>

// A row's values follow its key in the trace: fields passed over come only
// before a key (or at the end of the data), so each row is one run.
std::vector<riga_letta> righe_lette(const registro_righe& righe, file_sorgente file) {
    const traccia_campi& traccia = righe.traccia(file);
    std::vector<riga_letta> elenco;
    // One row a key: counted first, so that the rows are laid down once.
    elenco.reserve(static_cast<std::size_t>(std::count_if(
        traccia.begin(), traccia.end(), [](const campo_letto& c) { return c.ruolo == ruolo_campo::chiave; })));
    bool generale = file == file_sorgente::linea;
    for (std::size_t i = 0; i < traccia.size(); ++i) {
        if (traccia[i].ruolo != ruolo_campo::chiave) continue;
        std::size_t fine = i + 1;
        while (fine < traccia.size() && traccia[fine].ruolo == ruolo_campo::valore) ++fine;
        elenco.push_back({.campi = std::span(traccia).subspan(i, fine - i), .file = file, .generale = generale});
        // The general section ends at the first section header, itself examined as a key.
        if (intestazione(traccia[i].testo)) generale = false;
        i = fine - 1;
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

bool intestazione(std::string_view campo) {
    return campo.find('[') != std::string_view::npos && campo.find(']') != std::string_view::npos;
}
