#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "authoring/avvisi.h"
#include "authoring/righe_lette.h"
#include "compile/compilazione.h"
#include "compile/diagnostica.h"
#include "model/righe.h"

// One line for an author: an error (with its code) or a warning (with its
// name), tied to the row that caused it or, failing that, to its file.
struct diagnosi {
    bool errore = true;
    std::optional<file_sorgente> file;  // none: no source is to blame
    std::int64_t riga = 0;              // 0: the file as a whole
    std::optional<std::int32_t> codice; // errors with a code
    std::string nome;                   // warnings
    std::optional<std::int32_t> posizione;
    std::string messaggio;              // UTF-8, in the author's terms

    bool operator==(const diagnosi&) const = default;
};

// The errors of one compile, in the order found, each tied to its row with
// the values as the author wrote them: the problems, then the stamp
// conflict. The outcome without cells is not among them (riga_esito).
// lette are the rows of righe.
std::vector<diagnosi> diagnosi_errori(const risultato_percorso& r, const registro_righe& righe,
                                      const righe_dei_file& lette, const nomi_sorgenti& nomi);

std::vector<diagnosi> diagnosi_avvisi(const std::vector<avviso>& avvisi);

// The errors and the warnings of one compile together, in the order found;
// the last error, the one that stands, stays last.
std::vector<diagnosi> unisci(const std::vector<diagnosi>& errori, const std::vector<diagnosi>& avvisi);

// "FILE:LINE: error N at P m: message", "FILE:LINE: warning: message [name]";
// "FILE: " when there is no row.
std::string testo_diagnosi(const diagnosi& d, const nomi_sorgenti& nomi);

// The compile that scenario_tool runs: in memory, with the record of rows.
struct compilazione_autore {
    risultato_percorso risultato;
    registro_righe righe;
    std::vector<diagnosi> errori;
    std::vector<diagnosi> avvisi;
};
// intanto, when given, runs on a second thread while the diagnostics are
// found, and may only read what the compile gave (compile writes the files
// there); what it throws is thrown on once the diagnostics are found.
using mentre_diagnosi = std::function<void(const risultato_percorso&)>;
compilazione_autore compila_per_autore(const testi_sorgente& testi, const std::string& nome_percorso,
                                       const std::string& numero_treno, std::int32_t j, const nomi_sorgenti& nomi,
                                       const mentre_diagnosi& intanto = {});

// Every problem of the sources in one run: compile, and after each error
// compile again with that error's row removed, until a compile finds no new
// error, 50 problems are found, or an error has no row. Each problem once:
// the line source's, the train source's, then those without a row, each in
// line order.
struct esito_verifica {
    std::vector<diagnosi> elenco;
    int errori = 0;
    int avvisi = 0;
};
esito_verifica verifica(const testi_sorgente& testi, const std::string& nome_percorso,
                        const std::string& numero_treno, const nomi_sorgenti& nomi);

// "2 errors, 3 warnings".
std::string riassunto(const esito_verifica& e);
