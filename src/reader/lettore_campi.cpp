#include "reader/lettore_campi.h"

#include <algorithm>

#include "model/conversioni.h"
#include "reader/ascii.h"

namespace {

bool blanco(char c) { return c == ' ' || c == '\t'; }
bool cifra(char c) { return c >= '0' && c <= '9'; }

std::string_view senza_blanchi(std::string_view t) {
    while (!t.empty() && blanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && blanco(t.back())) t.remove_suffix(1);
    return t;
}

// Shows a field in a message without flooding it.
std::string citazione(std::string_view t) {
    constexpr std::size_t massimo = 40;
    return "'" + std::string(t.substr(0, massimo)) + (t.size() > massimo ? "...'" : "'");
}

[[noreturn]] void non_numero(std::string_view testo) {
    throw errore_esecuzione("text in a number field: " + citazione(testo));
}

// Optional sign, digits with an optional point and fraction, at least one
// digit; the fraction rounds halves to even.
std::int32_t interpreta_numero(std::string_view testo) {
    if (testo.empty()) return 0;
    std::size_t i = 0;
    bool negativo = false;
    if (testo[i] == '+' || testo[i] == '-') negativo = testo[i++] == '-';
    constexpr std::int64_t tetto = std::int64_t{1} << 40;
    std::int64_t intero = 0;
    std::size_t cifre = 0;
    for (; i < testo.size() && cifra(testo[i]); ++i, ++cifre) intero = std::min(tetto, intero * 10 + (testo[i] - '0'));
    int primo_decimale = -1;
    bool altri_decimali = false;
    if (i < testo.size() && testo[i] == '.') {
        for (++i; i < testo.size() && cifra(testo[i]); ++i, ++cifre) {
            if (primo_decimale < 0)
                primo_decimale = testo[i] - '0';
            else if (testo[i] != '0')
                altri_decimali = true;
        }
    }
    if (i != testo.size() || cifre == 0) non_numero(testo);
    bool su = primo_decimale > 5 || (primo_decimale == 5 && (altri_decimali || intero % 2 == 1));
    if (su) ++intero;
    if (negativo) intero = -intero;
    if (intero < INT32_MIN || intero > INT32_MAX)
        throw errore_esecuzione("the number " + citazione(testo) + " does not fit 32 bits");
    return static_cast<std::int32_t>(intero);
}

}  // namespace

lettore_campi::lettore_campi(std::string_view dati) : dati_(dati) {}

// A line begins after each LF, after each CR not followed by LF, and after
// each CR LF (counted at its LF).
void lettore_campi::conta_fini_riga(std::size_t da, std::size_t a) {
    for (std::size_t i = da; i < a; ++i) {
        const char c = dati_[i];
        if (c == '\n' || (c == '\r' && (i + 1 == dati_.size() || dati_[i + 1] != '\n'))) ++riga_;
    }
}

bool lettore_campi::a_fine_riga() const { return !fine() && (dati_[pos_] == '\r' || dati_[pos_] == '\n'); }

void lettore_campi::consuma_fine_riga() {
    if (dati_[pos_] == '\r' && pos_ + 1 < dati_.size() && dati_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++riga_;
}

void lettore_campi::salta_blanchi() {
    while (!fine() && blanco(dati_[pos_])) ++pos_;
}

void lettore_campi::inizia_campo() {
    if (fine()) throw errore_esecuzione("the source ends where a field was expected (a row cut short?)");
    salta_blanchi();
    riga_ultimo_ = riga_;
}

std::string_view lettore_campi::leggi_tra_virgolette() {
    std::size_t chiusa = dati_.find('"', pos_ + 1);
    if (chiusa == std::string_view::npos)
        throw errore_esecuzione("a quote opened on line " + std::to_string(riga_) + " is never closed");
    std::string_view campo = dati_.substr(pos_ + 1, chiusa - pos_ - 1);
    conta_fini_riga(pos_ + 1, chiusa);
    pos_ = chiusa + 1;
    salta_blanchi();
    if (fine()) return campo;
    if (dati_[pos_] == ',') {
        ++pos_;
        return campo;
    }
    if (!a_fine_riga()) throw errore_esecuzione("text after a closing quote: " + citazione(dati_.substr(pos_)));
    consuma_fine_riga();
    return campo;
}

std::string_view lettore_campi::leggi_vista() {
    inizia_campo();
    if (!fine() && dati_[pos_] == '"') return traccia(leggi_tra_virgolette());
    std::size_t inizio = pos_;
    while (!fine() && dati_[pos_] != ',' && !a_fine_riga()) ++pos_;
    std::string_view campo = dati_.substr(inizio, pos_ - inizio);
    while (!campo.empty() && blanco(campo.back())) campo.remove_suffix(1);
    if (!fine()) {
        if (dati_[pos_] == ',')
            ++pos_;
        else
            consuma_fine_riga();
    }
    return traccia(campo);
}

std::int32_t lettore_campi::leggi_numero() {
    inizia_campo();
    if (!fine() && dati_[pos_] == '"') {
        std::string_view testo = senza_blanchi(leggi_tra_virgolette());
        return traccia_numero(testo, interpreta_numero(testo));
    }
    std::size_t inizio = pos_;
    while (!fine() && dati_[pos_] != ',' && !blanco(dati_[pos_]) && !a_fine_riga()) ++pos_;
    std::string_view campo = dati_.substr(inizio, pos_ - inizio);
    salta_blanchi();
    if (!fine()) {
        if (dati_[pos_] == ',')
            ++pos_;
        else if (a_fine_riga())
            consuma_fine_riga();
    }
    return traccia_numero(campo, interpreta_numero(campo));
}

// Room for a usual source's fields up front, so that the trace seldom moves:
// a field with its separator rarely takes under four bytes. Capped, so that a
// huge source does not reserve far more than it may need.
void lettore_campi::traccia_in(registro_righe& righe, file_sorgente file) {
    constexpr std::size_t campi_riservati_massimi = std::size_t{1} << 20;
    dati_ = righe.conserva(dati_);
    traccia_ = &righe.traccia(file);
    traccia_->reserve(traccia_->size() + std::min(dati_.size() / 4 + 1, campi_riservati_massimi));
}

std::string_view lettore_campi::traccia(std::string_view campo) {
    if (traccia_) traccia_->push_back({.testo = campo, .riga = riga_ultimo_});
    return campo;
}

std::int32_t lettore_campi::traccia_numero(std::string_view campo, std::int32_t valore) {
    if (traccia_) traccia_->push_back({.testo = campo, .riga = riga_ultimo_, .valore = valore, .numero = true});
    return valore;
}

bool contiene(std::string_view campo, std::string_view parola) { return campo.find(parola) != std::string_view::npos; }

bool contiene_senza_maiuscole(std::string_view campo, std::string_view parola) {
    auto trovato = std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                               [](char a, char b) { return minuscola_ascii(a) == minuscola_ascii(b); });
    return trovato != campo.end() || parola.empty();
}
