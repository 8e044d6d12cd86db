#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "reader/riempimento.h"
#include "model/modello.h"

// A run of the plan's steps, metres da .. a of both coordinates: straight
// when k is absent, curved by k otherwise.
struct passi_planimetria {
    std::int64_t da = 0;
    std::int64_t a = 0;
    std::optional<double> k;
};

// The working state of the line body; the train half goes on using voce_testo.
struct stato_linea {
    riempimento pendenza;
    std::int64_t cursore_planimetria = 2;  // next metre of the plan
    // Steps the rows asked for and that are not made yet, in order.
    std::vector<passi_planimetria> passi_da_fare;
    int numero_montagne = 0;
    std::array<std::int32_t, 81> montagne_inizio{};
    std::array<std::int32_t, 81> montagne_fine{};
    std::int32_t voce_testo = prima_voce_testo;
};
