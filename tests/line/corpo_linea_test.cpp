#include <gtest/gtest.h>

#include "support/compila_in_memoria.h"

namespace {

std::vector<int> pendenze(const scenario& s, int da, int a) {
    std::vector<int> v;
    for (int i = da; i <= a; ++i) v.push_back(s.celle[static_cast<std::size_t>(i)].pendenza);
    return v;
}

TEST(Pendenze, RigaAZeroRigaRipetutaERigaIndietro) {
    auto r = compila_testi(linea_con("pendenza, 0, 5\r\npendenza, 150, 1\r\npendenza, 150, -2\r\npendenza, 50, 3\r\n"), "");
    // 0 m only sets 5; 150 m fills cells 0-2; the repeat writes cell 3 with 1;
    // the row behind writes cell 4 with -2; then 3 runs on.
    EXPECT_EQ(pendenze(r.modello, 0, 6), (std::vector<int>{105, 105, 105, 101, 98, 103, 103}));
    EXPECT_EQ(pendenze(r.modello, 237, 240), (std::vector<int>{103, 0, 0, 0}));
}

TEST(Pendenze, PendenzaNegativaOltreCentoTieneGliOttoBitBassi) {
    auto r = compila_testi(linea_con("pendenza, 0, -101\r\n"), "");
    EXPECT_EQ(r.modello.celle[0].pendenza, 255);
}

TEST(Montagne, DistanzaDallaPrecedenteEMarcatori) {
    auto r = compila_testi(linea_con("montagna, 1000, 1500, 2\r\nmontagna, 1650, 2000, 4\r\n"
                                     "montagna, 3000, 3500, 5\r\nmontagna, 3651, 4000, 14\r\n"),
                           "");
    EXPECT_EQ(r.modello.celle[20].montagna, 2);
    EXPECT_EQ(r.modello.celle[29].montagna, 2);
    EXPECT_EQ(r.modello.celle[33].montagna, 3);  // 150 m after the previous end
    EXPECT_EQ(r.modello.celle[73].montagna, 4);  // 151 m after: keeps its own
    EXPECT_EQ(r.modello.celle[76].oggetto, oggetto_marca_montagna);  // fourth cell of the marked stretch
    EXPECT_EQ(r.modello.celle[75].oggetto, oggetto_libero);
}

TEST(Montagne, IlCartelloSostituisceIlMarcatore) {
    auto r = compila_testi(linea_con("montagna, 1000, 2000, 11\r\nindicatori_vmax, 1100, 1, 1, 1, 0, , , , 0\r\n"), "");
    EXPECT_EQ(r.registro.codice_errore, 0);
    EXPECT_EQ(r.modello.celle[23].oggetto, oggetto_indicatore_v_max);
}

TEST(Planimetria, SenzaCurveETuttaDiritta) {
    auto r = compila_testi(linea_con("", 1000), "");
    const auto& pl = r.modello.planimetria;
    for (std::int64_t m : {2, 500, 7998}) {
        EXPECT_EQ(pl(m, 0), valore_planimetria::da_reale(0.0)) << m;
        EXPECT_EQ(pl(m, 1), valore_planimetria::da_reale(static_cast<double>(m))) << m;
    }
    EXPECT_EQ(pl(7999, 0).etichetta, valore_planimetria::tipo::vuoto);
    EXPECT_EQ(pl(8000, 1).etichetta, valore_planimetria::tipo::vuoto);
}

TEST(Planimetria, ClasseELato) {
    auto punto = [](const std::string& riga) {
        auto r = compila_testi(linea_con(riga + "\r\n", 1000), "");
        EXPECT_EQ(r.registro.codice_errore, 0) << riga;
        return std::array{r.modello.planimetria(300, 0).reale, r.modello.planimetria(300, 1).reale};
    };
    EXPECT_EQ(punto("curvad16,100,200"), punto("curvad1,100,200"));  // "1" is found first
    EXPECT_EQ(punto("curvaS3,100,200"), punto("curvas3,100,200"));
    EXPECT_GT(punto("curvad3,100,200")[0], 0.0);  // d turns right, s left
    EXPECT_LT(punto("curvas3,100,200")[0], 0.0);
}

TEST(Planimetria, CurveConsecutiveECurvaFinoAllUltimoMetro) {
    auto unite = compila_testi(linea_con("curvad4,100,100\r\ncurvas4,200,100\r\n", 1000), "");
    auto separate = compila_testi(linea_con("curvad4,100,100\r\ncurvas4,201,100\r\n", 1000), "");
    EXPECT_NE(unite.modello.planimetria(400, 0).reale, separate.modello.planimetria(400, 0).reale);

    auto fino_in_fondo = compila_testi(linea_con("curvad1, 7900, 100\r\n", 1000), "");
    EXPECT_EQ(fino_in_fondo.registro.codice_errore, 0);
    EXPECT_EQ(fino_in_fondo.modello.planimetria(8000, 0).etichetta, valore_planimetria::tipo::reale);
}

TEST(Planimetria, CurvaIndietroCurvaSoloOltreIlCursore) {
    auto r = compila_testi(linea_con("curvad4,100,300\r\ncurvas4,200,100\r\n", 1000), "");
    auto sola = compila_testi(linea_con("curvad4,100,300\r\n", 1000), "");
    EXPECT_EQ(r.modello.planimetria(7000, 0), sola.modello.planimetria(7000, 0));
}

// The rows only take the plan's steps down; they are made afterwards, beside
// the train half on a long route. A compile that stops in the line half, or
// fails in the train half, still leaves every step the rows asked for.
TEST(Planimetria, FattaFinoAlloStopOAlGuasto) {
    struct caso {
        const char* nome;
        std::string linea;
        std::string treno;
        int codice;
        std::int64_t ultimo_reale;
    };
    const std::string curva = "curvad1, 100, 20\r\n";
    const std::string guasto = treno_con("velocita, x, 100\r\n");
    const caso casi[] = {
        {"stopped in the line half", linea_con(curva + "curvadx, 300, 20\r\n", 1000), "", problema_curva, 120},
        {"a failure in the train half", linea_con(curva, 1000), guasto, problema_guasto, 7998},
        {"a failure in the train half, long route", linea_con(curva, 200000), guasto, problema_guasto, 206998},
    };
    for (const caso& c : casi) {
        auto r = compila_testi(c.linea, c.treno);
        EXPECT_EQ(r.registro.codice_errore, c.codice) << c.nome;
        const auto& pl = r.modello.planimetria;
        for (int coordinata : {0, 1}) {
            EXPECT_EQ(pl(c.ultimo_reale, coordinata).etichetta, valore_planimetria::tipo::reale) << c.nome;
            EXPECT_EQ(pl(c.ultimo_reale + 1, coordinata).etichetta, valore_planimetria::tipo::vuoto) << c.nome;
        }
    }
}

}  // namespace
