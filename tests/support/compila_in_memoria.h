#pragma once

#include <optional>
#include <string>

#include "compile/compilazione.h"
#include "compile/sorgenti.h"

// A compile of source texts held in memory, as the builder runs it on files.
inline risultato_percorso compila_testi(std::optional<std::string> linea, std::optional<std::string> treno,
                                        std::int32_t j = 1) {
    sorgenti_in_memoria sorgenti(std::move(linea), std::move(treno));
    return compila("Prova", "1", j, sorgenti);
}

// A line source with a general section holding only the length, then the body.
inline std::string linea_con(const std::string& corpo, int lunghezza = 5000) {
    std::string testo = "[generale]\r\nlunghezza percorso, ";
    testo.append(std::to_string(lunghezza)).append("\r\n[corpo]\r\n").append(corpo).append("[fine]\r\n");
    return testo;
}

// A train source with the given rows after "[generale]".
inline std::string treno_con(const std::string& corpo) { return "[generale]\r\n" + corpo + "[fine]\r\n"; }
