#pragma once

#include <string>
#include <vector>

#include "driver/piattaforma.h"

// Closes every line list; never written to a file.
inline const std::string marcatore_fine = "riferimento fine del file";

// The bytes of a text file: each line up to the end marker, as Windows-1252,
// followed by CR LF. The lines are UTF-8; one that Windows-1252 cannot hold
// is a fault of the program, reported as std::logic_error.
std::string codifica_testo(const std::vector<std::string>& righe);

// Writes a line list to its file, replacing whatever stood there.
void scrivi_testo(piattaforma& p, const std::string& percorso, const std::vector<std::string>& righe);
