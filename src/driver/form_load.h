#pragma once

#include <string>

#include "compile/compilazione.h"
#include "driver/piattaforma.h"

// The whole build of the embedded scenario in the program's folder: wait
// window, the two source files and three documents, then the compile and the
// binary files, into r. Failed file operations are thrown as errore_file;
// every other outcome is left in r, and ending the program is the caller's.
void Form_Load(piattaforma& p, risultato_percorso& r);

// The text of the error box: " Errore n. " followed by the number.
std::string errore(const std::string& a);
