// The parts of plot that run in-process: the SVG writer's attributes and
// numbers, label placement, and what is taken from the decoded files.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/oggetti.h"
#include "plot/percorso_disegnato.h"
#include "plot/pittore.h"
#include "svg.h"

namespace {

TEST(AttributiSvg, ValoriProtettiENumeriSenzaZeriInutili) {
    EXPECT_EQ(attributi().tratto("#333").spessore(1.5).con("rx", 2).testo(), R"( stroke="#333" stroke-width="1.5" rx="2")");
    EXPECT_EQ(attributi().con("data-nome", "a\"b&<c>").testo(), R"( data-nome="a&quot;b&amp;&lt;c&gt;")");

    const double infinito = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> casi[] = {
        {1234.567, "1234.57"}, {-12.5, "-12.5"}, {2.0, "2"}, {1e6, "1000000"}, {-0.001, "0"},
        {std::nan(""), "0"}, {infinito, "0"}, {-infinito, "0"},
    };
    for (const auto& [v, atteso] : casi) {
        SCOPED_TRACE(atteso);
        EXPECT_EQ(numero_svg(v), atteso);
    }
    EXPECT_EQ(numero_svg(1e300).size(), 301u);  // written in full, not cut short

    EXPECT_EQ(numero_testo(0.1 + 0.2, std::chars_format::general, 6), "0.3");
    EXPECT_EQ(numero_testo(45.0, std::chars_format::fixed, 2), "45.00");
}

TEST(EtichettaEntro, CentrataDentroIMarginiOAccorciataSeNonCiSta) {
    // At 10 px type a character is estimated at 6.2 px and is at most 10 px
    // wide: 18 of them surely fit in the room of 186.
    struct caso {
        double x;
        std::size_t caratteri;
        double inizio;
    };
    const caso casi[] = {
        {100, 10, 69},    // centred
        {20, 10, 10},     // pushed in from the left edge
        {190, 10, 134},   // pushed in from the right edge
        {100, 18, 44.2},  // as many as surely fit
        {-100, 18, 10},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.x);
        const etichetta e = etichetta_entro(std::string(c.caratteri, 'A'), 10, c.x, 10, 196);
        EXPECT_EQ(e.testo, std::string(c.caratteri, 'A'));
        EXPECT_DOUBLE_EQ(e.x, c.inizio);
        EXPECT_DOUBLE_EQ(e.larghezza, 6.2 * static_cast<double>(c.caratteri));
    }

    // One more, even far off the room: cut after 17 characters with an
    // ellipsis, never inside a character of several bytes.
    for (const double x : {100.0, -5000.0, 5000.0}) {
        const etichetta e = etichetta_entro(std::string(19, 'A'), 10, x, 10, 196);
        EXPECT_EQ(e.testo, std::string(17, 'A') + "\u2026");
        EXPECT_EQ(e.x, 10);
        EXPECT_DOUBLE_EQ(e.larghezza, 6.2 * 18);
    }
    std::string accentato;
    for (int n = 0; n < 40; ++n) accentato += "\u00e8";
    EXPECT_EQ(etichetta_entro(accentato, 10, 100, 10, 196).testo, accentato.substr(0, 2 * 17) + "\u2026");
}

// Eight cells of 50 m on a 400 m route, and two more beyond its end.
class ComponiPercorso : public ::testing::Test {
protected:
    ComponiPercorso() : celle(10) {
        voci[voce_treno_dati].fine_tratto = 400;
        for (std::size_t i = 0; i < celle.size(); ++i) {
            celle[i].pendenza = i < 4 ? 100 : i < 8 ? 110 : 90;
            celle[i].velocita = 24;
        }
    }

    void oggetto(std::size_t i, std::uint8_t tipo, std::int16_t dato1 = 0) {
        celle[i].oggetto = tipo;
        celle[i].dato1 = dato1;
    }

