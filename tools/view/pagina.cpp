#include "view/pagina.h"

#include <cstddef>
#include <stdexcept>

#include "svg.h"

// The page's sources, joined at build time (incorpora.cmake).
extern const unsigned char pagina_modello[];
extern const std::size_t byte_pagina_modello;

namespace {

// Inside a script element nothing may read as "</script" or "<!--": every
// '<' of the data (which JSON holds only in strings) becomes \u003c.
std::string sicuro_in_script(std::string_view json) {
    std::string t;
    t.reserve(json.size());
    for (char c : json) {
        if (c == '<')
            t += "\\u003c";
        else
            t += c;
    }
    return t;
}

// The template with one marker replaced; the marker must stand in it once.
std::string sostituisci(std::string_view modello, std::string_view segnaposto, std::string_view valore) {
    const std::size_t i = modello.find(segnaposto);
    if (i == std::string_view::npos || modello.find(segnaposto, i + 1) != std::string_view::npos)
        throw std::logic_error("the page's template lacks " + std::string(segnaposto));
    return std::string(modello.substr(0, i)).append(valore).append(modello.substr(i + segnaposto.size()));
}

}  // namespace

std::string pagina_html(std::string_view dati_json, std::string_view script) {
    const std::string_view modello(reinterpret_cast<const char*>(pagina_modello), byte_pagina_modello);
    // The data go in last, so that nothing in them is taken for a marker.
    const std::string con_script = sostituisci(modello, "@SCRIPT_DATI@", testo_xml(script));
    return sostituisci(con_script, "@DATI@", sicuro_in_script(dati_json));
}

std::string script_dati(std::string_view dati_json) { return "dati_scenario(" + sicuro_in_script(dati_json) + ");\n"; }
