#include "reader/parole_chiave.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/lettore_campi.h"

namespace {

// Words that share first letters, and one that holds another.
constexpr std::array<std::string_view, 7> parole{"velocit", "vetture",  "indicat", "indicatori_v",
                                                 "segnale", "stazione", "\xE8ta"};
constexpr parole_chiave<7> cerca(parole);

// What one case-blind containment test a word answers.
std::uint32_t attese(std::string_view chiave) {
    std::uint32_t bit = 0;
    for (std::size_t k = 0; k < parole.size(); ++k)
        if (contiene_senza_maiuscole(chiave, parole[k])) bit |= std::uint32_t{1} << k;
    return bit;
}

const std::vector<std::string> chiavi = {"velocita",         "VELOCITA",         "Velocit",
                                         "veloci",           "vvelocit",         "",
                                         "indicatori_vmax",  "INDICAT",          "cartello_indicatore",
                                         "segnale stazione", "sEgNaLe, vetture", "\xC8TA",
                                         "\xE8TA",           "stazion",          "xvetturevelocit"};

TEST(ParoleChiave, TrovaLeParoleComeUnaProvaPerParola) {
    for (const std::string& c : chiavi) EXPECT_EQ(cerca.in(c), attese(c)) << c;
    EXPECT_EQ(cerca.bit({"indicat", "indicatori_v"}), 0b1100u);
    EXPECT_TRUE(tutte(cerca.in("indicatori_v"), cerca.bit({"indicat", "indicatori_v"})));
    EXPECT_FALSE(tutte(cerca.in("indicat"), cerca.bit({"indicat", "indicatori_v"})));
}

// The kept key changes with each new one, back and forth.
TEST(ParoleChiave, LUltimaChiaveRispondeComeLaRicerca) {
    ultima_chiave ultima(cerca);
    for (int giro = 0; giro < 2; ++giro)
        for (const std::string& c : chiavi) {
            EXPECT_EQ(ultima.in(c), attese(c)) << c;
            EXPECT_EQ(ultima.in(c), attese(c)) << c;
        }
}

}  // namespace
