#include "driver/scrittore_testo.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "driver/nomi_file.h"

namespace {

struct caso_testo {
    const char* nome;
    std::vector<std::string> righe;
    std::string byte;
};
void PrintTo(const caso_testo& c, std::ostream* os) { *os << c.nome; }

class CodificaTesto : public testing::TestWithParam<caso_testo> {};

TEST_P(CodificaTesto, RigheInWindows1252ConCrLf) { EXPECT_EQ(codifica_testo(GetParam().righe), GetParam().byte); }

INSTANTIATE_TEST_SUITE_P(
    Casi, CodificaTesto,
    testing::Values(caso_testo{"riga_vuota", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
                    caso_testo{"un_blanco", {" "}, " \r\n"},
                    caso_testo{"blanchi_finali_tenuti", {"  x  "}, "  x  \r\n"},
                    caso_testo{"marcatore_mai_scritto", {"a", "riferimento fine del file", "b"}, "a\r\n"},
                    caso_testo{"marcatore_in_testa", {"riferimento fine del file", "a"}, ""},
                    caso_testo{"marcatore_solo_se_identico", {"Riferimento fine del file"}, "Riferimento fine del file\r\n"},
                    caso_testo{"lettere_accentate", {"perché è più"}, "perch\xE9 \xE8 pi\xF9\r\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CodificaTesto, UnCarattereFuoriCodificaEUnErroreNonUnPuntoInterrogativo) {
    EXPECT_THROW(codifica_testo({"freccia →"}), std::logic_error);
}

TEST(NomiFile, GliOttoNomiDelloScenario) {
    nomi_file n = nomi_scenario("Valdesca_Morlano", "52816");
    EXPECT_EQ(n.sorgente_linea, "Valdesca_Morlano_linea.txt");
    EXPECT_EQ(n.sorgente_treno, "Valdesca_Morlano_52816-.txt");
    EXPECT_EQ(n.note, "Valdesca_Morlano_52816_note.txt");
    EXPECT_EQ(n.rallentamenti, "Valdesca_Morlano_52816_rallentamenti.txt");
    EXPECT_EQ(n.scheda, "Valdesca_Morlano_52816_scheda_treno.txt");
    EXPECT_EQ(n.planimetria, "Valdesca_Morlano_linea.dat");
    EXPECT_EQ(n.voci, "Valdesca_Morlano_52816.sim");
    EXPECT_EQ(n.celle, "Valdesca_Morlano_52816.dat");
}

}  // namespace
