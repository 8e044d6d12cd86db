#include <gtest/gtest.h>

#include "support/compila_in_memoria.h"
#include "train/rallentamenti.h"
#include "train/segnali.h"

namespace {

scenario celle_vuote(std::int32_t numero_celle = 1040) {
    scenario s;
    s.numero_celle = numero_celle;
    s.celle.assign(static_cast<std::size_t>(numero_celle) + 1, cella{});
    return s;
}

std::array<int, 4> oggetto_dati(const scenario& s, int i) {
    const cella& c = s.celle.at(static_cast<std::size_t>(i));
    return {c.oggetto, c.dato1, c.dato2, c.dato3};
}

TEST(Rallentamento, EsempioCellaPerCella) {
    registro_problemi log;
    scenario s = celle_vuote();
    ASSERT_EQ(memo_rallentamento(s, log, 20000, 60, 500, 1, 1, 0), esito_riga::prosegui);
    EXPECT_EQ(oggetto_dati(s, 377), (std::array<int, 4>{oggetto_avviso_rallentamento, 60, 0, 0}));
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(oggetto_dati(s, 377 - i), (std::array<int, 4>{oggetto_prima_avviso, i, 0, 0})) << i;
    EXPECT_EQ(oggetto_dati(s, 401), (std::array<int, 4>{oggetto_inizio_rallentamento, 60, 0, 1}));
    EXPECT_EQ(oggetto_dati(s, 411), (std::array<int, 4>{oggetto_fine_rallentamento, 60, 0, 1}));
    int scritte = 0;
    for (const cella& c : s.celle) scritte += c.oggetto != 0;
    EXPECT_EQ(scritte, 7);
}

TEST(Rallentamento, SenzaAvvisoFinoA1500ELunghezzaZero) {
    registro_problemi log;
    scenario s = celle_vuote();
    ASSERT_EQ(memo_rallentamento(s, log, 1500, 60, 0, 1, 1, 2), esito_riga::prosegui);
    EXPECT_EQ(oggetto_dati(s, 31), (std::array<int, 4>{oggetto_inizio_rallentamento, 60, 2, 1}));  // start written over the end
    int scritte = 0;
    for (const cella& c : s.celle) scritte += c.oggetto != 0;
    EXPECT_EQ(scritte, 1);

    scenario t = celle_vuote();
    ASSERT_EQ(memo_rallentamento(t, log, 1550, 60, 100, 0, 1, 2), esito_riga::prosegui);
    EXPECT_EQ(oggetto_dati(t, 8), (std::array<int, 4>{oggetto_avviso_rallentamento, 60, 2, 0}));
    EXPECT_EQ(oggetto_dati(t, 6), (std::array<int, 4>{oggetto_prima_avviso, 2, 2, 0}));
}

TEST(Abbattimento, ValoreSopraESottoUno) {
    registro_problemi log;
    scenario s = celle_vuote();
    s.celle[21].dato1 = 7;
    EXPECT_EQ(memo_abbattimento(s, log, 975, 180), esito_riga::prosegui);
    EXPECT_EQ(memo_abbattimento(s, log, 1050, -5), esito_riga::prosegui);
    EXPECT_EQ(oggetto_dati(s, 20), (std::array<int, 4>{oggetto_punto_abbattimento, 180, 0, 0}));
    EXPECT_EQ(oggetto_dati(s, 21), (std::array<int, 4>{oggetto_abbattimento_senza_valore, 7, 0, 0}));
}

TEST(Segnale, TempoEMarche) {
    registro_problemi log;
    struct caso {
        int sx, tempo, atteso;
    };
    for (auto [sx, tempo, atteso] : {caso{2, 50, 101}, caso{2, 0, 0}, caso{2, 300, 44}, caso{1, 300, 0}, caso{2, -3, 253}}) {
        scenario s = celle_vuote();
        ASSERT_EQ(memo_segnale(s, log, 4950, sx, 4, 1, 0, 0, 0, 0, 0, 0, tempo), esito_riga::prosegui);
        EXPECT_EQ(s.celle[100].tempo_segnale, atteso) << sx << " " << tempo;
    }
    scenario vicino = celle_vuote();
    ASSERT_EQ(memo_segnale(vicino, log, 100, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0), esito_riga::prosegui);
    EXPECT_EQ(vicino.celle[1].ripetizione, 31);  // only the nearest mark falls on a cell
    scenario montagna = celle_vuote();
    montagna.celle[100].oggetto = oggetto_marca_montagna;
    EXPECT_EQ(memo_segnale(montagna, log, 4950, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0), esito_riga::prosegui);
    EXPECT_EQ(montagna.celle[100].oggetto, oggetto_segnale);
}

TEST(Segnale, IlSecondoACentoMetriCopreLeMarcheDelPrimo) {
    registro_problemi log;
    scenario s = celle_vuote();
    memo_segnale(s, log, 4950, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0);  // cell 100, marks 31..34
    memo_segnale(s, log, 5050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0);  // cell 102, marks 61..64
    EXPECT_EQ(s.celle[100].oggetto, oggetto_segnale);
    EXPECT_EQ(s.celle[100].ripetizione, 61);
    EXPECT_EQ(s.celle[98].ripetizione, 62);
    EXPECT_EQ(s.celle[94].ripetizione, 64);
    EXPECT_EQ(s.celle[92].ripetizione, 34);
}

TEST(Stazione, CategoriaCinqueSenzaMarcheEPrimaStazione) {
    auto r = compila_testi(linea_con(""), treno_con("stazione, 1000, 5, 300, 0, 1, 1, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0, BREVE\r\n"
                                                   "stazione, 2000, 12, 600, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, SECONDA\r\n"));
    EXPECT_EQ(r.registro.codice_errore, 0);
    const voce& prima = r.modello.voci[1];
    EXPECT_EQ((std::array{prima.inizio_tratto, prima.fine_tratto}), (std::array{700, 1150}));
    EXPECT_EQ((std::array<int, 2>{prima.scelta3, prima.scelta4}), (std::array{0, 0}));
    EXPECT_EQ(r.modello.celle[22].oggetto, oggetto_fermata_stazione);
    for (std::size_t i = 0; i < 30; ++i) EXPECT_EQ(r.modello.celle[i].ripetizione, 0) << i;
    const voce& seconda = r.modello.voci[2];
    EXPECT_EQ((std::array{seconda.inizio_tratto, seconda.fine_tratto}), (std::array{1700, 2350}));  // 50 m more for scelta3
    EXPECT_EQ((std::array<int, 2>{seconda.scelta3, seconda.scelta4}), (std::array{1, 1}));
    EXPECT_EQ(r.modello.celle[46].oggetto, oggetto_fermata_stazione);
    EXPECT_EQ(r.modello.celle[45].ripetizione, 81);
}

}  // namespace
