#include "driver/nomi_file.h"

nomi_file nomi_scenario(const std::string& nome_percorso, const std::string& numero_treno) {
    const std::string treno = nome_percorso + "_" + numero_treno;
    return {
        nome_percorso + "_linea.txt",
        treno + "-.txt",
        treno + "_note.txt",
        treno + "_rallentamenti.txt",
        treno + "_scheda_treno.txt",
        nome_percorso + "_linea.dat",
        treno + ".sim",
        treno + ".dat",
    };
}
