#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/campi.h"
#include "model/modello.h"
#include "output/byte_le.h"

// The bytes of the three scenario files, field by field in the model's order,
// handed to the writer in blocks.
void codifica_planimetria(const planimetria_percorso& planimetria, const scrittore_blocchi& scrivi);  // "_linea.dat"
void codifica_voci(const std::array<voce, numero_voci>& voci, const scrittore_blocchi& scrivi);      // ".sim"
void codifica_celle(const std::vector<cella>& celle, const scrittore_blocchi& scrivi);                // ".dat"

// The same bytes whole.
std::string codifica_planimetria(const planimetria_percorso& planimetria);
std::string codifica_voci(const std::array<voce, numero_voci>& voci);
std::string codifica_celle(const std::vector<cella>& celle);

inline constexpr std::size_t byte_voce_senza_testo = 34;
