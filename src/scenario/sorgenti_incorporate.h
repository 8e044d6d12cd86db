#pragma once

#include <string>
#include <vector>

// The identity of the one scenario the program carries.
inline const std::string nome_percorso_incorporato = "Valdesca_Morlano";
inline const std::string numero_treno_incorporato = "52816";

// The one scenario the program carries, as the lines of its two source
// files: what dati_linea and dati_treno write, without the end marker.
const std::vector<std::string>& righe_linea();
const std::vector<std::string>& righe_treno();
