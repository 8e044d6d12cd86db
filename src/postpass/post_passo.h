#pragma once

#include "model/modello.h"
#include "model/problemi.h"

// The pass over the finished cells that adds automatic code abatement points
// around speed restrictions: before the signals ahead of a warning board,
// before a restriction's start, inside a slow restriction and before the first
// signal after it. Conflicts are recorded (codes 11, 12, 13) and the pass goes on.
void post_passo(scenario& s, registro_problemi& log);

// The smaller of the two, as the point lowering needs it.
std::int16_t minimo(std::int16_t x, std::int16_t y);
