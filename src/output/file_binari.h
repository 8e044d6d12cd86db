#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/campi.h"
#include "model/modello.h"

// The bytes of the three scenario files, field by field in the model's order.
std::string codifica_planimetria(const planimetria_percorso& planimetria);  // "_linea.dat"
std::string codifica_voci(const std::array<voce, numero_voci>& voci);      // ".sim"
std::string codifica_celle(const std::vector<cella>& celle);                // ".dat"

inline constexpr std::size_t byte_voce_senza_testo = 34;
