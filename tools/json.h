#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// A UTF-8 text as a JSON string: quoted, with quotes, backslashes and
// control characters escaped.
std::string testo_json(std::string_view utf8);

// A real number as JSON: the shortest text that reads back to the same bits;
// the values JSON cannot hold (NaN, infinities) as the strings "nan", "inf"
// and "-inf".
std::string reale_json(double v);

// Writes JSON as it goes: the commas between items are its own business.
// Items of the outer levels go on lines of their own, deeper ones stay on
// one line, so that a record is one line.
class scrittore_json {
public:
    explicit scrittore_json(std::ostream& out, int livelli_a_capo = 2) : out_(out), livelli_a_capo_(livelli_a_capo) {}

    scrittore_json& apri_oggetto() { return apri('{'); }
    scrittore_json& chiudi_oggetto() { return chiudi('}'); }
    scrittore_json& apri_lista() { return apri('['); }
    scrittore_json& chiudi_lista() { return chiudi(']'); }

    scrittore_json& chiave(std::string_view nome);
    scrittore_json& intero(std::int64_t v);
    scrittore_json& reale(double v);
    scrittore_json& testo(std::string_view utf8);
    scrittore_json& nullo();

    // A key and its value in one go.
    template <typename T>
    scrittore_json& campo(std::string_view nome, T v) {
        chiave(nome);
        if constexpr (std::is_convertible_v<T, std::string_view>)
            return testo(v);
        else if constexpr (std::is_floating_point_v<T>)
            return reale(v);
        else
            return intero(static_cast<std::int64_t>(v));
    }

private:
    scrittore_json& apri(char c);
    scrittore_json& chiudi(char c);
    void prima_di_un_elemento();
    void a_capo(std::size_t livello);

    std::ostream& out_;
    int livelli_a_capo_;
    std::vector<bool> vuoto_;  // per open level: nothing in it yet
    bool dopo_chiave_ = false;
};
