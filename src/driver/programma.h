#pragma once

#include <ostream>

#include "driver/piattaforma.h"

// Exit statuses of the programs.
inline constexpr int uscita_ok = 0;
inline constexpr int uscita_guasto = 1;    // a failed file operation, or no cells to write
inline constexpr int uscita_problemi = 2;  // the compile recorded a problem; the files are written
inline constexpr int uscita_errore = 3;    // a stamp conflict ended the build; no binary file

// The builder from start to end on the given platform: the build, its
// diagnostics on err, the error box through the platform. Returns the exit
// status.
int esegui_builder(piattaforma& p, std::ostream& err);
