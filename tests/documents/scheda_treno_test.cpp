#include "documents/scheda_treno.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string riga_vuota = " |     |     |          |     |                            |                |     |";
const std::string regola = " |_____|_____|__________|_____|____________________________|________________|_____|";

TEST(SchedaTreno, RigheEsatte) {
    const auto& righe = righe_scheda();
    ASSERT_EQ(righe.size(), 50u);
    const std::vector<std::pair<std::size_t, std::string>> attese = {
        {0, ""},
        {1, ""},
        {2, "  ___________________                                               ______________"},
        {3, " |                   |                    SCHEDA  1/1              |              |"},
        {4, " |   TRENO n.52816   |                   da: Valdesca              |    V250 C    |"},
        {5, " |___________________|                    a: Morlano               |     130%     |"},
        {6, "                                                                   |______________|"},
        {7, "  ___________________                ___________________"},
        {8, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
        {9, " |     EUROSTAR      |              |      330T         |"},
        {10, " |___________________|              |___________________|"},
        {11, ""},
        {12, "  ________________________________________________________________________________"},
        {13, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
        {14, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
        {15, regola},
        {16, " | 120 |     |  82.200  | 120 | VALDESCA-CORNIOLA          |          19.23 |     |"},
        {17, " |     |     |  74.900  |     | Spino sul Lavello          |      19.28     |     |"},
        {18, " | 105 |     |  75.100  | 105 | Km 75.100                  |      19.28     |     |"},
        {19, " |     |     |  70.350  |     | Castelvere sul Lavello     |      19.32     |     |"},
        {20, " | 110 |     |  70.150  | 110 | Km 70.150                  |      19.32     |     |"},
        {21, " |     |     |  63.900  |     | Poggioluna                 |      19.36     |     |"},
        {22, " |     |     |  61.100  |     | Fontara                    |      19.38     |     |"},
        {23, " |     |     |  55.550  |     | Monte Savino               |      19.42     |     |"},
        {24, " |     |     |  49.800  |     | Rovella-Castigo            |      19.45     |     |"},
        {25, " |     |     |  39.850  |     | MORLANO                    |  19.51         |     |"},
        {26, regola},
        {47, regola},
        {48, ""},
        {49, ""},
    };
    for (const auto& [indice, testo] : attese) {
        EXPECT_EQ(righe[indice], testo) << "riga " << indice;
    }
    for (std::size_t i = 27; i <= 46; ++i) {
        EXPECT_EQ(righe[i], riga_vuota) << "riga " << i;
    }
}

// Every grid row is split into the same seven cells; a blank lost or added
// anywhere shifts a bar.
TEST(SchedaTreno, GrigliaACelleRegolari) {
    const auto& righe = righe_scheda();
    const std::size_t larghezze[] = {5, 5, 10, 5, 28, 16, 5};
    std::vector<std::size_t> barre = {1};
    for (const auto l : larghezze) {
        barre.push_back(barre.back() + l + 1);
    }
    for (std::size_t i = 13; i <= 47; ++i) {
        SCOPED_TRACE(i);
        const auto& riga = righe[i];
        ASSERT_EQ(riga.size(), barre.back() + 1);
        EXPECT_EQ(riga[0], ' ');
        const bool regola_riga = i == 15 || i == 26 || i == 47;
        for (std::size_t c = 1; c < riga.size(); ++c) {
            const bool su_barra = std::find(barre.begin(), barre.end(), c) != barre.end();
            EXPECT_EQ(riga[c] == '|', su_barra) << "colonna " << c;
            if (regola_riga && !su_barra) {
                EXPECT_EQ(riga[c], '_') << "colonna " << c;
            }
        }
    }
}

TEST(SchedaTreno, LunghezzeESpaziFinali) {
    const auto& righe = righe_scheda();
    const std::pair<std::size_t, std::size_t> lunghezze[] = {
        {2, 82}, {3, 83}, {4, 83}, {5, 83}, {6, 83}, {7, 56}, {8, 64}, {9, 57}, {10, 57}, {12, 82},
    };
    for (const auto& [indice, lunghezza] : lunghezze) {
        EXPECT_EQ(righe[indice].size(), lunghezza) << "riga " << indice;
    }
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const auto fine = righe[i].find_last_not_of(' ');
        const std::size_t spazi = righe[i].size() - (fine == std::string::npos ? 0 : fine + 1);
        EXPECT_EQ(spazi, i == 8 ? 7u : 0u) << "riga " << i;
    }
}

}  // namespace
