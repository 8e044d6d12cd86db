#include <gtest/gtest.h>

#include <cmath>

#include "driver/scrittore_testo.h"
#include "output/file_binari.h"
#include "scenario/sorgenti_incorporate.h"
#include "support/compila_in_memoria.h"

namespace {

// The embedded line with a train source that holds nothing.
class LineaIncorporata : public testing::Test {
protected:
    static void SetUpTestSuite() { c_ = new risultato_percorso(compila_testi(codifica_testo(righe_linea()), "")); }
    static void TearDownTestSuite() { delete c_; }
    const scenario& s() const { return c_->modello; }
    const cella& cella_n(int i) const { return s().celle.at(static_cast<std::size_t>(i)); }

    static risultato_percorso* c_;
};
risultato_percorso* LineaIncorporata::c_ = nullptr;

TEST_F(LineaIncorporata, CompilaSenzaProblemiEDimensionaLeCelle) {
    EXPECT_EQ(c_->registro.codice_errore, 0);
    EXPECT_EQ(s().lunghezza_estesa, 52000);
    EXPECT_EQ(s().numero_celle, 1040);
    EXPECT_EQ(s().celle.size(), 1041u);
    EXPECT_EQ(codifica_celle(s().celle).size(), 15615u);
    EXPECT_EQ(codifica_planimetria(s().planimetria).size(), 1039964u);
}

TEST_F(LineaIncorporata, RiempieLeVociDiTestata) {
    const auto& v = s().voci;
    EXPECT_EQ((std::array{v[81].inizio_tratto, v[81].fine_tratto, v[81].punto}), (std::array{0, 82300, 1}));
    for (int slot : {82, 83}) EXPECT_EQ((std::array{v[slot].inizio_tratto, v[slot].fine_tratto, v[slot].punto}), (std::array{0, 0, 0}));
    EXPECT_EQ(v[84].fine_tratto, 45000);
    EXPECT_EQ(v[85].testo, "Prova");
    EXPECT_EQ((std::array{v[85].inizio_tratto, v[85].punto, v[85].fine_tratto}), (std::array{1, 0, 0}));
    EXPECT_EQ(v[86].testo, "1");
    EXPECT_EQ((std::array{v[86].inizio_tratto, v[86].fine_tratto, v[86].punto}), (std::array{0, 45000, 4}));
    EXPECT_EQ(v[80].testo, "(RACCORDO)(MORLANESE)");
    EXPECT_EQ(v[79].testo, "");
}

TEST_F(LineaIncorporata, ProfiloDellePendenze) {
    for (int i : {0, 19}) EXPECT_EQ(cella_n(i).pendenza, 100) << i;
    for (int i : {20, 79}) EXPECT_EQ(cella_n(i).pendenza, 102) << i;
    EXPECT_EQ(cella_n(80).pendenza, 96);
    EXPECT_EQ(cella_n(736).pendenza, 86);  // -14 from 36800 m
    EXPECT_EQ(cella_n(1037).pendenza, 100);
    for (int i : {1038, 1039, 1040}) EXPECT_EQ(cella_n(i).pendenza, 0) << i;
}

TEST_F(LineaIncorporata, MontagneConIMarcatori) {
    EXPECT_EQ(cella_n(103).montagna, 0);
    for (int i = 104; i <= 109; ++i) EXPECT_EQ(cella_n(i).montagna, 2) << i;
    EXPECT_EQ(cella_n(110).montagna, 0);
    for (int i = 254; i <= 269; ++i) {
        EXPECT_EQ(cella_n(i).montagna, 1) << i;
        EXPECT_EQ(cella_n(i).oggetto, (i - 254 + 1) % 4 == 0 ? 11 : 0) << i;
    }
}

TEST_F(LineaIncorporata, CartelliEIndicazione) {
    auto oggetto_e_dati = [&](int i) {
        const cella& c = cella_n(i);
        return std::array<int, 5>{c.oggetto, c.dato1, c.dato2, c.dato3, c.dato4};
    };
    EXPECT_EQ(oggetto_e_dati(11), (std::array{6, 2000, 2200, 2400, 0}));
    EXPECT_EQ(oggetto_e_dati(127), (std::array{6, 1900, 2000, 2100, 20}));
    EXPECT_EQ(cella_n(683).oggetto, oggetto_cartello_indicazione);
    EXPECT_EQ(cella_n(683).dato1, 80);
}

TEST_F(LineaIncorporata, PuntiDellaPlanimetria) {
    const auto& pl = s().planimetria;
    using t = valore_planimetria::tipo;
    EXPECT_EQ(pl(0, 0), valore_planimetria::da_intero(0));
    EXPECT_EQ(pl(1, 1), valore_planimetria::da_intero(1));
    EXPECT_EQ(pl(2250, 0).reale, 0.0);
    EXPECT_EQ(pl(2250, 1).reale, 2250.0);
    EXPECT_DOUBLE_EQ(pl(2251, 0).reale, -0.002);
    EXPECT_DOUBLE_EQ(pl(2251, 1).reale, 2251.0);
    EXPECT_DOUBLE_EQ(pl(2252, 0).reale, -0.006);
    EXPECT_DOUBLE_EQ(pl(2252, 1).reale, 2251.999996);
    EXPECT_NEAR(pl(2750, 0).reale, -230.420, 0.0005);
    EXPECT_NEAR(pl(2750, 1).reale, 2670.697, 0.0005);
    EXPECT_EQ(pl(51998, 0).etichetta, t::reale);
    EXPECT_EQ(pl(51999, 0).etichetta, t::vuoto);
    EXPECT_EQ(pl(52000, 1).etichetta, t::vuoto);
}

}  // namespace
