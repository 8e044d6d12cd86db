#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/modello.h"

// What the picture of a scenario shows, taken from its three decoded files;
// distances are metres from the route's start.

struct punto {
    double x = 0;
    double y = 0;
};

// A run of cells with the same value.
struct tratto {
    double inizio = 0;
    double fine = 0;
    int valore = 0;
};

struct stazione_disegnata {
    std::string nome;  // UTF-8
    double inizio = 0;
    double fine = 0;
    double punto = 0;  // where the train stops
};

struct abbattimento_disegnato {
    double metro = 0;
    int valore = 0;  // 0 for a point without a value
};

struct percorso_disegnato {
    std::string titolo;
    double lunghezza = 1;  // the route's end

    std::vector<tratto> pendenze;  // per mille, 0 for level
    std::vector<tratto> velocita;  // km/h
    std::vector<tratto> montagne;  // the kind, 0 for none
    std::vector<stazione_disegnata> stazioni;
    std::vector<double> segnali;
    std::vector<double> avvisi;  // the warning boards of restrictions
    std::vector<tratto> rallentamenti;  // km/h
    std::vector<abbattimento_disegnato> abbattimenti;

    // The plan, metre by metre; a metre without a finite point is empty.
    bool con_pianta = false;
    std::vector<std::optional<punto>> pianta;
};

percorso_disegnato componi_percorso(std::string titolo, const std::array<voce, numero_voci>& voci,
                                    const std::vector<cella>& celle, const std::optional<planimetria_percorso>& planimetria);
