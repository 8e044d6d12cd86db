#include "postpass/post_passo.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct in_cella {
    int cella;
    int oggetto;
    int dato1 = 0;
};

struct caso_post {
    const char* nome;
    std::vector<in_cella> prima;  // objects placed before the pass
    std::vector<in_cella> dopo;   // the cells the pass must change, as they end
    std::vector<std::pair<int, int>> problemi = {};  // code, position
    int numero_celle = 80;
};
void PrintTo(const caso_post& c, std::ostream* os) { *os << c.nome; }

class PostPasso : public testing::TestWithParam<caso_post> {};

TEST_P(PostPasso, PonePuntiERegistraConflitti) {
    const auto& c = GetParam();
    scenario s;
    s.numero_celle = c.numero_celle;
    s.celle.assign(static_cast<std::size_t>(c.numero_celle) + 1, cella{});
    for (auto [i, oggetto, dato1] : c.prima) {
        s.celle.at(static_cast<std::size_t>(i)).oggetto = static_cast<std::uint8_t>(oggetto);
        s.celle.at(static_cast<std::size_t>(i)).dato1 = static_cast<std::int16_t>(dato1);
    }
    auto attese = s.celle;
    for (auto [i, oggetto, dato1] : c.dopo) {
        attese.at(static_cast<std::size_t>(i)).oggetto = static_cast<std::uint8_t>(oggetto);
        attese.at(static_cast<std::size_t>(i)).dato1 = static_cast<std::int16_t>(dato1);
    }

    registro_problemi log;
    post_passo(s, log);

    for (std::size_t i = 0; i < s.celle.size(); ++i) {
        EXPECT_EQ(s.celle[i].oggetto, attese[i].oggetto) << "cell " << i;
        EXPECT_EQ(s.celle[i].dato1, attese[i].dato1) << "cell " << i;
    }
    std::vector<std::pair<int, int>> trovati;
    for (const auto& p : log.elenco) trovati.emplace_back(p.codice, p.posizione.value_or(-1));
    EXPECT_EQ(trovati, c.problemi);
}

constexpr int segnale = oggetto_segnale, fine = oggetto_fine_rallentamento, inizio = oggetto_inizio_rallentamento,
              avviso = oggetto_avviso_rallentamento, punto = oggetto_punto_abbattimento,
              cartello = oggetto_cartello_indicazione, montagna = oggetto_marca_montagna;
constexpr int codice_11 = problema_punto_segnale_avviso, codice_12 = problema_punto_prima_rallentamento,
              codice_13 = problema_punto_dopo_rallentamento;
constexpr int veloce = 120, lento = 109;

INSTANTIATE_TEST_SUITE_P(
    Casi, PostPasso,
    testing::Values(
        caso_post{"avviso_nelle_prime_celle", {{3, avviso}, {2, segnale}}, {}},
        caso_post{"segnali_entro_venti_celle", {{30, avviso}, {25, segnale}, {12, segnale}, {9, segnale}},
                  {{24, punto, 180}, {11, punto, 180}}},
        caso_post{"secondo_candidato", {{30, avviso}, {25, segnale}, {24, cartello}}, {{23, punto, 180}}},
        caso_post{"punto_esistente_abbassato", {{30, avviso}, {25, segnale}, {24, punto, 200}, {23, cartello}}, {{24, punto, 180}}},
        caso_post{"punto_esistente_basso_resta", {{30, avviso}, {25, segnale}, {24, punto, 100}, {23, cartello}}, {}},
        caso_post{"punto_esistente_in_seconda", {{30, avviso}, {25, segnale}, {24, cartello}, {23, punto, 300}}, {{23, punto, 180}}},
        caso_post{"codice_11", {{30, avviso}, {25, segnale}, {24, cartello}, {23, cartello}}, {}, {{codice_11, 1250}}},
        caso_post{"inizio_in_cella_7", {{7, inizio, veloce}}, {}},
        caso_post{"inizio_in_cella_8", {{8, inizio, veloce}}, {{3, punto, 180}}},
        caso_post{"inizio_in_cella_14", {{14, inizio, veloce}}, {{9, punto, 180}, {3, punto, 180}}},
        caso_post{"inizio_in_cella_21", {{21, inizio, veloce}}, {{16, punto, 180}, {10, punto, 180}, {3, punto, 180}}},
        caso_post{"terzo_candidato", {{21, inizio, veloce}, {16, cartello}, {15, cartello}}, {{14, punto, 180}, {10, punto, 180}, {3, punto, 180}}},
        caso_post{"montagna_sostituita", {{8, inizio, veloce}, {3, montagna}}, {{3, punto, 180}}},
        caso_post{"codice_12", {{8, inizio, veloce}, {3, cartello}, {2, cartello}, {1, cartello}}, {}, {{codice_12, 400}}},
        caso_post{"punti_ogni_otto_celle", {{5, inizio, lento}, {40, fine}},
                  {{13, punto, 180}, {21, punto, 180}, {29, punto, 180}, {37, punto, 180}}},
        caso_post{"restrizione_veloce_senza_punti", {{5, inizio, 110}, {40, fine}, {45, segnale}}, {}},
        caso_post{"punto_spostato_indietro", {{5, inizio, lento}, {13, cartello}, {40, fine}},
                  {{12, punto, 180}, {20, punto, 180}, {28, punto, 180}, {36, punto, 180}}},
        caso_post{"punto_spostato_avanti", {{5, inizio, lento}, {13, cartello}, {12, cartello}, {40, fine}},
                  {{14, punto, 180}, {22, punto, 180}, {30, punto, 180}, {38, punto, 180}}},
        caso_post{"codice_13_dentro", {{5, inizio, lento}, {12, cartello}, {13, cartello}, {14, cartello}, {40, fine}}, {}, {{codice_13, 650}}},
        caso_post{"segnale_dopo_la_fine", {{5, inizio, lento}, {20, fine}, {32, segnale}}, {{13, punto, 180}, {31, punto, 180}}},
        caso_post{"segnale_troppo_lontano", {{5, inizio, lento}, {20, fine}, {33, segnale}}, {{13, punto, 180}}},
        caso_post{"codice_13_dopo", {{5, inizio, lento}, {20, fine}, {25, segnale}, {24, cartello}, {23, cartello}}, {{13, punto, 180}},
                  {{codice_13, 1000}}},
        caso_post{"inizio_e_fine_nella_stessa_cella", {{5, inizio, lento}, {30, inizio, veloce}, {31, fine}},
                  {{13, punto, 180}, {21, punto, 180}, {29, punto, 180}, {25, punto, 180}, {19, punto, 180}, {12, punto, 180}}},
        caso_post{"senza_fine_si_ferma_all_ultima_cella", {{5, inizio, lento}}, {{13, punto, 180}, {21, punto, 180}, {29, punto, 180}}, {}, 30},
        caso_post{"ultime_due_celle_mai_esaminate", {{29, inizio, veloce}}, {}, {}, 30}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
