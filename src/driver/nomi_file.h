#pragma once

#include <string>

// The names of the eight files of a scenario, from the route identifier and
// the train number.
struct nomi_file {
    std::string sorgente_linea;   // {route}_linea.txt
    std::string sorgente_treno;   // {route}_{train}-.txt
    std::string note;             // {route}_{train}_note.txt
    std::string rallentamenti;    // {route}_{train}_rallentamenti.txt
    std::string scheda;           // {route}_{train}_scheda_treno.txt
    std::string planimetria;      // {route}_linea.dat
    std::string voci;             // {route}_{train}.sim
    std::string celle;            // {route}_{train}.dat
};

nomi_file nomi_scenario(const std::string& nome_percorso, const std::string& numero_treno);
