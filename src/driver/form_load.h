#pragma once

#include <string>

#include "driver/compilazione.h"
#include "driver/piattaforma.h"

inline const std::string nome_percorso_incorporato = "Valdesca_Morlano";
inline const std::string numero_treno_incorporato = "52816";

// The whole build of the embedded scenario in the program's folder: wait
// window, the two source files and three documents, then the compile and the
// binary files. Failed file operations are thrown as errore_file; every other
// outcome is returned, and ending the program is the caller's.
risultato_percorso Form_Load(piattaforma& p, scenario& s);

// The text of the error box: " Errore n. " followed by the number.
std::string errore(const std::string& a);
