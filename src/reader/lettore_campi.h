#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/righe.h"
#include "reader/ascii.h"

// Reads a source text as a stream of fields separated by commas and line
// ends. Blanks are space and tab; a line end is CR LF, a lone LF or a lone CR.
// A read that starts at the end of the data, an unterminated quote or text in
// a number field is a run-time failure (errore_esecuzione).
class lettore_campi {
public:
    explicit lettore_campi(std::string_view dati);

    // The end test: true when every byte has been read.
    bool fine() const { return pos_ == dati_.size(); }

    // A text field: quoted up to the next quote, or up to the next comma or
    // line end with the blanks at its end removed.
    std::string leggi_testo() { return std::string(leggi_vista()); }
    // The same field as a view into the data, valid while the data is (or,
    // when tracing, while the record is).
    std::string_view leggi_vista();
    // A number field, also ended by a blank; empty reads 0, a fraction is
    // rounded halves to even, and the value must fit 32 bits.
    std::int32_t leggi_numero();

    // n number fields in a row.
    template <std::size_t n>
    std::array<std::int32_t, n> leggi_numeri() {
        std::array<std::int32_t, n> valori{};
        for (auto& v : valori) v = leggi_numero();
        return valori;
    }

    // The line (from 1) on which the last field read begins.
    std::int64_t riga_ultimo_campo() const { return riga_ultimo_; }

    // Every field read from now on is appended to the record's trace of the
    // file; the reader goes on in the record's own copy of the data, which
    // the traced texts view.
    void traccia_in(registro_righe& righe, file_sorgente file);
    // Tells the trace what the last field read was.
    void segna_ultimo(ruolo_campo ruolo) {
        if (traccia_ && !traccia_->empty()) traccia_->back().ruolo = ruolo;
    }

private:
    bool a_fine_riga() const;
    void consuma_fine_riga();
    void salta_blanchi();
    void inizia_campo();
    std::string_view leggi_tra_virgolette();
    void conta_fini_riga(std::size_t da, std::size_t a);
    std::string_view traccia(std::string_view campo);
    std::int32_t traccia_numero(std::string_view campo, std::int32_t valore);

    std::string_view dati_;
    std::size_t pos_ = 0;
    // Line ends are passed only by consuma_fine_riga and inside quotes, so
    // the line at pos_ is counted as they are passed.
    std::int64_t riga_ = 1;
    std::int64_t riga_ultimo_ = 1;
    traccia_campi* traccia_ = nullptr;
};

// Containment tests on fields; the case-blind one folds A to Z only.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_senza_maiuscole(std::string_view campo, std::string_view parola);

// A key folded once for the many case-blind tests of one row.
class chiave_senza_maiuscole {
public:
    explicit chiave_senza_maiuscole(std::string_view chiave) : minuscola_(minuscolo_ascii(chiave)) {}
    // The word must be in lower case already.
    bool contiene(std::string_view parola_minuscola) const {
        return minuscola_.find(parola_minuscola) != std::string::npos;
    }

private:
    std::string minuscola_;
};
