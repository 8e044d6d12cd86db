#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/modello.h"

// The three files of a compiled scenario, decoded; no plan when the scenario
// was compiled without one.
struct file_compilati {
    std::vector<cella> celle;
    std::array<voce, numero_voci> voci{};
    std::optional<planimetria_percorso> planimetria;
};

enum class file_scenario { planimetria, voci, celle };

// One cell, record slot or plan metre that a compile of the recovered
// sources does not give back: what is stored, what the sources give, why.
struct differenza {
    file_scenario dove;
    std::string testo;
};

// Sources recovered from compiled files, and what a compile of them does not
// give back: one line per differing cell, record slot or plan metre (empty
// when every byte matches).
struct decompilazione {
    std::vector<std::string> righe_linea;  // Windows-1252 bytes, without line ends
    std::vector<std::string> righe_treno;
    std::vector<differenza> differenze;
};

// Why the files cannot be the scenario of that route and train, or nothing:
// the names stored in the record table, and the sizes of the cell track and
// the plan against the route length.
std::optional<std::string> controlla_file_compilati(const file_compilati& f, const std::string& nome_percorso,
                                                    const std::string& numero_treno);

// Rows back from cells: the line source and the train source whose compile
// writes the same files, verified by compiling them.
decompilazione decompila(const file_compilati& f, const std::string& nome_percorso, const std::string& numero_treno);

// A source file's bytes: each line followed by CR LF.
std::string testo_sorgente(const std::vector<std::string>& righe);
