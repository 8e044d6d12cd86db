#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "driver/memoria_azzerata.h"
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

// The plan's elements in storage order. The values are plain doubles (a
// 16-bit whole number is exact in one, an empty element holds 0) and the tags
// are runs, since a plan holds a handful of them: whole numbers at the start,
// reals, then empty elements to the end of each coordinate. Every access is
// checked: an index outside throws std::out_of_range.
class elementi_planimetria {
public:
    using tipo = valore_planimetria::tipo;
    struct tratto {
        std::size_t inizio;  // the run goes on up to the next run's start
        tipo etichetta;
        bool operator==(const tratto&) const = default;
    };

    std::size_t size() const { return valori_.size(); }

    // n empty elements.
    void assign(std::size_t n);
    void clear();
    void push_back(const valore_planimetria& v);

    valore_planimetria operator[](std::size_t i) const;
    void poni(std::size_t i, const valore_planimetria& v);
    // Elements da - 2 .. a - 1, with da .. a - 1 tagged as reals: what a run
    // of steps reads and fills, each element from the two before it.
    std::span<double> passi(std::size_t da, std::size_t a);

    std::span<const double> valori() const { return valori_; }
    const std::vector<tratto>& tratti() const { return tratti_; }
    // The end of the run at position r of tratti().
    std::size_t fine_tratto(std::size_t r) const { return r + 1 < tratti_.size() ? tratti_[r + 1].inizio : size(); }

    bool operator==(const elementi_planimetria&) const = default;

private:
    void controlla(std::size_t da, std::size_t a) const;
    void etichetta(std::size_t da, std::size_t a, tipo t);
    tipo etichetta_di(std::size_t i) const;

    std::vector<double, allocatore_azzerato<double>> valori_;
    std::vector<tratto> tratti_;
};

// The plan, stored with the metre varying fastest: all first coordinates,
// then all second coordinates.
struct planimetria_percorso {
    // One element to read and assign, for code that sets single elements.
    class riferimento : public valore_planimetria {
    public:
        riferimento(elementi_planimetria& e, std::size_t i) : valore_planimetria(e[i]), e_(&e), i_(i) {}
        riferimento(const riferimento&) = default;
        riferimento& operator=(const valore_planimetria& v) {
            e_->poni(i_, v);
            static_cast<valore_planimetria&>(*this) = (*e_)[i_];
            return *this;
        }
        riferimento& operator=(const riferimento& v) { return *this = static_cast<const valore_planimetria&>(v); }

    private:
        elementi_planimetria* e_;
        std::size_t i_;
    };

    std::int64_t metri = 0;  // metres 0 .. metri - 1
    elementi_planimetria elementi;

    bool esiste() const { return metri > 0; }
    void crea(std::int64_t numero_metri) {
        metri = numero_metri;
        elementi.assign(static_cast<std::size_t>(2 * numero_metri));
    }
    void elimina() {
        metri = 0;
        elementi.clear();
    }
    riferimento operator()(std::int64_t metro, int coordinata) { return {elementi, indice(metro, coordinata)}; }
    valore_planimetria operator()(std::int64_t metro, int coordinata) const {
        return elementi[indice(metro, coordinata)];
    }

    // Metres da - 2 .. a of one coordinate, with da .. a tagged as reals: what
    // a run of steps reads and fills, each metre from the two before it. The
    // range is checked here, once, for the whole run.
    std::span<double> passi(int coordinata, std::int64_t da, std::int64_t a);
    // The check passi makes, alone: std::out_of_range unless 2 <= da <= a < metri.
    void controlla_passi(std::int64_t da, std::int64_t a) const;

private:
    std::size_t indice(std::int64_t metro, int coordinata) const {
        return static_cast<std::size_t>(coordinata * metri + metro);
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
