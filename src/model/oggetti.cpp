#include "model/oggetti.h"

#include <array>

namespace {

struct voce_oggetto {
    oggetto_cella codice;
    std::string_view nome;
    std::string_view descrizione;
};

constexpr std::array<voce_oggetto, 12> tabella_oggetti{{
    {oggetto_libero, "", "nothing"},
    {oggetto_segnale, "signal", "a signal"},
    {oggetto_fine_rallentamento, "restriction end", "the end of a speed restriction"},
    {oggetto_inizio_rallentamento, "restriction start", "the start of a speed restriction"},
    {oggetto_avviso_rallentamento, "restriction warning", "the warning board of a speed restriction"},
    {oggetto_prima_avviso, "before a warning", "a numbered cell before a restriction's warning board"},
    {oggetto_indicatore_v_max, "speed indicator board", "a speed indicator board"},
    {oggetto_fermata_stazione, "station stop", "a station stop"},
    {oggetto_marca_montagna, "mountain marker", "a mountain marker"},
    {oggetto_punto_abbattimento, "abatement point", "a code abatement point"},
    {oggetto_abbattimento_senza_valore, "abatement point without value", "a code abatement point without value"},
    {oggetto_cartello_indicazione, "indication board", "an indication board"},
}};

const voce_oggetto* cerca(std::uint8_t oggetto) {
    for (const voce_oggetto& v : tabella_oggetti)
        if (v.codice == oggetto) return &v;
    return nullptr;
}

}  // namespace

std::string_view nome_oggetto(std::uint8_t oggetto) {
    const voce_oggetto* v = cerca(oggetto);
    return v ? v->nome : "unknown object";
}

std::string_view descrizione_oggetto(std::uint8_t oggetto) {
    const voce_oggetto* v = cerca(oggetto);
    return v ? v->descrizione : "an unknown object";
}
