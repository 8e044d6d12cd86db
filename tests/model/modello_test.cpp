#include <gtest/gtest.h>

#include "model/arrotondamento.h"
#include "model/conversioni.h"
#include "model/modello.h"

namespace {

TEST(Arrotonda, MetaAlPari) {
    struct caso {
        double x, atteso;
    };
    for (auto [x, atteso] : {caso{1.5, 2}, caso{2.5, 2}, caso{0.5, 0}, caso{-0.5, 0}, caso{-1.5, -2}, caso{-2.5, -2},
                             caso{2.4999, 2}, caso{2.5001, 3}, caso{-7.0, -7}, caso{1040.5, 1040}, caso{1041.5, 1042}})
        EXPECT_EQ(arrotonda(x), atteso) << x;
}

TEST(IndiceCella, OggettiPuntualiEdAltreRegole) {
    EXPECT_EQ(indice_cella(0, 1.0), 1);
    EXPECT_EQ(indice_cella(25, 1.0), 2);
    EXPECT_EQ(indice_cella(75, 1.0), 2);
    EXPECT_EQ(indice_cella(975, 0.0), 20);
    EXPECT_EQ(indice_cella(975, 1.0), 20);
    EXPECT_EQ(indice_cella(1025, 1.0), 22);
    EXPECT_EQ(indice_cella(INT32_MIN, 1.0), -42949672);
}

TEST(Conversioni, ControllateEBitBassi) {
    EXPECT_EQ(converti_byte(255, "x"), 255);
    EXPECT_THROW(converti_byte(256, "x"), errore_esecuzione);
    EXPECT_THROW(converti_byte(-1, "x"), errore_esecuzione);
    EXPECT_EQ(converti_intero(-32768, "x"), -32768);
    EXPECT_THROW(converti_intero(32768, "x"), errore_esecuzione);
    EXPECT_EQ(basso_byte(300), 44);
    EXPECT_EQ(basso_byte(-1), 255);
    EXPECT_EQ(basso_intero(40000), -25536);
    EXPECT_EQ(basso_intero(-70000), -4464);
}

TEST(Problemi, OgniProblemaRestaInOrdineEIlCodiceEQuelloDellUltimo) {
    scenario s;
    s.riga_in_corso = riga_sorgente{file_sorgente::treno, 12};
    registra_problema(s, 15, 45100);
    s.riga_in_corso.reset();
    registra_problema(s, 2);
    EXPECT_EQ(s.codice_errore, 2);
    EXPECT_EQ(s.posizione_errore, 45100);
    ASSERT_EQ(s.problemi.size(), 2u);
    EXPECT_EQ(s.problemi[0].riga, (riga_sorgente{file_sorgente::treno, 12}));
    EXPECT_EQ(riga_diagnostica(s.problemi[0], ""), "error 15 at 45100 m: the row lies outside the route's cells");
    EXPECT_EQ(riga_diagnostica(s.problemi[1], "t.txt:3: "),
              "t.txt:3: error 2: a kilometric progressive has a start or chainage that is not a multiple of 50");
}

TEST(Problemi, OgniCodiceHaUnaFraseSua) {
    for (int codice : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103})
        EXPECT_NE(descrizione_codice(codice), descrizione_codice(0)) << codice;
}

}  // namespace
