#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "model/modello.h"

namespace {

using tipo = valore_planimetria::tipo;

// The runs must say for every element what a plain array of tagged values
// would, whatever order the elements are set in, and stay merged.
TEST(ElementiPlanimetria, ComeUnArrayDiValoriEtichettati) {
    const valore_planimetria vuoto{};
    const auto i = valore_planimetria::da_intero;
    const auto r = valore_planimetria::da_reale;
    struct posa {
        std::size_t indice;
        valore_planimetria valore;
    };
    const std::vector<std::vector<posa>> casi = {
        {{0, i(0)}, {1, i(1)}, {2, r(2.5)}, {3, r(-0.0)}},  // in order, as the compile does
        {{11, r(1.0)}, {0, r(2.0)}, {5, i(-32768)}},        // both ends, then the middle
        {{4, r(1.0)}, {5, r(2.0)}, {6, r(3.0)}, {5, vuoto}},  // a hole in a run
        {{3, i(7)}, {3, r(7.0)}, {3, vuoto}},                 // one element through every tag
        {{6, r(1.0)}, {7, r(2.0)}, {5, r(0.5)}, {8, r(3.0)}, {7, i(2)}},
    };
    for (std::size_t c = 0; c < casi.size(); ++c) {
        elementi_planimetria e;
        e.assign(12);
        std::vector<valore_planimetria> atteso(12);
        for (const posa& p : casi[c]) {
            e.poni(p.indice, p.valore);
            atteso[p.indice] = p.valore;
        }
        for (std::size_t k = 0; k < atteso.size(); ++k) EXPECT_EQ(e[k], atteso[k]) << "case " << c << ", element " << k;
        const auto& t = e.tratti();
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t.front().inizio, 0u) << c;
        for (std::size_t k = 1; k < t.size(); ++k) {
            EXPECT_LT(t[k - 1].inizio, t[k].inizio) << c;
            EXPECT_NE(t[k - 1].etichetta, t[k].etichetta) << c;
        }
    }
}

// A run of steps reads the two metres before it and tags only its own; a
// range outside the plan is refused before anything changes.
TEST(ElementiPlanimetria, PassiControllatiUnaVolta) {
    planimetria_percorso p;
    p.crea(6);
    p(0, 1) = valore_planimetria::da_intero(3);
    p(1, 1) = valore_planimetria::da_intero(4);
    auto valori = p.passi(1, 2, 5);
    ASSERT_EQ(valori.size(), 6u);
    EXPECT_EQ(valori[0], 3.0);
    EXPECT_EQ(valori[1], 4.0);
    EXPECT_EQ(p(1, 1), valore_planimetria::da_intero(4));
    EXPECT_EQ(p(5, 1).etichetta, tipo::reale);
    EXPECT_EQ(p(5, 0).etichetta, tipo::vuoto);

    for (auto [da, a] : {std::pair{1, 3}, std::pair{2, 6}, std::pair{4, 3}}) {
        planimetria_percorso q;
        q.crea(6);
        EXPECT_THROW(q.passi(0, da, a), std::out_of_range) << da << ".." << a;
        EXPECT_EQ(q.elementi.tratti().size(), 1u) << da << ".." << a;
    }
    EXPECT_THROW(p(6, 1), std::out_of_range);
}

// Its zeros come from fresh memory, never written: a plan made again, large
// (mapped from the system) or small, holds none of the one before.
TEST(ElementiPlanimetria, CreataDiNuovoTuttaVuota) {
    for (std::int64_t metri : {std::int64_t{40}, std::int64_t{300000}}) {
        planimetria_percorso p;
        p.crea(metri);
        for (int coordinata : {0, 1}) {
            auto v = p.passi(coordinata, 2, metri - 1);
            for (double& x : v) x = 7.5;
        }
        p.crea(metri + 1);
        EXPECT_EQ(p.elementi.tratti().size(), 1u) << metri;
        const auto valori = p.elementi.valori();
        EXPECT_EQ(std::count(valori.begin(), valori.end(), 0.0), static_cast<std::ptrdiff_t>(valori.size())) << metri;
        EXPECT_EQ(p(metri, 1), valore_planimetria{}) << metri;
    }
}

}  // namespace
