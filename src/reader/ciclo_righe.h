#pragma once

#include <string>
#include <utility>

#include "reader/lettore_campi.h"
#include "reader/riga.h"

// Where a key is expected, at most two filler fields (holding "-") are
// skipped; false when the data ran out on the way.
bool salta_riempitivi(std::string& riga_letta, lettore_campi& lettore);

// The key tests of one row, in order; the first handler that stops reading
// ends the row.
class prove_chiavi {
public:
    template <typename F>
    void prova(bool vale, F&& gestore) {
        if (esito_ == esito_riga::prosegui && vale) esito_ = std::forward<F>(gestore)();
    }
    esito_riga esito() const { return esito_; }

private:
    esito_riga esito_ = esito_riga::prosegui;
};

// The body loop shared by both source files: read a key, skip fillers, put
// the key to the tests. A key that is the last field is never examined.
// Returns ritorna when a handler ended the compile, prosegui otherwise.
//   corpo := { [riempitivo [riempitivo]] chiave valori }
template <typename F>
esito_riga leggi_righe(registro_problemi& log, lettore_campi& lettore, file_sorgente file, F&& prova_chiavi) {
    std::string riga_letta;
    for (;;) {
        if (lettore.fine()) return esito_riga::prosegui;
        riga_letta.assign(lettore.leggi_vista());
        lettore.segna_ultimo(ruolo_campo::scartato);
        if (lettore.fine() || !salta_riempitivi(riga_letta, lettore)) return esito_riga::prosegui;
        lettore.segna_ultimo(ruolo_campo::chiave);

        log.riga_in_corso = riga_sorgente{file, lettore.riga_ultimo_campo()};
        esito_riga esito = prova_chiavi(std::as_const(riga_letta));
        log.riga_in_corso.reset();
        if (esito == esito_riga::fine_lettura) return esito_riga::prosegui;
        if (esito == esito_riga::ritorna) return esito;
    }
}
