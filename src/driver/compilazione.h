#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "driver/piattaforma.h"
#include "driver/sorgenti.h"
#include "model/modello.h"
#include "postpass/timbri.h"

// The compiler: the line half, then the train half. Every run-time failure
// inside is caught here and recorded as code 25; the sources still standing
// are deleted and the compile returns normally.
void memorizza_dati(scenario& s, sorgenti_compilazione& sorgenti);

enum class esito_percorso {
    completo,     // the model is complete; codice_errore tells whether a problem was found
    senza_celle,  // the line source never made the cells: no scenario file can be written
    conflitto,    // a reserved field was taken (1250 or 1251): no scenario file may be written
};

struct risultato_percorso {
    esito_percorso esito = esito_percorso::completo;
    std::optional<conflitto_timbro> conflitto;
};

// Everything of the compile driver but the files: clears the error state and
// voci, compiles, runs the cell post-pass and stamps the header.
risultato_percorso compila(scenario& s, std::int32_t j, sorgenti_compilazione& sorgenti);

// The compile driver: compila, then the binary files into the folder (the
// plan only when j is not 0). File failures are thrown as errore_file.
risultato_percorso memorizza_percorso(scenario& s, std::int32_t j, sorgenti_compilazione& sorgenti, piattaforma& p,
                                      const std::string& cartella);
