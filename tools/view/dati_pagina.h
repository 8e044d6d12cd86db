#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "authoring/diagnosi.h"
#include "compile/diagnostica.h"
#include "model/modello.h"
#include "model/righe.h"

// What the route viewer's page shows, read from the same model the other
// tools read: the decoded files, or the compile of the sources with its
// record of rows and check's diagnostics.

// A page made from sources also knows which row placed what.
struct righe_pagina {
    const registro_righe* righe = nullptr;
    nomi_sorgenti nomi;
    std::vector<diagnosi> elenco;  // check's diagnostics, in check's order
};

struct ingresso_pagina {
    std::string nome_percorso;
    std::string numero_treno;
    const std::array<voce, numero_voci>* voci = nullptr;
    const std::vector<cella>* celle = nullptr;  // none: the compile made no cells
    const planimetria_percorso* planimetria = nullptr;
    std::optional<righe_pagina> sorgenti;
    std::int64_t versione = 0;  // watch counts its compiles
    std::string esito;          // why the page shows an older compile, when it does
};

// The metres a cell covers, as the authors' messages give them: cell k from
// (k - 1) x 50 to k x 50.
inline std::int64_t inizio_cella(std::int64_t k) { return (k - 1) * 50; }

// The cells of a curve class: 1 to 6 from the plan's turn per metre, 0 for a
// straight metre; negative to the left ("s").
int classe_curva(double k);

// The page's data as one JSON object.
void scrivi_dati_pagina(std::ostream& out, const ingresso_pagina& in);

// The page's data of a compile of the sources, with check's diagnostics.
// The model may come from an earlier compile than the diagnostics (watch
// keeps the last good one), and esito then says why.
std::string dati_da_sorgenti(const compilazione_autore& c, const esito_verifica& e, const nomi_sorgenti& nomi,
                             std::int64_t versione = 0, const std::string& esito = "");

// The page's data of the decoded files.
std::string dati_da_file(const std::string& nome_percorso, const std::string& numero_treno,
                         const std::array<voce, numero_voci>& voci, const std::vector<cella>& celle,
                         const planimetria_percorso* planimetria);
