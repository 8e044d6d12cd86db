#pragma once

#include <string>
#include <vector>

// The slowdown order form "Modulo M. 3", as the lines dati_rallentamenti
// writes (UTF-8, without the end marker).
const std::vector<std::string>& righe_rallentamenti();
