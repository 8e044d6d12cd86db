#include "documents/ordine_rallentamento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string regola = " |___|____________________________|____________|__________|_________|____________|";
const std::string riga_vuota = " |   |                            |            |          |         |            |";

TEST(OrdineRallentamento, RigheEsatte) {
    const auto& righe = righe_rallentamenti();
    ASSERT_EQ(righe.size(), 46u);
    const std::vector<std::pair<std::size_t, std::string>> attese = {
        {0, ""},
        {1, "                               Modulo M. 3"},
        {2, "                           ORDINE DI RALLENTAMENTO"},
        {3, " ________________________________________________________________________________"},
        {4, "  Linea  xxxxxx xxxxxxx"},
        {5, ""},
        {6, "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti rallentamenti"},
        {7, "  _______________________________________________________________________________"},
        {8, " |   |                            |Inizio dopo |          |         |            |"},
        {9, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
        {10, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
        {11, regola},
        {38, regola},
        {39, ""},
        {40, "              Prescrizioni specifiche"},
        {41, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
        {42, " B - Interessa anche la stazione di......."},
        {43, " D - Rallentamneto N. ... e N. ...  sono contigui"},
        {44, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
        {45, "     i giorni esclusi i seguenti:........."},
    };
    for (const auto& [indice, testo] : attese) {
        EXPECT_EQ(righe[indice], testo) << "riga " << indice;
    }
    for (std::size_t i = 12; i <= 37; ++i) {
        EXPECT_EQ(righe[i], riga_vuota) << "riga " << i;
    }
}

TEST(OrdineRallentamento, TabellaACelleRegolari) {
    const auto& righe = righe_rallentamenti();
    const std::size_t larghezze[] = {3, 28, 12, 10, 9, 12};
    std::vector<std::size_t> barre = {1};
    for (const auto l : larghezze) {
        barre.push_back(barre.back() + l + 1);
    }
    for (std::size_t i = 8; i <= 38; ++i) {
        SCOPED_TRACE(i);
        const auto& riga = righe[i];
        ASSERT_EQ(riga.size(), 82u);
        ASSERT_EQ(riga.size(), barre.back() + 1);
        const bool regola_riga = i == 11 || i == 38;
        for (std::size_t c = 1; c < riga.size(); ++c) {
            const bool su_barra = std::find(barre.begin(), barre.end(), c) != barre.end();
            EXPECT_EQ(riga[c] == '|', su_barra) << "colonna " << c;
            if (regola_riga && !su_barra) {
                EXPECT_EQ(riga[c], '_') << "colonna " << c;
            }
        }
    }
}

TEST(OrdineRallentamento, LunghezzeESpaziFinali) {
    const auto& righe = righe_rallentamenti();
    for (const std::size_t i : {3u, 6u, 7u}) {
        EXPECT_EQ(righe[i].size(), 81u) << "riga " << i;
    }
    for (std::size_t i = 0; i < righe.size(); ++i) {
        EXPECT_FALSE(!righe[i].empty() && righe[i].back() == ' ') << "riga " << i;
    }
}

}  // namespace
