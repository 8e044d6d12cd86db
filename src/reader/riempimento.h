#pragma once

#include <algorithm>
#include <cstdint>

#include "model/modello.h"

// A cell field filled from a fill position onwards with the value in force:
// the gradient, the speed limit and the adhesion. Each row writes the value
// in force up to its own cell, then its value takes over.
struct riempimento {
    std::int64_t posizione = 0;  // the next cell to write
    std::int64_t in_vigore = 0;
};

// Writes the value in force from the fill position up to cell t, not
// included, and at least once (rows out of order push the fill on by one).
// Writes nothing and returns false when that would pass the last cell.
template <typename F>
bool riempi_fino_a(scenario& s, riempimento& r, std::int64_t t, F&& scrivi) {
    if (std::max(r.posizione, t - 1) > s.numero_celle) return false;
    do scrivi(s.cella_a(r.posizione++), r.in_vigore);
    while (r.posizione < t);
    return true;
}

// The speed fill: like riempi_fino_a, but it stops before the last cell
// instead of refusing the row.
template <typename F>
void riempi_velocita_fino_a(scenario& s, riempimento& r, std::int64_t t, F&& scrivi) {
    do {
        if (r.posizione >= s.numero_celle) return;
        scrivi(s.cella_a(r.posizione++), r.in_vigore);
    } while (r.posizione < t);
}

// The last value runs on to cell numero_celle - 3, written at least once and
// never beyond the last cell.
template <typename F>
void completa_riempimento(scenario& s, riempimento& r, F&& scrivi) {
    do {
        if (r.posizione > s.numero_celle) return;
        scrivi(s.cella_a(r.posizione++), r.in_vigore);
    } while (r.posizione < std::int64_t{s.numero_celle} - 2);
}
