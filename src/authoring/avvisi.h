#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compile/diagnostica.h"
#include "model/modello.h"
#include "model/problemi.h"
#include "model/righe.h"

// The kinds of warning, each named once: a warning is an input that the
// compile ignores or alters without a problem code. Warnings never change
// what the compile writes.
enum class tipo_avviso {
    chiave_sconosciuta,
    chiave_altro_file,
    maiuscole,
    senza_generale,
    fuori_ordine,
    oltre_la_fine,
    posizione_negativa,
    frazione,
    riga_spezzata,
    nome_numerico,
    marche_perse,
    tempo_oltre_59,
    utf8,
    utf16,
};

// Every kind, in the order of the table.
const std::vector<tipo_avviso>& tipi_avviso();
// The stable name that stands in brackets after the message ("unknown-key").
std::string_view nome_avviso(tipo_avviso tipo);
// One sentence saying what the kind is about.
std::string_view descrizione_avviso(tipo_avviso tipo);

// One warning: the row (or just the file) it is about and what it says.
struct avviso {
    tipo_avviso tipo = tipo_avviso::chiave_sconosciuta;
    file_sorgente file = file_sorgente::linea;
    std::int64_t riga = 0;  // 0: the whole file
    std::string messaggio;  // UTF-8
};

// The two source texts as they were given to the compile.
struct testi_sorgente {
    std::string linea;
    std::string treno;
};

struct righe_dei_file;

// The warnings of one compile, per file in line order: read from the source
// texts, the compiled model, its problems and the record of its rows.
// Rows that raised a problem get no warning about their position.
std::vector<avviso> trova_avvisi(const testi_sorgente& testi, const scenario& s, const registro_problemi& log,
                                 const registro_righe& righe, const righe_dei_file& lette, const nomi_sorgenti& nomi);
