#pragma once

#include <cstdint>

// R(x): the nearest whole number, halves to the even one (1.5 and 2.5 both give 2).
double arrotonda(double x);

// A cell index from a position: position / 50 in double, plus the placing
// rule's offset, rounded with R. Positions are 32-bit, so the result always
// fits 64 bits.
std::int64_t indice_cella(std::int64_t posizione, double scostamento);
