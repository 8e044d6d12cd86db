#include "output/lettura_binari.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <random>

#include "output/file_binari.h"

namespace {

TEST(LetturaBinari, RileggeCioCheGliEncoderScrivono) {
    std::vector<cella> celle(3);
    celle[1] = {200, -1, 32767, -32768, 5121, 255, 84, 3, 24, 96, 90};
    celle[2].aderenza = 1;
    EXPECT_EQ(decodifica_celle(codifica_celle(celle)), celle);

    std::array<voce, numero_voci> voci{};
    voci[1] = {8, -500, 500, 0, 1, "VALDESCA-CORNIOLA", 1, -2, 3, -4, 5, 6, 7, 8, 255, 69780};
    voci[80].testo = std::string("CITT\xC0 \x81\xFF", 8);  // every byte kept, the undefined ones too
    voci[86] = {0, -2147483647 - 1, 2147483647, 4, 0, "52816", 300, 0, 19, 21, 30, 0, 0, 0, 0, -1};
    EXPECT_EQ(decodifica_voci(codifica_voci(voci)), voci);

    planimetria_percorso pianta;
    pianta.crea(4);
    pianta(0, 0) = valore_planimetria::da_intero(0);
    pianta(1, 1) = valore_planimetria::da_intero(-32768);
    pianta(2, 0) = valore_planimetria::da_reale(-0.002);
    pianta(2, 1) = valore_planimetria::da_reale(-0.0);
    const planimetria_percorso letta = decodifica_planimetria(codifica_planimetria(pianta));
    EXPECT_EQ(letta.metri, 4);
    EXPECT_EQ(letta.elementi, pianta.elementi);
    EXPECT_TRUE(std::signbit(letta(2, 1).reale));

    EXPECT_TRUE(decodifica_celle("").empty());
    EXPECT_FALSE(decodifica_planimetria("").esiste());
}

struct caso_errore {
    const char* nome;
    std::function<void(std::string_view)> decodifica;
    std::string byte;
    std::size_t offset;
};

std::string voci_con_testo_lungo(std::uint16_t conteggio, std::size_t presenti) {
    std::string b(14, '\0');
    b += static_cast<char>(conteggio & 0xFF);
    b += static_cast<char>(conteggio >> 8);
    return b + std::string(presenti, 'A');
}

TEST(LetturaBinari, ErroriConLOffsetDoveIlFileSiGuasta) {
    auto celle = [](std::string_view b) { decodifica_celle(b); };
    auto voci = [](std::string_view b) { decodifica_voci(b); };
    auto pianta = [](std::string_view b) { decodifica_planimetria(b); };
    const std::string voci_giuste = codifica_voci({});
    const caso_errore casi[] = {
        {"cella incompleta", celle, std::string(14, '\0'), 0},
        {"seconda cella incompleta", celle, std::string(31, '\0'), 30},
        {"tabella vuota", voci, "", 0},
        {"testo piu lungo del file: al suo conteggio", voci, voci_con_testo_lungo(5, 2), 14},
        {"tabella finita dentro l'orario dell'ultima voce", voci, voci_giuste.substr(0, voci_giuste.size() - 1),
         voci_giuste.size() - 4},
        {"88 voci", voci, voci_giuste + std::string(34, '\0'), voci_giuste.size()},
        {"etichetta a meta", pianta, std::string(1, '\0'), 0},
        {"intero a meta", pianta, std::string("\0\0\x02\0\x01", 5), 4},
        {"reale a meta", pianta, std::string("\x05\0", 2) + std::string(7, '\0'), 2},
        {"etichetta 3", pianta, std::string("\0\0\x03\0", 4), 2},
        {"etichetta con il byte alto", pianta, std::string("\x02\x01", 2), 0},
        {"elementi dispari", pianta, std::string("\0\0\0\0\x02\0\x07\0", 8), 8},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        try {
            c.decodifica(c.byte);
            ADD_FAILURE() << "no error";
        } catch (const errore_lettura& e) {
            EXPECT_EQ(e.offset, c.offset) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("at offset " + std::to_string(c.offset) + ": ", 0), 0u);
        }
    }
}

// The decoders read whatever they are given: either a model or an error
// inside the data, never a crash (run under the sanitizers in CI).
TEST(LetturaBinari, ByteQualsiasi) {
    std::mt19937 casuale(20240611);
    const std::string base = codifica_voci({});
    for (int prova = 0; prova < 3000; ++prova) {
        std::string b;
        if (prova % 3 == 0) {
            b = base;  // a valid table with a few bytes changed and its length moved
            for (int k = 0; k < 4; ++k) b[casuale() % b.size()] = static_cast<char>(casuale());
            b.resize(b.size() - casuale() % 40 + casuale() % 40);
        } else {
            b.resize(casuale() % 300);
            for (char& c : b) c = static_cast<char>(casuale() % 4 == 0 ? casuale() % 6 : casuale());
        }
        for (auto decodifica : {+[](std::string_view x) { decodifica_celle(x); },
                                +[](std::string_view x) { decodifica_voci(x); },
                                +[](std::string_view x) { decodifica_planimetria(x); }}) {
            try {
                decodifica(b);
            } catch (const errore_lettura& e) {
                EXPECT_LE(e.offset, b.size());
            }
        }
    }
}

}  // namespace
