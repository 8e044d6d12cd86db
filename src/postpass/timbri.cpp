#include "postpass/timbri.h"

#include "reader/ascii.h"

namespace {

constexpr std::int16_t timbro_voci = 610;
constexpr std::int16_t timbro_celle = 5121;
constexpr std::size_t caratteri_codice = 25;
const std::string riempitivo = "qqwweerrttyyuuiiooppaassdd";

// Windows-1252 capitals to their small letters; every other byte stays.
unsigned char minuscola(unsigned char c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) return 0xFF;
    return static_cast<unsigned char>(minuscola_ascii(static_cast<char>(c)));
}

// The text both codes are computed over.
std::string testo_codice(const scenario& s) {
    std::string t = s.voci[voce_treno].testo + s.voci[voce_percorso].testo;
    for (char& c : t) c = static_cast<char>(minuscola(static_cast<unsigned char>(c)));
    return t + riempitivo;
}

std::string descrivi_cella_uno(const scenario& s, const char* valore, std::int16_t v) {
    const cella& c = s.cella_a(1);
    return "cell 1 (the first 50 m of the route) holds object " + std::to_string(c.oggetto) + " (" +
           std::string(descrizione_oggetto(c.oggetto)) + ") with a " + valore + " value of " + std::to_string(v);
}

}  // namespace

std::int32_t codice_gara_st(const scenario& s) {
    const std::string t = testo_codice(s);
    std::int32_t codice = 0;
    for (std::size_t i = 0; i < caratteri_codice; ++i)
        codice += static_cast<std::int32_t>(i + 1) * static_cast<unsigned char>(t[i]);
    return codice;
}

std::int16_t codice_gara_og(const scenario& s) {
    const std::string t = testo_codice(s);
    std::int32_t codice = 0;
    for (std::size_t i = 0; i < caratteri_codice; ++i) codice += static_cast<unsigned char>(t[i]);
    return static_cast<std::int16_t>(codice);
}

std::optional<conflitto_timbro> timbra(scenario& s) {
    voce& percorso = s.voci[voce_percorso];
    cella& prima = s.cella_a(1);
    if (percorso.valore1 != 0 || prima.dato1 != 0)
        return conflitto_timbro{problema_timbro, descrivi_cella_uno(s, "first", prima.dato1) + ", where the stamp goes"};
    percorso.valore1 = timbro_voci;
    prima.dato1 = timbro_celle;
    if (percorso.orario != 0 || prima.dato2 != 0)
        return conflitto_timbro{problema_codice_gara,
                                descrivi_cella_uno(s, "second", prima.dato2) + ", where the check code goes"};
    percorso.orario = codice_gara_st(s);
    prima.dato2 = codice_gara_og(s);
    return std::nullopt;
}
