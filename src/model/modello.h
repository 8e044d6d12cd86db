#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/oggetti.h"

// The in-memory form of one compiled scenario: what the compiler fills and
// the binary files carry, field for field.

struct cella {
    std::uint8_t oggetto = 0;
    std::int16_t dato1 = 0;
    std::int16_t dato2 = 0;
    std::int16_t dato3 = 0;
    std::int16_t dato4 = 0;
    std::uint8_t tempo_segnale = 0;
    std::uint8_t ripetizione = 0;
    std::uint8_t montagna = 0;
    std::uint8_t velocita = 0;
    std::uint8_t pendenza = 0;
    std::uint8_t aderenza = 0;

    bool operator==(const cella&) const = default;
};

struct voce {
    std::uint8_t categoria = 0;
    std::int32_t inizio_tratto = 0;
    std::int32_t fine_tratto = 0;
    std::int32_t punto = 0;
    std::uint8_t opzione = 0;
    std::string testo;  // Windows-1252 bytes
    std::int16_t valore1 = 0;
    std::int16_t valore2 = 0;
    std::int16_t valore3 = 0;
    std::int16_t valore4 = 0;
    std::int16_t valore5 = 0;
    std::uint8_t scelta1 = 0;
    std::uint8_t scelta2 = 0;
    std::uint8_t scelta3 = 0;
    std::uint8_t scelta4 = 0;
    std::int32_t orario = 0;

    bool operator==(const voce&) const = default;
};

// One element of the plan: empty, a 16-bit whole number or a 64-bit real,
// and it keeps which of the three it is (the tag goes into the plan file).
struct valore_planimetria {
    enum class tipo : std::uint16_t { vuoto = 0, intero = 2, reale = 5 };

    tipo etichetta = tipo::vuoto;
    std::int16_t intero = 0;
    double reale = 0.0;

    static valore_planimetria da_intero(std::int16_t v) { return {tipo::intero, v, 0.0}; }
    static valore_planimetria da_reale(double v) { return {tipo::reale, 0, v}; }

    double come_reale() const { return etichetta == tipo::intero ? static_cast<double>(intero) : reale; }
    bool operator==(const valore_planimetria&) const = default;
};

inline constexpr int numero_voci = 87;
inline constexpr int voce_progressiva_tre = 81;
inline constexpr int voce_progressiva_due = 82;
inline constexpr int voce_progressiva_uno = 83;
inline constexpr int voce_treno_dati = 84;
inline constexpr int voce_percorso = 85;
inline constexpr int voce_treno = 86;
inline constexpr int prima_voce_testo = 80;

// The plan, stored with the metre varying fastest: all first coordinates,
// then all second coordinates.
struct planimetria_percorso {
    std::int64_t metri = 0;  // metres 0 .. metri - 1
    std::vector<valore_planimetria> elementi;

    bool esiste() const { return metri > 0; }
    void crea(std::int64_t numero_metri) {
        metri = numero_metri;
        elementi.assign(static_cast<std::size_t>(2 * numero_metri), valore_planimetria{});
    }
    void elimina() {
        metri = 0;
        elementi.clear();
    }
    valore_planimetria& operator()(std::int64_t metro, int coordinata) {
        return elementi.at(static_cast<std::size_t>(coordinata * metri + metro));
    }
    const valore_planimetria& operator()(std::int64_t metro, int coordinata) const {
        return elementi.at(static_cast<std::size_t>(coordinata * metri + metro));
    }
};

// The model of one scenario: what the compile fills and the binary files
// carry. Plain data; the compile's error state lives beside it
// (registro_problemi), never in it.
struct scenario {
    std::string nome_percorso;
    std::string numero_treno;
    std::int32_t j = 0;

    std::vector<cella> celle;  // cells 0 .. numero_celle once made, empty before
    std::array<voce, numero_voci> voci{};
    planimetria_percorso planimetria;

    std::int32_t lunghezza_estesa = 0;
    std::int32_t numero_celle = 0;

    bool celle_create() const { return !celle.empty(); }
    bool nelle_celle(std::int64_t indice) const { return indice >= 0 && indice <= numero_celle && celle_create(); }
    cella& cella_a(std::int64_t indice) { return celle.at(static_cast<std::size_t>(indice)); }
    const cella& cella_a(std::int64_t indice) const { return celle.at(static_cast<std::size_t>(indice)); }
};

// A cell whose object is 0 or the mountain filler 11 may take an object.
inline bool cella_libera(const cella& c) { return c.oggetto == oggetto_libero || c.oggetto == oggetto_marca_montagna; }
