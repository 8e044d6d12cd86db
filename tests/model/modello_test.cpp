#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "model/arrotondamento.h"
#include "model/conversioni.h"
#include "compile/diagnostica.h"
#include "model/modello.h"
#include "model/problemi.h"

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
    registro_problemi log;
    log.riga_in_corso = riga_sorgente{file_sorgente::treno, 12};
    log.registra(problema_fuori_celle, 45100);
    log.riga_in_corso.reset();
    log.registra(problema_progressiva_fuori_griglia);
    EXPECT_EQ(log.codice_errore, problema_progressiva_fuori_griglia);
    EXPECT_EQ(log.posizione_errore, 45100);
    ASSERT_EQ(log.elenco.size(), 2u);
    EXPECT_EQ(log.elenco[0].riga, (riga_sorgente{file_sorgente::treno, 12}));
    EXPECT_EQ(riga_diagnostica(log.elenco[0], ""), "error 15 at 45100 m: the row lies outside the route's cells");
    EXPECT_EQ(riga_diagnostica(log.elenco[1], "t.txt:3: "),
              "t.txt:3: error 2: a kilometric progressive has a start or chainage that is not a multiple of 50");
}

TEST(Problemi, OgniCodiceHaUnaFraseSua) {
    std::set<std::string_view> frasi;
    for (codice_problema codice : codici_problema()) {
        EXPECT_NE(descrizione_codice(codice), descrizione_codice(0)) << codice;
        EXPECT_TRUE(frasi.insert(descrizione_codice(codice)).second) << codice;
    }
}

}  // namespace
