#include "scenario/sorgenti_incorporate.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

struct riga_attesa {
    std::size_t indice;
    const char* testo;
};

void verifica_righe(const std::vector<std::string>& righe, std::initializer_list<riga_attesa> attese) {
    for (const auto& a : attese) {
        SCOPED_TRACE(a.indice);
        ASSERT_LT(a.indice, righe.size());
        EXPECT_EQ(righe[a.indice], a.testo);
    }
}

// The position in metres: the field after the key.
long posizione_riga(const std::string& riga) {
    return std::stol(riga.substr(riga.find(',') + 1));
}

TEST(SorgentiIncorporate, Linea) {
    const auto& righe = righe_linea();
    ASSERT_EQ(righe.size(), 62u);
    verifica_righe(righe, {
        {0, "[generale]"},
        {1, "lunghezza percorso,    45000"},
        {2, "progressiva chilometrica uno,    0,    82200,    1"},
        {8, "ripetizione segnali 4 codici,    0,    45000"},
        {9, "[pendenze]"},
        {28, "pendenza,  36800,   -14"},
        {30, "[curve]"},
        {31, "curvas5,2250,500"},
        {33, "curvad3,  7650,  300"},
        {49, "[cartelli]"},
        {50, "indicatori_vmax,500,100,110,120,0,  ,  ,  ,0"},
        {54, "indicatori_vmax,  12050,  100,  105,  110,  0,  ,  ,  ,  0"},
        {55, "[montagne]"},
        {59, "[indicazioni]"},
        {60, "cartello_indicatore,  34100,   (RACCORDO)(MORLANESE)"},
        {61, "[fine]"},
    });
}

TEST(SorgentiIncorporate, Treno) {
    const auto& righe = righe_treno();
    ASSERT_EQ(righe.size(), 41u);
    verifica_righe(righe, {
        {0, "[generale]"},
        {4, "orologio,    19              21            30 "},
        {5, "[aderenze]"},
        {7, "[vel_limite]"},
        {11, "[stazioni]"},
        {12, "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,  19,23, 0, VALDESCA-CORNIOLA"},
        {17, "stazione,   26650, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, MONTE SAVINO"},
        {19, "stazione,   42350,  2,  500,  1, 1, 0,  1,1,0,  2,1,1,    0,  19,51, 0, MORLANO"},
        {20, "[rallentamenti]"},
        {21, "[segnali]"},
        {22, ""},
        {23, "segnale,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0"},
        {38, "segnale,   41350,   2, 2, 3,  1, 0,    0,  0,0,0, 0"},
        {39, "[codici]"},
        {40, "[fine]"},
    });
}

// Blanks and empty lines are data here: only the ones the readers are known
// to meet may be there.
TEST(SorgentiIncorporate, SoloLeRigheVuoteEGliSpaziFinaliPrevisti) {
    for (const auto* lista : {&righe_linea(), &righe_treno()}) {
        for (std::size_t i = 0; i < lista->size(); ++i) {
            const auto& riga = (*lista)[i];
            SCOPED_TRACE(riga);
            const bool e_treno = lista == &righe_treno();
            EXPECT_EQ(riga.empty(), e_treno && i == 22);
            const bool spazio_finale = !riga.empty() && riga.back() == ' ';
            EXPECT_EQ(spazio_finale, e_treno && i == 4);
            EXPECT_NE(riga, "riferimento fine del file");
        }
    }
}

TEST(SorgentiIncorporate, SoloAscii) {
    for (const auto* lista : {&righe_linea(), &righe_treno()}) {
        for (const auto& riga : *lista) {
            for (const char c : riga) {
                const auto b = static_cast<unsigned char>(c);
                EXPECT_TRUE(b >= 0x20 && b < 0x7F) << riga;
            }
        }
    }
}

TEST(SorgentiIncorporate, StazioniESegnaliInOrdineDiPosizione) {
    const auto& righe = righe_treno();
    for (const std::string chiave : {"stazione,", "segnale,"}) {
        SCOPED_TRACE(chiave);
        std::vector<long> posizioni;
        for (const auto& riga : righe) {
            if (riga.starts_with(chiave)) {
                posizioni.push_back(posizione_riga(riga));
            }
        }
        EXPECT_EQ(posizioni.size(), chiave == "stazione," ? 8u : 16u);
        for (std::size_t i = 1; i < posizioni.size(); ++i) {
            EXPECT_LT(posizioni[i - 1], posizioni[i]);
        }
    }
}

}  // namespace
