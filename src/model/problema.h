#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct scenario;

enum class file_sorgente { linea, treno };

// Where a row's key field stands: which source file, line counted from 1.
struct riga_sorgente {
    file_sorgente file = file_sorgente::linea;
    std::int64_t riga = 0;

    bool operator==(const riga_sorgente&) const = default;
};

// One compile problem as it was recorded.
struct problema {
    std::int32_t codice = 0;
    std::optional<std::int32_t> posizione;  // metres, for the codes that set one
    std::optional<riga_sorgente> riga;       // the row that raised it
    std::string dettaglio;                   // what exactly failed, for run-time failures

    bool operator==(const problema&) const = default;
};

// Stores a problem: codice_errore (and posizione_errore when given) take it,
// and it joins the list of everything found, tied to the row in hand.
void registra_problema(scenario& s, std::int32_t codice, std::optional<std::int32_t> posizione = std::nullopt,
                       std::string dettaglio = {});

// One short, plain sentence for each compile code.
std::string descrizione_codice(std::int32_t codice);

// "error 15 at 45100 m: ..." with an optional "FILE:LINE: " in front.
std::string riga_diagnostica(const problema& p, const std::string& prefisso);
