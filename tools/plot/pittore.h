#pragma once

#include <string>
#include <string_view>

#include "plot/percorso_disegnato.h"

// The picture of a route as one SVG document.
std::string disegna_percorso(const percorso_disegnato& d);

// Where a label w pixels wide begins so that it stands centred on x and
// inside [sinistra, destra]; a label wider than the room begins at sinistra.
double inizio_etichetta(double x, double w, double sinistra, double destra);
