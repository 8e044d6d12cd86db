#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compile/sorgenti.h"
#include "driver/piattaforma.h"
#include "model/modello.h"
#include "model/problemi.h"
#include "postpass/timbri.h"

enum class esito_percorso {
    completo,     // the model is complete; the log tells whether a problem was found
    senza_celle,  // the line source never made the cells: no scenario file can be written
    conflitto,    // a reserved field was taken (1250 or 1251): no scenario file may be written
};

// What one compile leaves: the model, its problem log, and whether the
// binary files may be written.
struct risultato_percorso {
    scenario modello;
    registro_problemi registro;
    esito_percorso esito = esito_percorso::completo;
    std::optional<conflitto_timbro> conflitto;
};

// The compiler: the line half, then the train half. Every run-time failure
// inside is caught here and recorded as code 25; the sources still standing
// are deleted and the compile returns normally.
void memorizza_dati(scenario& s, registro_problemi& log, sorgenti_compilazione& sorgenti);

// Everything of the compile driver but the files: a fresh model for the
// route and train, compiled from the sources, with the cell post-pass and the
// header stamps. With a record of rows, it also notes there which row placed
// what; the model comes out the same.
risultato_percorso compila(const std::string& nome_percorso, const std::string& numero_treno, std::int32_t j,
                           sorgenti_compilazione& sorgenti, registro_righe* righe = nullptr);

// The compile driver: compila for the route and train that r's model names,
// into r, then the binary files into the folder (the plan only when j is not
// 0). File failures are thrown as errore_file, with r holding the compile.
void memorizza_percorso(risultato_percorso& r, std::int32_t j, sorgenti_compilazione& sorgenti, piattaforma& p,
                        const std::string& cartella, registro_righe* righe = nullptr);

// The binary files of a complete compile, into the folder.
void scrivi_binari(const scenario& s, piattaforma& p, const std::string& cartella);
