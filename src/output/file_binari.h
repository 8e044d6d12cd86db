#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/campi.h"
#include "model/modello.h"
#include "output/byte_le.h"

// The bytes of the three scenario files, field by field in the model's order,
// handed to the writer in blocks.
void codifica_planimetria_a_blocchi(const planimetria_percorso& planimetria, const scrittore_blocchi& scrivi);
void codifica_voci_a_blocchi(const std::array<voce, numero_voci>& voci, const scrittore_blocchi& scrivi);
void codifica_celle_a_blocchi(const std::vector<cella>& celle, const scrittore_blocchi& scrivi);

// The same bytes whole.
std::string codifica_planimetria(const planimetria_percorso& planimetria);  // "_linea.dat"
std::string codifica_voci(const std::array<voce, numero_voci>& voci);      // ".sim"
std::string codifica_celle(const std::vector<cella>& celle);                // ".dat"

inline constexpr std::size_t byte_voce_senza_testo = 34;
