#include "postpass/timbri.h"

#include <gtest/gtest.h>

namespace {

scenario con_testi(const std::string& treno, const std::string& percorso) {
    scenario s;
    s.voci[86].testo = treno;
    s.voci[85].testo = percorso;
    s.numero_celle = 3;
    s.celle.assign(4, cella{});
    return s;
}

struct caso_codici {
    const char* nome;
    std::string treno, percorso;
    std::int16_t og;
    std::int32_t st;
};
void PrintTo(const caso_codici& c, std::ostream* os) { *os << c.nome; }

class CodiciGara : public testing::TestWithParam<caso_codici> {};

TEST_P(CodiciGara, SommaSuiPrimiVenticinqueCaratteri) {
    const auto& c = GetParam();
    scenario s = con_testi(c.treno, c.percorso);
    EXPECT_EQ(codice_gara_og(s), c.og);
    EXPECT_EQ(codice_gara_st(s), c.st);
}

std::string codici_di(const std::string& treno, const std::string& percorso) {
    scenario s = con_testi(treno, percorso);
    return std::to_string(codice_gara_og(s)) + "/" + std::to_string(codice_gara_st(s));
}

INSTANTIATE_TEST_SUITE_P(Casi, CodiciGara,
                         testing::Values(caso_codici{"riempitivo_inutile", "1", "ABCDEFGHIJKLMNOPQRSTUVWX", 2653, 36353},
                                         caso_codici{"venticinque_a", "aaaaa", "AAAAAAAAAAAAAAAAAAAA", 2425, 31525},
                                         caso_codici{"testi_vuoti", "", "", 2782, 35723}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(CodiciGara, ContaSoloIlTestoUnitoInMinuscolo) {
    EXPECT_EQ(codici_di("ABC", "X"), codici_di("abc", "x"));
    EXPECT_EQ(codici_di("12", "3AB"), codici_di("123", "AB"));
    EXPECT_EQ(codici_di("\xC8", "\xDE"), codici_di("\xE8", "\xFE"));  // È, Þ
    EXPECT_NE(codici_di("\xD7", ""), codici_di("\xF7", ""));          // × is no letter
    EXPECT_EQ(codici_di("\x8A\x9F", ""), codici_di("\x9A\xFF", ""));  // Š, Ÿ
    EXPECT_EQ(codici_di("1", std::string(24, 'b') + "zzz"), codici_di("1", std::string(24, 'b')));
}

TEST(Timbri, ScriveTimbriECodici) {
    scenario s = con_testi("1", "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_FALSE(timbra(s).has_value());
    EXPECT_EQ(s.voci[85].valore1, 610);
    EXPECT_EQ(s.celle[1].dato1, 5121);
    EXPECT_EQ(s.voci[85].orario, 36353);
    EXPECT_EQ(s.celle[1].dato2, 2653);
}

TEST(Timbri, CampiGiaOccupati) {
    scenario primo = con_testi("1", "A");
    primo.celle[1] = cella{1, 40, 10};
    auto conflitto = timbra(primo);
    ASSERT_TRUE(conflitto.has_value());
    EXPECT_EQ(conflitto->numero, problema_timbro);
    EXPECT_NE(conflitto->campo.find("signal"), std::string::npos);
    EXPECT_EQ(primo.voci[85].valore1, 0);  // nothing stamped

    scenario secondo = con_testi("1", "A");
    secondo.celle[1] = cella{1, 0, 10};
    conflitto = timbra(secondo);
    ASSERT_TRUE(conflitto.has_value());
    EXPECT_EQ(conflitto->numero, problema_codice_gara);
    EXPECT_EQ(secondo.voci[85].orario, 0);
}

}  // namespace
