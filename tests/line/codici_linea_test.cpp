#include <gtest/gtest.h>

#include "support/compila_in_memoria.h"

namespace {

std::string ripeti(const std::string& riga, int volte, int passo = 0) {
    std::string testo;
    for (int i = 0; i < volte; ++i) {
        std::string r = riga;
        auto segnaposto = r.find("@");
        if (segnaposto != std::string::npos) r.replace(segnaposto, 1, std::to_string(i * passo));
        testo += r;
    }
    return testo;
}

struct caso_codice {
    const char* nome;
    std::optional<std::string> linea;
    std::int32_t codice;
    std::optional<std::int32_t> posizione;
    bool celle;
    std::int32_t j = 1;
};
void PrintTo(const caso_codice& c, std::ostream* os) { *os << c.nome; }

class CodiciLinea : public testing::TestWithParam<caso_codice> {};

TEST_P(CodiciLinea, RegistraIlCodiceELaPosizione) {
    const auto& c = GetParam();
    auto r = compila_testi(c.linea, "", c.j);
    EXPECT_EQ(r.registro.codice_errore, c.codice);
    if (c.posizione) {
        EXPECT_EQ(r.registro.posizione_errore, *c.posizione);
    }
    EXPECT_EQ(r.modello.celle_create(), c.celle);
    EXPECT_EQ(r.esito == esito_percorso::senza_celle, !c.celle);
}

const std::string generale = "[generale]\r\nlunghezza percorso, 5000\r\n";

INSTANTIATE_TEST_SUITE_P(
    Casi, CodiciLinea,
    testing::Values(
        caso_codice{"file_mancante", std::nullopt, problema_manca_linea, std::nullopt, false},
        caso_codice{"file_vuoto", "", problema_guasto, std::nullopt, false},
        caso_codice{"senza_generale", "a,b\r\nc\r\n", problema_manca_generale, std::nullopt, false},
        caso_codice{"generale_ultimo_campo", "x\r\n[generale]", problema_manca_generale, std::nullopt, false},
        caso_codice{"lunghezza_oltre_il_milione", "[generale]\r\nlunghezza percorso, 1000001\r\n[x]\r\n", problema_lunghezza_eccessiva, std::nullopt, false},
        caso_codice{"lunghezza_rifiutata_dopo_una_buona", generale + "lunghezza percorso, 2000000\r\n[x]\r\n", problema_lunghezza_eccessiva, std::nullopt, false},
        caso_codice{"lunghezza_senza_celle", "[generale]\r\nlunghezza percorso, -7000\r\n[x]\r\n", problema_guasto, std::nullopt, false},
        caso_codice{"senza_lunghezza", "[generale]\r\nsfondo uno, 1\r\n[x]\r\n", problema_guasto, std::nullopt, false},
        caso_codice{"lunghezza_con_trattino_e_riempitivo", "[generale]\r\nlunghezza-percorso, 5000\r\n[x]\r\n", problema_guasto, std::nullopt, false},
        caso_codice{"ripetizione_inizio_fuori_passo", generale + "ripetizione segnali 4 codici, 25, 45000\r\n[x]\r\n", problema_inizio_ripetizione, std::nullopt, true},
        caso_codice{"ripetizione_fine_fuori_passo", generale + "ripetizione segnali 4 codici, 0, 45025\r\n[x]\r\n", problema_fine_ripetizione, std::nullopt, true},
        caso_codice{"ripetizione_senza_codici", generale + "ripetizione segnali, 0, 45000\r\n[x]\r\n", problema_codici_ripetizione, std::nullopt, true},
        caso_codice{"ripetizione_prima_della_lunghezza", "[generale]\r\nripetizione segnali, 0, 0\r\n", problema_codici_ripetizione, std::nullopt, false},
        caso_codice{"riga_sull_ultima_cella", linea_con("pendenza, 11900, 1\r\n"), 0, std::nullopt, true},
        caso_codice{"riga_oltre_le_celle", linea_con("pendenza, 11901, 1\r\n"), problema_fuori_celle, 11901, true},
        caso_codice{"indicazione_su_cella_occupata", linea_con("cartello_indicatore, 1000, A\r\ncartello_indicatore, 1010, B\r\n"), problema_indicazione_occupata, 1010, true},
        caso_codice{"indicatore_su_cella_occupata", linea_con("indicatori_vmax,500,100,110,120,0,,,,0\r\nindicatori_vmax,520,1,1,1,0,,,,0\r\n"), problema_indicatore_occupato, 520, true},
        caso_codice{"curva_senza_classe", linea_con("curvas7,100,100\r\n"), problema_curva, std::nullopt, true},
        caso_codice{"curva_senza_classe_senza_planimetria", linea_con("curvas7,100,100\r\n"), 0, std::nullopt, true, 0},
        caso_codice{"curva_oltre_la_planimetria", linea_con("curvad1, 100, 999999\r\n"), problema_fuori_celle, 100, true},
        caso_codice{"pendenza_oltre_l_ultima_cella", linea_con(ripeti("pendenza, 7900, 1\r\n", 5), 1000), problema_fuori_celle, 7900, true},
        caso_codice{"montagna_oltre_le_celle", linea_con("montagna, 0, 9000000, 1\r\n"), problema_fuori_celle, 0, true},
        caso_codice{"ottantunesima_montagna", linea_con(ripeti("montagna, @, 0, 1\r\n", 81, 50)), problema_guasto, std::nullopt, true},
        caso_codice{"ottantunesimo_testo", linea_con(ripeti("cartello_indicatore, @, T\r\n", 81, 50)), problema_guasto, std::nullopt, true},
        caso_codice{"velocita_del_cartello_fuori_campo", linea_con("indicatori_vmax, 500, 2000, 0, 0, 0, 0, 0, 0, 0\r\n"), problema_guasto, std::nullopt, true},
        caso_codice{"testo_troppo_lungo", linea_con("cartello_indicatore, 1000, " + std::string(65536, 'x') + "\r\n"), problema_guasto, std::nullopt, true},
        caso_codice{"riga_tronca_alla_fine", generale + "[x]\r\npendenza, 1000", problema_guasto, std::nullopt, true},
        caso_codice{"testo_in_un_numero", linea_con("pendenza, mille, 2\r\n"), problema_guasto, std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CodiciLinea, UnaRigaOltreLeCelleFermaIlCorpoMaLaLineaSiCompleta) {
    auto r = compila_testi(linea_con("pendenza, 1000, 2\r\npendenza, 99999, 5\r\npendenza, 2000, 7\r\n"), "");
    EXPECT_EQ(r.registro.codice_errore, problema_fuori_celle);
    EXPECT_EQ(r.registro.posizione_errore, 99999);
    EXPECT_EQ(r.modello.celle[19].pendenza, 100);
    EXPECT_EQ(r.modello.celle[20].pendenza, 102);  // the row at 2000 m was never read
    EXPECT_EQ(r.modello.celle[237].pendenza, 102);
    EXPECT_EQ(r.modello.planimetria(11998, 1).reale, 11998.0);
}

TEST(CodiciLinea, UnCartelloRifiutatoLasciaLaCellaComEra) {
    auto r = compila_testi(linea_con("indicatori_vmax, 500, 2000, 0, 0, 0, 0, 0, 0, 0\r\n"), "");
    EXPECT_EQ(r.modello.celle[11].oggetto, oggetto_libero);
    EXPECT_EQ(r.registro.elenco.back().riga, (riga_sorgente{file_sorgente::linea, 4}));
}

TEST(CodiciLinea, OttantaTestiStannoNelleVociDa80a1) {
    auto r = compila_testi(linea_con(ripeti("cartello_indicatore, @, T\r\n", 80, 50)), "");
    EXPECT_EQ(r.registro.codice_errore, 0);
    EXPECT_EQ(r.modello.voci[1].testo, "T");
    EXPECT_EQ(r.modello.voci[0].testo, "");
    EXPECT_EQ(r.modello.celle[80].dato1, 1);
}

}  // namespace
