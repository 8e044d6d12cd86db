#pragma once

// The largest file each read accepts. Anything larger is refused before a
// byte of it is read.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "driver/piattaforma.h"
#include "model/modello.h"
#include "output/lettura_binari.h"

// The longest route the line source can give (code 1 above it), and what
// follows from it: lunghezza_estesa = L + 7000 and numero_celle =
// lunghezza_estesa / 50.
inline constexpr std::uint64_t lunghezza_percorso_massima = 1000000;
inline constexpr std::uint64_t lunghezza_estesa_massima = lunghezza_percorso_massima + 7000;
inline constexpr std::uint64_t numero_celle_massimo = lunghezza_estesa_massima / 50;
static_assert(lunghezza_estesa_massima % 50 == 0, "no rounding in numero_celle_massimo");

// The three scenario files at their largest: cells 0 to
// numero_celle of 15 bytes (302115); 87 records of 34 bytes and a text of at
// most 65535 (5704503); 2 x (lunghezza_estesa + 1) plan elements of at most
// 10 bytes each (20140020).
inline constexpr std::uint64_t byte_massimi_celle = 15 * (numero_celle_massimo + 1);
inline constexpr std::uint64_t byte_massimi_voci = std::uint64_t{numero_voci} * (34 + 65535);
inline constexpr std::uint64_t byte_massimi_planimetria = 2 * (lunghezza_estesa_massima + 1) * 10;
static_assert(byte_massimi_celle == 302115);
static_assert(byte_massimi_voci == 5704503);
static_assert(byte_massimi_planimetria == 20140020);
static_assert(elementi_planimetria_massimi == 2 * (lunghezza_estesa_massima + 1));

inline constexpr limite_lettura limite_celle{byte_massimi_celle, "a cell track", true};
inline constexpr limite_lettura limite_voci{byte_massimi_voci, "a record table", true};
inline constexpr limite_lettura limite_planimetria{byte_massimi_planimetria, "a plan", true};

// The limit of a scenario file, from the decoder that will read it.
inline const limite_lettura& limite_scenario(std::vector<cella> (*)(std::string_view)) { return limite_celle; }
inline const limite_lettura& limite_scenario(std::array<voce, numero_voci> (*)(std::string_view)) { return limite_voci; }
inline const limite_lettura& limite_scenario(planimetria_percorso (*)(std::string_view)) { return limite_planimetria; }
