#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The compile's problem codes, each named once; descrizione_codice holds the
// sentence of each.
enum codice_problema : std::int32_t {
    problema_lunghezza_eccessiva = 1,         // route length above 1000000 m
    problema_progressiva_fuori_griglia = 2,   // a kilometric progressive off the 50 m grid
    problema_inizio_ripetizione = 3,          // signal repetition start off the grid
    problema_fine_ripetizione = 4,            // signal repetition end off the grid
    problema_codici_ripetizione = 5,          // repetition key names neither 4 nor 9 codes
    problema_indicazione_occupata = 6,        // indication board's cell taken
    problema_abbattimento_occupato = 7,       // abatement row's cell taken
    problema_stazione_fuori_griglia = 8,      // station position off the 50 m grid
    problema_lunghezza_stazione = 9,          // station length not a multiple of 100
    problema_troppe_stazioni = 10,            // station slots reach the indication texts
    problema_punto_segnale_avviso = 11,       // post-pass: no cell before a signal ahead of a warning
    problema_punto_prima_rallentamento = 12,  // post-pass: no cell before a restriction
    problema_punto_dopo_rallentamento = 13,   // post-pass: no cell inside or after a restriction
    problema_fuori_celle = 15,                // a row outside the route's cells
    problema_segnale_occupato = 16,
    problema_avviso_occupato = 17,
    problema_inizio_occupato = 18,
    problema_fine_occupata = 19,
    problema_prima_avviso_occupata = 20,
    problema_indicatore_occupato = 21,        // speed indicator board's cell taken
    problema_stazioni_vicine = 22,
    problema_fermata_iniziale = 24,           // station stop at cell 1 or before
    problema_guasto = 25,                     // a run-time failure of the compile
    problema_manca_linea = 101,
    problema_manca_generale = 102,
    problema_curva = 103,
    problema_timbro = 1250,                   // the stamp fields were already taken
    problema_codice_gara = 1251,              // the check-code fields were already taken
};

// Every code in the order of its number.
const std::vector<codice_problema>& codici_problema();

// One short, plain sentence for each code.
std::string_view descrizione_codice(std::int32_t codice);

enum class file_sorgente { linea, treno };

// Where a row's key field stands: which source file, line counted from 1.
struct riga_sorgente {
    file_sorgente file = file_sorgente::linea;
    std::int64_t riga = 0;

    bool operator==(const riga_sorgente&) const = default;
};

struct registro_righe;

// One compile problem as it was recorded.
struct problema {
    std::int32_t codice = 0;
    std::optional<std::int32_t> posizione;  // metres, for the codes that set one
    std::optional<riga_sorgente> riga;       // the row that raised it
    std::string dettaglio;                   // what exactly failed, for run-time failures

    bool operator==(const problema&) const = default;
};

// The compile's error state, kept beside the model: the last code and
// position as the compile leaves them, every problem in the order found, and
// the row in hand so that a problem can point at it.
struct registro_problemi {
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;
    std::vector<problema> elenco;
    std::optional<riga_sorgente> riga_in_corso;
    registro_righe* righe = nullptr;  // the record of which row placed what, when one is kept

    // codice_errore (and posizione_errore when given) take the problem, and
    // it joins the list, tied to the row in hand.
    void registra(std::int32_t codice, std::optional<std::int32_t> posizione = std::nullopt, std::string dettaglio = {});

    // The row in hand placed the object of this cell (when a record is kept).
    void segna_cella(std::int64_t cella);
    // The post-pass placed a point at this cell for the object at causa.
    void segna_automatico(std::int64_t cella, std::int64_t causa);
    // The row that placed the object at this cell, when known.
    std::optional<riga_sorgente> riga_di(std::int64_t cella) const;
};
