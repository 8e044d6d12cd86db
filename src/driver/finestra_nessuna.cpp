// Built without a window system: no window and no box.

#include "driver/finestra.h"

std::unique_ptr<finestra_attesa> apri_attesa(const std::string&, const std::string&) { return nullptr; }

void mostra_riquadro(const std::string&, const std::string&) {}
