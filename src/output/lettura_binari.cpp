#include "output/lettura_binari.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "output/file_binari.h"

namespace {

// Takes little-endian numbers from the front of a byte string; a read past
// its end names the offset and the field that was wanted.
class lettore_le {
public:
    explicit lettore_le(std::string_view dati) : dati_(dati) {}

    std::size_t posizione() const { return pos_; }
    std::size_t rimasti() const { return dati_.size() - pos_; }
    bool fine() const { return pos_ == dati_.size(); }

    std::uint16_t u16(const char* campo) { return static_cast<std::uint16_t>(intero(2, campo)); }
    double f64(const char* campo) { return std::bit_cast<double>(intero(8, campo)); }

    // One model field of each width, named in a failure.
    void leggi(std::uint8_t& v, const char* campo) { v = static_cast<std::uint8_t>(intero(1, campo)); }
    void leggi(std::int16_t& v, const char* campo) { v = static_cast<std::int16_t>(u16(campo)); }
    void leggi(std::int32_t& v, const char* campo) {
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(intero(4, campo)));
    }
    void leggi(std::string& v, const char* campo) { v = testo(campo); }

    std::string testo(const char* campo) {
        const std::size_t inizio = pos_;
        const std::size_t n = u16(campo);
        if (n > rimasti())
            throw errore_lettura(inizio, std::string(campo) + " counts " + std::to_string(n) + " bytes but only " +
                                             std::to_string(rimasti()) + " follow");
        std::string t(dati_.substr(pos_, n));
        pos_ += n;
        return t;
    }

private:
    std::uint64_t intero(std::size_t byte, const char* campo) {
        if (byte > rimasti())
            throw errore_lettura(pos_, std::string("the file ends inside ") + campo + " (" + std::to_string(byte) +
                                           " bytes needed, " + std::to_string(rimasti()) + " left)");
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < byte; ++i)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(dati_[pos_ + i])) << (8 * i);
        pos_ += byte;
        return v;
    }

    std::string_view dati_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<cella> decodifica_celle(std::string_view byte) {
    const std::size_t resto = byte.size() % byte_cella;
    if (resto != 0)
        throw errore_lettura(byte.size() - resto, "the cell file is not a whole number of 15-byte cells (" +
                                                      std::to_string(resto) + " bytes left over)");
    lettore_le in(byte);
    std::vector<cella> celle(byte.size() / byte_cella);
    for (cella& c : celle) campi_cella(c, [&](const char* nome, auto& campo) { in.leggi(campo, nome); });
    return celle;
}

std::array<voce, numero_voci> decodifica_voci(std::string_view byte) {
    lettore_le in(byte);
    std::array<voce, numero_voci> voci{};
    for (voce& v : voci) campi_voce(v, [&](const char* nome, auto& campo) { in.leggi(campo, nome); });
    if (!in.fine())
        throw errore_lettura(in.posizione(), "the 87 records end here but " + std::to_string(in.rimasti()) +
                                                 " more bytes follow");
    return voci;
}

planimetria_percorso decodifica_planimetria(std::string_view byte) {
    using tipo = valore_planimetria::tipo;
    lettore_le in(byte);
    elementi_planimetria elementi;
    while (!in.fine()) {
        const std::size_t inizio = in.posizione();
        if (elementi.size() == elementi_planimetria_massimi)
            throw errore_lettura(inizio, "the file holds more than " + std::to_string(elementi_planimetria_massimi) +
                                             " elements, the plan of the longest route (1000000 m)");
        const std::uint16_t etichetta = in.u16("an element's tag");
        switch (etichetta) {
            case static_cast<std::uint16_t>(tipo::vuoto): elementi.push_back({}); break;
            case static_cast<std::uint16_t>(tipo::intero):
                elementi.push_back(valore_planimetria::da_intero(static_cast<std::int16_t>(in.u16("a 16-bit element"))));
                break;
            case static_cast<std::uint16_t>(tipo::reale):
                elementi.push_back(valore_planimetria::da_reale(in.f64("a 64-bit real element")));
                break;
            default:
                throw errore_lettura(inizio, "element " + std::to_string(elementi.size()) + " has the tag " +
                                                 std::to_string(etichetta) + " (only 0, 2 and 5 are known)");
        }
    }
    if (elementi.size() % 2 != 0)
        throw errore_lettura(byte.size(), "the file holds " + std::to_string(elementi.size()) +
                                              " elements, an odd number: the two coordinates must have one each per metre");
    planimetria_percorso planimetria;
    planimetria.metri = static_cast<std::int64_t>(elementi.size() / 2);
    planimetria.elementi = std::move(elementi);
    return planimetria;
}
