#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/righe.h"

// One row as the reader met it: its key field and the value fields read for
// it, in order (none when the key matched nothing). A view into the record's
// trace, valid while the record is.
// The view first and the two small members together: 24 bytes a row, not 32.
struct riga_letta {
    std::span<const campo_letto> campi;  // the key first
    file_sorgente file = file_sorgente::linea;
    bool generale = false;  // a key of the line source's general section

    const campo_letto& chiave() const { return campi.front(); }
    std::int64_t riga() const { return chiave().riga; }
    std::int64_t ultima_riga() const { return campi.back().riga; }
    bool riconosciuta() const { return campi.size() > 1; }
    // The i-th value field (from 1), when it was read.
    std::optional<std::int32_t> valore(std::size_t i) const {
        if (i >= campi.size() || !campi[i].numero) return std::nullopt;
        return campi[i].valore;
    }
    riga_sorgente dove() const { return {file, riga()}; }
};

// The rows of one source file, from the reader's trace.
std::vector<riga_letta> righe_lette(const registro_righe& righe, file_sorgente file);

// The rows of both source files, made once for every reader of them.
struct righe_dei_file {
    std::vector<riga_letta> linea;
    std::vector<riga_letta> treno;

    explicit righe_dei_file(const registro_righe& righe)
        : linea(righe_lette(righe, file_sorgente::linea)), treno(righe_lette(righe, file_sorgente::treno)) {}
    const std::vector<riga_letta>& di(file_sorgente f) const { return f == file_sorgente::linea ? linea : treno; }
};

// The last row whose key stands on the given line.
const riga_letta* riga_a(const std::vector<riga_letta>& righe, std::int64_t riga);

// A field in key position that holds a section header ("[pendenze]").
bool intestazione(std::string_view campo);
