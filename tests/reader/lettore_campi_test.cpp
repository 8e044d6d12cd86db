#include "reader/lettore_campi.h"

#include <gtest/gtest.h>

#include <utility>
#include <variant>
#include <vector>

#include "model/conversioni.h"

namespace {

// One read: 'T' text, 'N' number; the expected value.
struct lettura {
    char tipo;
    std::variant<std::string, std::int32_t> atteso;
};

struct caso_lettore {
    const char* nome;
    std::string dati;
    std::vector<lettura> letture;
    bool fine_attesa;
};
void PrintTo(const caso_lettore& c, std::ostream* os) { *os << c.nome; }

class LettoreCampi : public testing::TestWithParam<caso_lettore> {};

TEST_P(LettoreCampi, LeggeICampiInOrdine) {
    const auto& c = GetParam();
    lettore_campi l(c.dati);
    for (std::size_t i = 0; i < c.letture.size(); ++i) {
        const auto& r = c.letture[i];
        if (r.tipo == 'T')
            EXPECT_EQ(l.leggi_testo(), std::get<std::string>(r.atteso)) << "read " << i;
        else
            EXPECT_EQ(l.leggi_numero(), std::get<std::int32_t>(r.atteso)) << "read " << i;
    }
    EXPECT_EQ(l.fine(), c.fine_attesa);
}

using S = std::string;

INSTANTIATE_TEST_SUITE_P(
    Casi, LettoreCampi,
    testing::Values(
        caso_lettore{"righe_crlf", "pendenza,  4000,   -4\r\nx", {{'T', S("pendenza")}, {'N', 4000}, {'N', -4}}, false},
        caso_lettore{"lf_e_cr_soli", "a,1\nb,2\rc", {{'T', S("a")}, {'N', 1}, {'T', S("b")}, {'N', 2}, {'T', S("c")}}, true},
        caso_lettore{"numeri_separati_da_blanchi", "orologio,    19              21            30 \r\n",
                     {{'T', S("orologio")}, {'N', 19}, {'N', 21}, {'N', 30}}, true},
        caso_lettore{"campi_vuoti_di_blanchi", "v,500,  ,  ,0", {{'T', S("v")}, {'N', 500}, {'N', 0}, {'N', 0}, {'N', 0}}, true},
        caso_lettore{"testo_con_blanchi_e_trattini", "stazione, MONTE SAVINO  \r\nx, VALDESCA-CORNIOLA\r\n",
                     {{'T', S("stazione")}, {'T', S("MONTE SAVINO")}, {'T', S("x")}, {'T', S("VALDESCA-CORNIOLA")}}, true},
        caso_lettore{"virgolette_con_virgole", "\"a, b\" , \"\",x", {{'T', S("a, b")}, {'T', S("")}, {'T', S("x")}}, true},
        caso_lettore{"numero_tra_virgolette", "\" 42 \",\"-7\"\r\n", {{'N', 42}, {'N', -7}}, true},
        caso_lettore{"riga_spezzata_dopo_virgola", "segnale,\r\n4950, 1", {{'T', S("segnale")}, {'N', 0}, {'N', 4950}, {'N', 1}}, true},
        caso_lettore{"riga_vuota", "[segnali]\r\n\r\nsegnale", {{'T', S("[segnali]")}, {'T', S("")}, {'T', S("segnale")}}, true},
        caso_lettore{"blanchi_finali_non_sono_fine", "a,   ", {{'T', S("a")}}, false},
        caso_lettore{"blanchi_finali_letti_vuoti", "a,   ", {{'T', S("a")}, {'N', 0}}, true},
        caso_lettore{"frazioni_pari", "2.5,3.5,-2.5,2.51,.5,5.,1.49,+7", {{'N', 2}, {'N', 4}, {'N', -2}, {'N', 3}, {'N', 0}, {'N', 5}, {'N', 1}, {'N', 7}}, true},
        caso_lettore{"limiti_32_bit", "2147483647,-2147483648,2147483647.4", {{'N', 2147483647}, {'N', INT32_MIN}, {'N', 2147483647}}, true},
        caso_lettore{"tab_come_blanco", "\tx\t,\t5\t", {{'T', S("x")}, {'N', 5}}, true}),
    [](const auto& info) { return std::string(info.param.nome); });

struct caso_guasto {
    const char* nome;
    std::string dati;
    std::string letture;  // 'T' / 'N' in order; the last one must fail
};
void PrintTo(const caso_guasto& c, std::ostream* os) { *os << c.nome; }

class LettoreCampiGuasto : public testing::TestWithParam<caso_guasto> {};

TEST_P(LettoreCampiGuasto, FallisceComeGuastoDiEsecuzione) {
    const auto& c = GetParam();
    lettore_campi l(c.dati);
    for (std::size_t i = 0; i + 1 < c.letture.size(); ++i) c.letture[i] == 'T' ? (void)l.leggi_testo() : (void)l.leggi_numero();
    if (c.letture.back() == 'T')
        EXPECT_THROW(l.leggi_testo(), errore_esecuzione);
    else
        EXPECT_THROW(l.leggi_numero(), errore_esecuzione);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, LettoreCampiGuasto,
    testing::Values(caso_guasto{"dati_vuoti", "", "T"},
                    caso_guasto{"lettura_oltre_la_fine", "a,1", "TNN"},
                    caso_guasto{"virgolette_aperte", "\"abc, def", "T"},
                    caso_guasto{"testo_dopo_le_virgolette", "\"abc\" x,1", "T"},
                    caso_guasto{"lettere_nel_numero", "12a", "N"},
                    caso_guasto{"segno_solo", "-", "N"},
                    caso_guasto{"due_punti", "1.2.3", "N"},
                    caso_guasto{"blanco_nel_numero_tra_virgolette", "\"1 2\"", "N"},
                    caso_guasto{"oltre_32_bit", "2147483648", "N"},
                    caso_guasto{"sotto_32_bit", "-2147483649", "N"},
                    caso_guasto{"arrotondato_oltre_32_bit", "2147483647.5", "N"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LettoreCampiRighe, LaRigaEQuellaDoveIlCampoComincia) {
    lettore_campi l("a,\r\n  b\n\rc,\"x\ny\",d");
    l.leggi_testo();
    EXPECT_EQ(l.riga_ultimo_campo(), 1);
    l.leggi_testo();  // the empty field before the first line end
    EXPECT_EQ(l.riga_ultimo_campo(), 1);
    l.leggi_testo();
    EXPECT_EQ(l.riga_ultimo_campo(), 2);
    l.leggi_testo();  // LF then CR: two line ends
    EXPECT_EQ(l.riga_ultimo_campo(), 3);
    l.leggi_testo();
    EXPECT_EQ(l.riga_ultimo_campo(), 4);
    EXPECT_EQ(l.leggi_testo(), "x\ny");
    EXPECT_EQ(l.riga_ultimo_campo(), 4);
    l.leggi_testo();  // the field after a quoted line end
    EXPECT_EQ(l.riga_ultimo_campo(), 5);
}

// Line ends passed by number fields and inside quotes: a quoted CR LF is one
// line end, a quoted CR before the closing quote is one, a CR at the very end
// is one.
TEST(LettoreCampiRighe, LeFiniRigaSiContanoAncheNeiNumeriETraVirgolette) {
    lettore_campi l("1 \r\n2\n\"a\r\nb\r\",3\r\"c\r\n\"\r\n4\r");
    const std::pair<char, std::int64_t> letture[] = {{'N', 1}, {'N', 2}, {'T', 3}, {'N', 5}, {'T', 6}, {'N', 8}};
    for (auto [tipo, riga] : letture) {
        if (tipo == 'N')
            l.leggi_numero();
        else
            l.leggi_testo();
        EXPECT_EQ(l.riga_ultimo_campo(), riga);
    }
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampiConfronti, SoloDaAaZSiPieganoLeMaiuscole) {
    EXPECT_TRUE(contiene_senza_maiuscole("LUNGHEZZA Percorso", "lunghezza"));
    EXPECT_FALSE(contiene_senza_maiuscole("\xC8", "\xE8"));  // È and è stay different
    EXPECT_FALSE(contiene("Progressiva", "progressiva"));
}

}  // namespace