    std::array<voce, numero_voci> voci{};
    std::vector<cella> celle;
};

TEST_F(ComponiPercorso, TrattiFinoAllaFineDelPercorso) {
    const percorso_disegnato d = componi_percorso("t", voci, celle, std::nullopt);
    EXPECT_EQ(d.lunghezza, 400);
    ASSERT_EQ(d.pendenze.size(), 2u);
    EXPECT_EQ(d.pendenze[0].fine, 200);
    EXPECT_EQ(d.pendenze[0].valore, 0);
    EXPECT_EQ(d.pendenze[1].fine, 400);
    EXPECT_EQ(d.pendenze[1].valore, 10);
    ASSERT_EQ(d.velocita.size(), 1u);
    EXPECT_EQ(d.velocita[0].valore, 120);
    EXPECT_FALSE(d.con_pianta);
}

TEST_F(ComponiPercorso, OggettiERallentamenti) {
    oggetto(0, oggetto_abbattimento_senza_valore);
    oggetto(1, oggetto_segnale);
    oggetto(2, oggetto_avviso_rallentamento);
    oggetto(3, oggetto_inizio_rallentamento, 60);
    oggetto(4, oggetto_punto_abbattimento, 5);
    oggetto(5, oggetto_fine_rallentamento);
    oggetto(6, oggetto_inizio_rallentamento, 30);  // its end was overwritten by the next start
    oggetto(7, oggetto_inizio_rallentamento, 20);  // ends beyond the route
    oggetto(9, oggetto_fine_rallentamento);
    const percorso_disegnato d = componi_percorso("t", voci, celle, std::nullopt);

    EXPECT_EQ(d.segnali, std::vector<double>{50});
    EXPECT_EQ(d.avvisi, std::vector<double>{100});
    ASSERT_EQ(d.abbattimenti.size(), 2u);
    EXPECT_EQ(d.abbattimenti[0].valore, 0);
    EXPECT_EQ(d.abbattimenti[1].metro, 200);
    EXPECT_EQ(d.abbattimenti[1].valore, 5);
    ASSERT_EQ(d.rallentamenti.size(), 3u);
    const double attesi[][3] = {{150, 250, 60}, {300, 300, 30}, {350, 400, 20}};
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(d.rallentamenti[n].inizio, attesi[n][0]) << n;
        EXPECT_EQ(d.rallentamenti[n].fine, attesi[n][1]) << n;
        EXPECT_EQ(d.rallentamenti[n].valore, attesi[n][2]) << n;
    }
}

TEST_F(ComponiPercorso, StazioniFinoAlPrimoPostoVuotoEPianta) {
    voci[1].testo = "CAST\xC8";  // Windows-1252
    voci[1].punto = 120;
    voci[3].testo = "DOPO IL VUOTO";
    planimetria_percorso pl;
    pl.crea(3);
    pl(0, 0) = valore_planimetria::da_reale(1.5);
    pl(0, 1) = valore_planimetria::da_intero(2);
    pl(1, 0) = valore_planimetria::da_reale(1);
    pl(2, 0) = valore_planimetria::da_reale(std::nan(""));
    pl(2, 1) = valore_planimetria::da_reale(0);
    const percorso_disegnato d = componi_percorso("t", voci, celle, pl);

    ASSERT_EQ(d.stazioni.size(), 1u);
    EXPECT_EQ(d.stazioni[0].nome, "CAST\xC3\x88");
    EXPECT_EQ(d.stazioni[0].punto, 120);
    ASSERT_TRUE(d.con_pianta);
    ASSERT_EQ(d.pianta.size(), 3u);
    ASSERT_TRUE(d.pianta[0]);
    EXPECT_EQ(d.pianta[0]->x, 1.5);
    EXPECT_EQ(d.pianta[0]->y, 2);
    EXPECT_FALSE(d.pianta[1]);  // one coordinate empty
    EXPECT_FALSE(d.pianta[2]);  // not a finite point
}

}  // namespace
