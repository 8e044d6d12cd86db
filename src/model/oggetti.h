#pragma once

#include <cstdint>
#include <string_view>

// The kinds of object a cell holds (cella::oggetto), each named once.
enum oggetto_cella : std::uint8_t {
    oggetto_libero = 0,
    oggetto_segnale = 1,
    oggetto_fine_rallentamento = 2,
    oggetto_inizio_rallentamento = 3,
    oggetto_avviso_rallentamento = 4,
    oggetto_prima_avviso = 5,  // one of the four numbered cells before a warning board
    oggetto_indicatore_v_max = 6,
    oggetto_fermata_stazione = 10,
    oggetto_marca_montagna = 11,
    oggetto_punto_abbattimento = 12,
    oggetto_abbattimento_senza_valore = 13,
    oggetto_cartello_indicazione = 14,
};

// What a user calls each kind ("signal", "station stop"); empty for a free
// cell, "unknown object" for a byte that names no kind.
std::string_view nome_oggetto(std::uint8_t oggetto);

// The same with its article, for a sentence ("a signal").
std::string_view descrizione_oggetto(std::uint8_t oggetto);
