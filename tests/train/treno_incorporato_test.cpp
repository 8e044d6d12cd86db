#include <gtest/gtest.h>

#include "driver/scrittore_testo.h"
#include "scenario/sorgenti_incorporate.h"
#include "support/compila_in_memoria.h"

namespace {

class TrenoIncorporato : public testing::Test {
protected:
    static void SetUpTestSuite() {
        c_ = new risultato_percorso(compila_testi(codifica_testo(righe_linea()), codifica_testo(righe_treno())));
    }
    static void TearDownTestSuite() { delete c_; }
    const scenario& s() const { return c_->modello; }
    const cella& cella_n(int i) const { return s().celle.at(static_cast<std::size_t>(i)); }

    static risultato_percorso* c_;
};
risultato_percorso* TrenoIncorporato::c_ = nullptr;

TEST_F(TrenoIncorporato, CompilaSenzaProblemiConITestataDelTreno) {
    EXPECT_EQ(c_->registro.codice_errore, 0);
    EXPECT_TRUE(c_->registro.elenco.empty());
    EXPECT_EQ(s().voci[84].inizio_tratto, 130);
    EXPECT_EQ(s().voci[84].punto, 9);
    const voce& t = s().voci[86];
    EXPECT_EQ((std::array<int, 4>{t.valore1, t.valore3, t.valore4, t.valore5}), (std::array{300, 19, 21, 30}));
}

TEST_F(TrenoIncorporato, VelocitaEAderenzaSulleCelle) {
    struct tratto {
        int da, a, velocita, aderenza;
    };
    for (auto [da, a, velocita, aderenza] :
         {tratto{0, 149, 24, 90}, tratto{150, 240, 21, 90}, tratto{241, 1037, 22, 90}, tratto{1038, 1040, 0, 0}}) {
        for (int i = da; i <= a; ++i) {
            ASSERT_EQ(cella_n(i).velocita, velocita) << i;
            ASSERT_EQ(cella_n(i).aderenza, aderenza) << i;
        }
    }
}

TEST_F(TrenoIncorporato, OttoStazioniConTrattiFermateEMarche) {
    struct stazione {
        int slot, categoria, inizio, fine, punto, fermata;
        const char* nome;
    };
    const stazione attese[] = {
        {1, 8, -500, 500, 0, 9, "VALDESCA-CORNIOLA"},     {2, 28, 7150, 7450, 7300, -1, "SPINO"},
        {3, 12, 11700, 12000, 11850, 239, "CASTELVERE"},  {4, 28, 18150, 18450, 18300, -1, "POGGIOLUNA"},
        {5, 12, 20900, 21300, 21100, 425, "FONTARA"},     {6, 28, 26500, 26800, 26650, -1, "MONTE SAVINO"},
        {7, 24, 32200, 32600, 32400, 651, "ROVELLA-CASTIGO"}, {8, 2, 42100, 42600, 42350, 851, "MORLANO"},
    };
    for (const auto& a : attese) {
        const voce& v = s().voci[static_cast<std::size_t>(a.slot)];
        EXPECT_EQ(v.categoria, a.categoria) << a.nome;
        EXPECT_EQ(v.inizio_tratto, a.inizio) << a.nome;
        EXPECT_EQ(v.fine_tratto, a.fine) << a.nome;
        EXPECT_EQ(v.punto, a.punto) << a.nome;
        EXPECT_EQ(v.testo, a.nome);
        if (a.fermata < 0) continue;
        EXPECT_EQ(cella_n(a.fermata).oggetto, oggetto_fermata_stazione) << a.nome;
        EXPECT_EQ(cella_n(a.fermata).dato1, a.slot) << a.nome;
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(cella_n(a.fermata - i).ripetizione, 80 + i) << a.nome;
    }
    EXPECT_EQ(s().voci[1].orario, 69780);
    EXPECT_EQ(s().voci[8].orario, 19 * 3600 + 51 * 60);
    EXPECT_EQ(s().voci[8].opzione, 1);
    EXPECT_EQ(s().voci[8].scelta4, 0);  // shorter than 600 m
    EXPECT_EQ(s().voci[9], voce{});
}

TEST_F(TrenoIncorporato, SegnaliConLeMarcheDiRipetizione) {
    struct segnale {
        int cella, dato1, dato2, dato3, dato4, marca;
    };
    for (auto [t, d1, d2, d3, d4, marca] : {segnale{100, 40, 10, 0, 3, 30}, segnale{214, 40, 10, 10, 6, 60}, segnale{828, 20, 30, 10, 6, 60}}) {
        const cella& c = cella_n(t);
        EXPECT_EQ((std::array<int, 6>{c.oggetto, c.dato1, c.dato2, c.dato3, c.dato4, c.tempo_segnale}),
                  (std::array{1, d1, d2, d3, d4, 0}))
            << t;
        for (int b = 1; b <= 4; ++b) EXPECT_EQ(cella_n(t - 2 * b).ripetizione, marca + b) << t;
    }
}

}  // namespace
