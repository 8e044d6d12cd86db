#include "model/arrotondamento.h"

#include <cmath>

double arrotonda(double x) {
    double giu = std::floor(x);
    double resto = x - giu;
    if (resto > 0.5) return giu + 1.0;
    if (resto < 0.5) return giu;
    return std::fmod(giu, 2.0) == 0.0 ? giu : giu + 1.0;
}

std::int64_t indice_cella(std::int64_t posizione, double scostamento) {
    return static_cast<std::int64_t>(arrotonda(static_cast<double>(posizione) / 50.0 + scostamento));
}
