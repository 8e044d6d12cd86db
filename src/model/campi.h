#pragma once

#include <concepts>
#include <type_traits>

#include "model/modello.h"

// The one field list of each record, in the order the files hold them: the
// encoder, the decoder and both dumps walk it, so a field is named here and
// nowhere else. f is called as f(name, field) for each field in turn.

template <typename C, typename F>
    requires std::same_as<std::remove_const_t<C>, cella>
constexpr void campi_cella(C& c, F&& f) {
    f("oggetto", c.oggetto);
    f("dato1", c.dato1);
    f("dato2", c.dato2);
    f("dato3", c.dato3);
    f("dato4", c.dato4);
    f("tempo_segnale", c.tempo_segnale);
    f("ripetizione", c.ripetizione);
    f("montagna", c.montagna);
    f("velocita", c.velocita);
    f("pendenza", c.pendenza);
    f("aderenza", c.aderenza);
}

template <typename V, typename F>
    requires std::same_as<std::remove_const_t<V>, voce>
constexpr void campi_voce(V& v, F&& f) {
    f("categoria", v.categoria);
    f("inizio_tratto", v.inizio_tratto);
    f("fine_tratto", v.fine_tratto);
    f("punto", v.punto);
    f("opzione", v.opzione);
    f("testo", v.testo);
    f("valore1", v.valore1);
    f("valore2", v.valore2);
    f("valore3", v.valore3);
    f("valore4", v.valore4);
    f("valore5", v.valore5);
    f("scelta1", v.scelta1);
    f("scelta2", v.scelta2);
    f("scelta3", v.scelta3);
    f("scelta4", v.scelta4);
    f("orario", v.orario);
}

// The bytes of a cell in the cell file: the sum of its field widths.
inline constexpr std::size_t byte_cella = [] {
    std::size_t n = 0;
    cella c;
    campi_cella(c, [&](const char*, const auto& campo) { n += sizeof campo; });
    return n;
}();
