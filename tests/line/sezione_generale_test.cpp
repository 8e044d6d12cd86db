#include "line/sezione_generale.h"

#include <gtest/gtest.h>

#include "support/compila_in_memoria.h"

namespace {

using terna = std::array<std::int32_t, 3>;

struct caso_progressive {
    const char* nome;
    terna uno, due, tre;           // as read: start, chainage, flag
    terna v81, v82, v83;           // after ordering
};
void PrintTo(const caso_progressive& c, std::ostream* os) { *os << c.nome; }

class ProgressiveOrdina : public testing::TestWithParam<caso_progressive> {};

TEST_P(ProgressiveOrdina, OrdinaPerInizioDalPiuGrande) {
    const auto& c = GetParam();
    scenario s;
    auto poni = [&](int slot, terna t) { s.voci[slot].inizio_tratto = t[0], s.voci[slot].fine_tratto = t[1], s.voci[slot].punto = t[2]; };
    poni(83, c.uno);
    poni(82, c.due);
    poni(81, c.tre);
    progressive_ordina(s);
    auto leggi = [&](int slot) { return terna{s.voci[slot].inizio_tratto, s.voci[slot].fine_tratto, s.voci[slot].punto}; };
    EXPECT_EQ(leggi(81), c.v81);
    EXPECT_EQ(leggi(82), c.v82);
    EXPECT_EQ(leggi(83), c.v83);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ProgressiveOrdina,
    testing::Values(
        caso_progressive{"solo_uno", {0, 82200, 1}, {0, 0, 0}, {0, 0, 0}, {0, 82300, 1}, {0, 0, 0}, {0, 0, 0}},
        caso_progressive{"solo_due", {0, 0, 0}, {0, 500, 0}, {0, 0, 0}, {0, 500, 0}, {0, 0, 0}, {0, 0, 0}},
        caso_progressive{"solo_tre", {0, 0, 0}, {0, 0, 0}, {0, 700, 1}, {0, 800, 1}, {0, 0, 0}, {0, 0, 0}},
        caso_progressive{"nessuna", {0, -5, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        caso_progressive{"ordinate", {12000, 3, 0}, {5000, 2, 0}, {0, 1, 0}, {12000, 3, 0}, {5000, 2, 0}, {0, 1, 0}},
        caso_progressive{"massimo_in_tre", {100, 1, 0}, {200, 2, 0}, {300, 3, 1}, {300, 103, 1}, {200, 2, 0}, {100, 1, 0}},
        caso_progressive{"pari_sotto_il_massimo", {100, 1, 0}, {100, 2, 0}, {300, 3, 0}, {300, 3, 0}, {100, 1, 0}, {100, 2, 0}},
        caso_progressive{"massimo_condiviso", {12000, 1, 0}, {12000, 2, 0}, {0, 3, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(SezioneGenerale, ChiaviRiconosciuteEIgnorate) {
    auto r = compila_testi(
        "prima\r\n[GENERALE]\r\n"
        "LUNGHEZZA PERCORSO, 3000\r\n"
        "Progressiva chilometrica uno, 0, 99, 0\r\n"    // capital P: not a progressive
        "sfondo due, 7\r\nsfondo tre, 8\r\n"
        "ripetizione segnali 9 codici, 100, 0\r\n"
        "lunghezza percorso, 4000\r\n[corpo]\r\n[fine]\r\n",
        "");
    EXPECT_EQ(r.registro.codice_errore, 0);
    EXPECT_EQ(r.modello.numero_celle, 220);  // the second length holds
    EXPECT_EQ(r.modello.voci[84].fine_tratto, 4000);
    EXPECT_EQ(r.modello.voci[83].fine_tratto, 0);
    EXPECT_EQ(r.modello.voci[85].punto, 7);        // "sfondo due" goes to punto
    EXPECT_EQ(r.modello.voci[85].fine_tratto, 8);  // "sfondo tre" to fine_tratto
    EXPECT_EQ((terna{r.modello.voci[86].inizio_tratto, r.modello.voci[86].fine_tratto, r.modello.voci[86].punto}), (terna{100, 0, 0}));
}

TEST(SezioneGenerale, RipetizioneConQuattroENoveSceglieQuattro) {
    auto r = compila_testi("[generale]\r\nlunghezza percorso, 3000\r\nripetizione segnali 4 9, 0, 3000\r\n[x]\r\n", "");
    EXPECT_EQ(r.modello.voci[86].punto, 4);
}

TEST(SezioneGenerale, LunghezzeEDimensioni) {
    struct caso {
        std::int32_t lunghezza, numero_celle;
    };
    for (auto [lunghezza, celle] : {caso{45000, 1040}, caso{45025, 1040}, caso{45075, 1042}, caso{1000000, 20140}}) {
        auto r = compila_testi("[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) + "\r\n[x]\r\n", "", 0);
        EXPECT_EQ(r.modello.numero_celle, celle) << lunghezza;
        EXPECT_EQ(r.modello.celle.size(), static_cast<std::size_t>(celle) + 1) << lunghezza;
        EXPECT_FALSE(r.modello.planimetria.esiste());
    }
}

}  // namespace
