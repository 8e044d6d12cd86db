#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/modello.h"
#include "model/problemi.h"

// A reserved field that something else had already taken: the build stops
// with 1250 (stamp fields) or 1251 (check-code fields).
struct conflitto_timbro {
    codice_problema numero = problema_timbro;
    std::string campo;  // which field, in plain words
};

// Writes the stamps 610 and 5121 and the two check codes into voci(85) and
// cell 1, unless one of those fields is already in use.
std::optional<conflitto_timbro> timbra(scenario& s);

// The check codes over the first 25 characters of the lower-cased train
// number and route identifier, padded with a fixed filler.
std::int32_t codice_gara_st(const scenario& s);
std::int16_t codice_gara_og(const scenario& s);
