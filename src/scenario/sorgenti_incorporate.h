#pragma once

#include <string>
#include <vector>

// The one scenario the program carries, as the lines of its two source
// files: what dati_linea and dati_treno write, without the end marker.
const std::vector<std::string>& righe_linea();
const std::vector<std::string>& righe_treno();
