#pragma once

#include <string>
#include <vector>

// What a program takes from the system before its own work begins: its
// arguments (after the program's name) as UTF-8, and standard input, output
// and error set to pass every byte as it is. On Windows the arguments are
// read as UTF-16 from the command line, since the ANSI code page cannot hold
// every name, and the streams leave text mode, which would put a CR before
// every LF.
std::vector<std::string> avvia_programma(int argc, char** argv);

// Whether standard error leads anywhere: a windowed program started from the
// desktop has none, and writing nothing there is then no failure.
bool errore_standard_presente();

// Shows the lines of a run that failed where its user sees them: a message
// box for the windowed builder on Windows; on a system where the builder is
// started from a terminal, its standard error already holds them.
void mostra_righe_guasto(const std::string& righe);
