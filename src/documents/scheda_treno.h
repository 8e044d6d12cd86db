#pragma once

#include <string>
#include <vector>

// The train card handed to the driver, as the lines dati_scheda writes
// (UTF-8, without the end marker).
const std::vector<std::string>& righe_scheda();
