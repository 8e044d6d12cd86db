#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "compile/compilazione.h"

// The names the user knows the two source files by, for "FILE:LINE: ".
struct nomi_sorgenti {
    std::string linea;
    std::string treno;
};

// One line for each problem, in the order found, the standing code last.
// With the sources' names, a problem raised by a row points at its line.
void stampa_problemi(const registro_problemi& log, std::ostream& err,
                     const std::optional<nomi_sorgenti>& sorgenti = std::nullopt);

// "error 15 at 45100 m: ..." with an optional "FILE:LINE: " in front.
std::string riga_diagnostica(const problema& p, const std::string& prefisso);

// The closing line of an outcome that left no scenario file: the cells were
// never made, or a reserved header field was taken. Empty when the outcome
// is complete.
std::string riga_esito(const risultato_percorso& r, const std::string& sorgente_linea = "");
