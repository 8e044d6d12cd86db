#pragma once

#include <array>
#include <cstdint>

#include "reader/riempimento.h"
#include "model/modello.h"

// The working state of the line body; the train half goes on using voce_testo.
struct stato_linea {
    riempimento pendenza;
    std::int64_t cursore_planimetria = 2;  // next metre of the plan
    int numero_montagne = 0;
    std::array<std::int32_t, 81> montagne_inizio{};
    std::array<std::int32_t, 81> montagne_fine{};
    std::int32_t voce_testo = prima_voce_testo;
};
