#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/memoria_azzerata.h"
#include "model/problemi.h"

// What the reader did with a field, for the authors' diagnostics: a row's
// value, an examined key, or a field read where a key is expected and
// passed over (a filler, the search for "[generale]", the file's last field).
enum class ruolo_campo : std::uint8_t { valore, chiave, scartato };

// One field as the reader met it: where it begins, its text as written (a
// quoted field without its quotes), and the number it gave. The text is a
// view into the record's copy of the source, so a field takes 32 bytes.
struct campo_letto {
    std::string_view testo;
    std::int64_t riga = 0;
    std::int32_t valore = 0;
    bool numero = false;
    ruolo_campo ruolo = ruolo_campo::valore;
};

// Every field read from one source. A long source's trace runs to megabytes,
// so it takes its memory as the plan does.
using traccia_campi = std::vector<campo_letto, allocatore_azzerato<campo_letto>>;

// Where a cell's object came from: the row that placed it, and whether the
// post-pass put it there for that row (an automatic abatement point).
struct origine_oggetto {
    riga_sorgente riga;
    bool automatico = false;

    bool operator==(const origine_oggetto&) const = default;
};

// The record of which row placed what, kept beside the model and never in
// its cells: filled as the rows place their objects, for the authors'
// diagnostics and for any reader that wants to point back at the sources.
// Only scenario_tool keeps one; the compile leaves the model the same with or
// without it.
struct registro_righe {
    std::map<std::int64_t, origine_oggetto> celle;  // by cell index
    std::array<traccia_campi, 2> campi;  // every field read, by source file
    // The sources the fields view. Each in a block of its own, so that moving
    // the record leaves the views valid; never copied, since a copy's views
    // would not be.
    using testo_conservato = std::vector<char, allocatore_azzerato<char>>;
    std::vector<std::unique_ptr<const testo_conservato>> sorgenti;

    std::string_view conserva(std::string_view sorgente) {
        const auto& t = *sorgenti.emplace_back(std::make_unique<const testo_conservato>(sorgente.begin(), sorgente.end()));
        return {t.data(), t.size()};
    }

    traccia_campi& traccia(file_sorgente file) { return campi[file == file_sorgente::linea ? 0 : 1]; }
    const traccia_campi& traccia(file_sorgente file) const {
        return campi[file == file_sorgente::linea ? 0 : 1];
    }
    const origine_oggetto* origine(std::int64_t cella) const {
        auto it = celle.find(cella);
        return it == celle.end() ? nullptr : &it->second;
    }
};
