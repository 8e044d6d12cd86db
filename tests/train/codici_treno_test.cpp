#include <gtest/gtest.h>

#include "support/compila_in_memoria.h"

namespace {

std::string segnale(int posizione, int sx = 1, int s1 = 4) {
    return "segnale, " + std::to_string(posizione) + ", " + std::to_string(sx) + ", " + std::to_string(s1) + ", 1, 0, 0, 0, 0, 0, 0, 0\r\n";
}

std::string stazione(int posizione, int categoria, int lunghezza, const std::string& nome = "S", const std::string& orario = "0, 0, 0") {
    return "stazione, " + std::to_string(posizione) + ", " + std::to_string(categoria) + ", " + std::to_string(lunghezza) +
           ", 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, " + orario + ", " + nome + "\r\n";
}

std::string rallentamento(int x, int l, int f_ta = 1) {
    return "rallentamento, " + std::to_string(x) + ", 60, " + std::to_string(l) + ", 1, " + std::to_string(f_ta) + ", 0\r\n";
}

std::string stazioni_distanziate(int quante) {
    std::string righe;
    for (int i = 0; i < quante; ++i) righe += stazione(1000 + 400 * i, 28, 0);
    return righe;
}

std::string testi(int quanti) {
    std::string righe;
    for (int i = 0; i < quanti; ++i) righe += "cartello_indicatore, " + std::to_string(50 * i) + ", T\r\n";
    return righe;
}

struct caso_treno {
    const char* nome;
    std::string linea;
    std::optional<std::string> treno;
    std::int32_t codice;
    std::optional<std::int32_t> posizione;
};
void PrintTo(const caso_treno& c, std::ostream* os) { *os << c.nome; }

class CodiciTreno : public testing::TestWithParam<caso_treno> {};

TEST_P(CodiciTreno, RegistraIlCodiceELaPosizione) {
    const auto& c = GetParam();
    auto r = compila_testi(c.linea, c.treno);
    EXPECT_EQ(r.registro.codice_errore, c.codice);
    if (c.posizione) {
        EXPECT_EQ(r.registro.posizione_errore, *c.posizione);
    }
}

const std::string linea = linea_con("");
const std::string progressiva_storta =
    "[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica uno, 0, 82225, 0\r\n[x]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Casi, CodiciTreno,
    testing::Values(
        caso_treno{"file_vuoto", linea, "", 0, std::nullopt},
        caso_treno{"senza_generale", linea, "velocita, 0, 100\r\n", 0, std::nullopt},
        caso_treno{"file_mancante", linea, std::nullopt, problema_guasto, std::nullopt},
        caso_treno{"progressiva_fuori_passo", progressiva_storta, treno_con(""), problema_progressiva_fuori_griglia, std::nullopt},
        caso_treno{"progressiva_dopo_un_15", progressiva_storta, treno_con(segnale(99999)), problema_progressiva_fuori_griglia, 99999},
        caso_treno{"abbattimento_su_segnale", linea, treno_con(segnale(1000) + "abbattimento, 1050, 5\r\n"), problema_abbattimento_occupato, 1050},
        caso_treno{"stazione_fuori_passo", linea, treno_con(stazione(1025, 12, 300)), problema_stazione_fuori_griglia, 1025},
        caso_treno{"lunghezza_stazione_fuori_passo", linea, treno_con(stazione(1000, 12, 250)), problema_lunghezza_stazione, 1000},
        caso_treno{"settantanove_stazioni", linea_con("", 40000), treno_con(stazioni_distanziate(79)), problema_troppe_stazioni, std::nullopt},
        caso_treno{"settantotto_stazioni", linea_con("", 40000), treno_con(stazioni_distanziate(78)), 0, std::nullopt},
        caso_treno{"nessuno_slot_dopo_ottanta_testi", linea_con(testi(80)), treno_con(stazione(1000, 28, 0)), problema_troppe_stazioni, std::nullopt},
        caso_treno{"segnale_oltre_le_celle", linea, treno_con(segnale(11901)), problema_fuori_celle, 11901},
        caso_treno{"stazione_oltre_le_celle", linea, treno_con(stazione(11250, 28, 0)), problema_fuori_celle, 11250},
        caso_treno{"stazione_negativa", linea, treno_con(stazione(-100, 28, 0)), problema_fuori_celle, -100},
        caso_treno{"fermata_oltre_l_ultima_cella", linea, treno_con(stazione(11200, 8, 2000)), problema_fuori_celle, 11200},
        caso_treno{"segnale_su_segnale", linea, treno_con(segnale(1000) + segnale(1010)), problema_segnale_occupato, 1010},
        caso_treno{"avviso_occupato", linea, treno_con(segnale(3800) + rallentamento(5000, 500)), problema_avviso_occupato, 5000},
        caso_treno{"inizio_occupato", linea, treno_con(segnale(5000) + rallentamento(5000, 500)), problema_inizio_occupato, 5000},
        caso_treno{"fine_occupata", linea, treno_con(segnale(5500) + rallentamento(5000, 500)), problema_fine_occupata, 5000},
        caso_treno{"celle_prima_dell_avviso_occupate", linea, treno_con(segnale(3700) + rallentamento(5000, 500)), problema_prima_avviso_occupata, 5000},
        caso_treno{"fine_oltre_le_celle", linea, treno_con(rallentamento(5000, 100000)), problema_fuori_celle, 5000},
        caso_treno{"inizio_negativo", linea, treno_con(rallentamento(-1000, 100)), problema_fuori_celle, -1000},
        caso_treno{"abbattimento_negativo", linea, treno_con("abbattimento, -100, 5\r\n"), problema_fuori_celle, -100},
        caso_treno{"stazioni_troppo_vicine", linea, treno_con(stazione(1000, 12, 300) + stazione(1600, 12, 300)), problema_stazioni_vicine, 1600},
        caso_treno{"stazioni_a_350_m", linea, treno_con(stazione(1000, 12, 300) + stazione(1650, 12, 300)), 0, std::nullopt},
        caso_treno{"stazioni_al_contrario", linea, treno_con(stazione(3000, 12, 300) + stazione(1000, 12, 300)), problema_stazioni_vicine, 1000},
        caso_treno{"fermata_in_cella_zero", linea, treno_con(stazione(0, 12, 100)), problema_fermata_iniziale, std::nullopt},
        caso_treno{"testo_in_un_numero", linea, treno_con("velocita, 0, presto\r\n"), problema_guasto, std::nullopt},
        caso_treno{"categoria_oltre_255", linea, treno_con(stazione(1000, 300, 300)), problema_guasto, std::nullopt},
        caso_treno{"sabbia_oltre_16_bit", linea, treno_con("sabbia, 40000\r\n"), problema_guasto, std::nullopt},
        caso_treno{"velocita_oltre_il_byte", linea, treno_con("velocita, 0, 1300\r\n"), problema_guasto, std::nullopt},
        caso_treno{"orario_oltre_32_bit", linea, treno_con(stazione(1000, 28, 0, "S", "600000, 0, 0")), problema_guasto, std::nullopt},
        caso_treno{"nome_troppo_lungo", linea, treno_con(stazione(1000, 28, 0, std::string(65536, 'x'))), problema_guasto, std::nullopt},
        caso_treno{"riga_tronca", linea, "[generale]\r\nsegnale, 1000, 1", problema_guasto, std::nullopt}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CodiciTreno, Un15DellaLineaNonFermaISegnaliDelTreno) {
    auto r = compila_testi(linea_con("pendenza, 99999, 1\r\n"), treno_con("velocita, 0, 100\r\n" + segnale(1000) + segnale(2000)));
    EXPECT_EQ(r.registro.codice_errore, problema_fuori_celle);
    EXPECT_EQ(r.registro.posizione_errore, 99999);
    EXPECT_EQ(r.modello.celle[21].oggetto, oggetto_segnale);
    EXPECT_EQ(r.modello.celle[41].oggetto, oggetto_segnale);
    EXPECT_EQ(r.modello.celle[237].velocita, 20);  // the completion ran
}

TEST(CodiciTreno, DopoUnoStopRestaCompilatoCioCheVenivaPrima) {
    auto r = compila_testi(linea, treno_con("velocita, 0, 100\r\nvelocita, 1000, 50\r\n" + segnale(2000) + segnale(2010) + segnale(3000)));
    EXPECT_EQ(r.registro.codice_errore, problema_segnale_occupato);
    EXPECT_EQ(r.modello.celle[41].oggetto, oggetto_segnale);
    EXPECT_EQ(r.modello.celle[61].oggetto, oggetto_libero);   // never read
    EXPECT_EQ(r.modello.celle[19].velocita, 20);
    EXPECT_EQ(r.modello.celle[20].velocita, 0);  // the abort skips the completion
}

TEST(CodiciTreno, SettantanoveStazioniLasciaLUltimaNelSuoSlot) {
    auto r = compila_testi(linea_con("", 40000), treno_con(stazioni_distanziate(79)));
    EXPECT_EQ(r.modello.voci[79].punto, 1000 + 400 * 78);
}

TEST(CodiciTreno, SenzaSlotNessunTestoVieneSovrascritto) {
    auto r = compila_testi(linea_con(testi(80)), treno_con(stazione(1000, 28, 0, "STAZ")));
    EXPECT_EQ(r.modello.voci[1].testo, "T");
    EXPECT_EQ(r.modello.voci[1].punto, 0);
}

TEST(CodiciTreno, FermataOltreLUltimaCellaNonScriveNelleCelle) {
    auto r = compila_testi(linea, treno_con(stazione(11200, 8, 2000)));
    EXPECT_EQ(r.modello.voci[1].fine_tratto, 13200);
    for (const cella& c : r.modello.celle) {
        EXPECT_EQ(c.ripetizione, 0);
        EXPECT_NE(c.oggetto, oggetto_fermata_stazione);
    }
}

TEST(CodiciTreno, IlGuastoIndicaLaRigaDelTreno) {
    auto r = compila_testi(linea, "[generale]\r\n\r\nsabbia, 40000\r\n");
    ASSERT_FALSE(r.registro.elenco.empty());
    EXPECT_EQ(r.registro.elenco.back().riga, (riga_sorgente{file_sorgente::treno, 3}));
    EXPECT_NE(r.registro.elenco.back().dettaglio.find("40000"), std::string::npos);
}

}  // namespace
