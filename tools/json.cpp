#include "json.h"

#include <charconv>
#include <cmath>
#include <system_error>

std::string testo_json(std::string_view utf8) {
    static const char esadecimali[] = "0123456789abcdef";
    std::string t = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"': t += "\\\""; break;
            case '\\': t += "\\\\"; break;
            case '\n': t += "\\n"; break;
            case '\r': t += "\\r"; break;
            case '\t': t += "\\t"; break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    t += "\\u00";
                    t += esadecimali[u >> 4];
                    t += esadecimali[u & 0xF];
                } else {
                    t += c;
                }
        }
    }
    return t + "\"";
}

std::string reale_json(double v) {
    if (std::isnan(v)) return "\"nan\"";
    if (std::isinf(v)) return v > 0 ? "\"inf\"" : "\"-inf\"";
    char buffer[64];
    auto [fine, errore] = std::to_chars(buffer, buffer + sizeof buffer, v);
    if (errore != std::errc{}) return "\"nan\"";  // cannot happen with 64 bytes
    return std::string(buffer, fine);
}

void scrittore_json::a_capo(std::size_t livello) {
    out_ << '\n' << std::string(2 * livello, ' ');
}

void scrittore_json::prima_di_un_elemento() {
    if (dopo_chiave_) {
        dopo_chiave_ = false;
        return;
    }
    if (vuoto_.empty()) return;
    if (!vuoto_.back()) out_ << ',';
    vuoto_.back() = false;
    if (static_cast<int>(vuoto_.size()) <= livelli_a_capo_) a_capo(vuoto_.size());
}

scrittore_json& scrittore_json::apri(char c) {
    prima_di_un_elemento();
    out_ << c;
    vuoto_.push_back(true);
    return *this;
}

scrittore_json& scrittore_json::chiudi(char c) {
    const bool era_vuoto = vuoto_.empty() || vuoto_.back();
    if (!vuoto_.empty()) vuoto_.pop_back();
    if (!era_vuoto && static_cast<int>(vuoto_.size()) < livelli_a_capo_) a_capo(vuoto_.size());
    out_ << c;
    if (vuoto_.empty()) out_ << '\n';
    return *this;
}

scrittore_json& scrittore_json::chiave(std::string_view nome) {
    prima_di_un_elemento();
    out_ << testo_json(nome) << ':';
    dopo_chiave_ = true;
    return *this;
}

scrittore_json& scrittore_json::intero(std::int64_t v) {
    prima_di_un_elemento();
    out_ << v;
    return *this;
}

scrittore_json& scrittore_json::reale(double v) {
    prima_di_un_elemento();
    out_ << reale_json(v);
    return *this;
}

scrittore_json& scrittore_json::testo(std::string_view utf8) {
    prima_di_un_elemento();
    out_ << testo_json(utf8);
    return *this;
}

scrittore_json& scrittore_json::nullo() {
    prima_di_un_elemento();
    out_ << "null";
    return *this;
}
