#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "driver/piattaforma.h"

// Writes a file whole: the content goes to a temporary file beside it, which
// then takes the target's place in one step. A failure on the way leaves the
// old file as it was and removes the temporary one.
void sostituisci_file(piattaforma& p, const std::string& percorso, std::string_view contenuto);

// The same, with the content made block by block: produci is called once and
// hands each block, in order, to the writer it is given.
using produttore_blocchi = std::function<void(const std::function<void(std::string_view)>& scrivi)>;
void sostituisci_file_a_blocchi(piattaforma& p, const std::string& percorso, const produttore_blocchi& produci);
