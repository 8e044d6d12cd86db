#pragma once

#include <string>
#include <string_view>

#include "plot/percorso_disegnato.h"

// The picture of a route as one SVG document.
std::string disegna_percorso(const percorso_disegnato& d);

// A label in type corpo pixels high, centred on x and kept inside
// [sinistra, destra] as far as its estimated width goes. The estimate is an
// average; a label that could be wider than the room even in the widest
// letters is cut, with an ellipsis, to what surely fits.
struct etichetta {
    std::string testo;
    double x = 0;  // where it begins
    double larghezza = 0;  // estimated
};
etichetta etichetta_entro(std::string_view utf8, double corpo, double x, double sinistra, double destra);
