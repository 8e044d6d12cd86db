#pragma once

#include <string>
#include <string_view>

#include "driver/piattaforma.h"

// Writes a file whole: the content goes to a temporary file beside it, which
// then takes the target's place in one step. A failure on the way leaves the
// old file as it was and removes the temporary one.
void sostituisci_file(piattaforma& p, const std::string& percorso, std::string_view contenuto);
