#pragma once

#include <optional>
#include <string>

#include "driver/compilazione.h"
#include "driver/sorgenti.h"

// A compile of source texts held in memory, as the builder runs it on files.
struct compilazione_prova {
    scenario s;
    risultato_percorso risultato;
};

inline compilazione_prova compila_testi(std::optional<std::string> linea, std::optional<std::string> treno,
                                        std::int32_t j = 1) {
    compilazione_prova c;
    c.s.nome_percorso = "Prova";
    c.s.numero_treno = "1";
    sorgenti_in_memoria sorgenti(std::move(linea), std::move(treno));
    c.risultato = compila(c.s, j, sorgenti);
    return c;
}

// A line source with a general section holding only the length, then the body.
inline std::string linea_con(const std::string& corpo, int lunghezza = 5000) {
    return "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) + "\r\n[corpo]\r\n" + corpo + "[fine]\r\n";
}

// A train source with the given rows after "[generale]".
inline std::string treno_con(const std::string& corpo) { return "[generale]\r\n" + corpo + "[fine]\r\n"; }
