#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver/form_load.h"
#include "driver/programma.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_guasti.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> pacchetto = {
    "Valdesca_Morlano_52816.dat",           "Valdesca_Morlano_52816.sim",
    "Valdesca_Morlano_52816_note.txt",      "Valdesca_Morlano_52816_rallentamenti.txt",
    "Valdesca_Morlano_52816_scheda_treno.txt", "Valdesca_Morlano_linea.dat",
};

std::vector<std::string> nomi(const std::map<std::string, std::string>& contenuto) {
    std::vector<std::string> v;
    for (const auto& [nome, byte] : contenuto) v.push_back(nome);
    return v;
}

TEST(Build, InUnaCartellaVuotaLasciaIlPacchettoEBasta) {
    cartella_temporanea cartella;
    piattaforma_guasti p(cartella.stringa());
    std::ostringstream err;
    EXPECT_EQ(esegui_builder(p, err), uscita_ok);
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(p.messaggi.empty());
    EXPECT_EQ(nomi(contenuto_cartella(cartella.percorso())), pacchetto);
}

TEST(Build, UnaSecondaCorsaSostituisceOgniFileAncheSePiuLungo) {
    cartella_temporanea cartella;
    piattaforma_guasti p(cartella.stringa());
    std::ostringstream err;
    ASSERT_EQ(esegui_builder(p, err), uscita_ok);
    auto prima = contenuto_cartella(cartella.percorso());
    for (const auto& [nome, byte] : prima) scrivi_file(cartella.percorso() / nome, byte + std::string(5000, 'x'));
    ASSERT_EQ(esegui_builder(p, err), uscita_ok);
    EXPECT_EQ(contenuto_cartella(cartella.percorso()), prima);
}

// The real program, started in an empty folder that holds only itself.
TEST(Build, IlProgrammaScriveAccantoASeStesso) {
    cartella_temporanea cartella;
    fs::copy_file(SCENARIO_BUILDER_EXE, cartella.percorso() / "scenario_builder");
    fs::path errori = cartella.percorso().parent_path() / (cartella.percorso().filename().string() + ".err");
    std::string comando = "cd / && '" + (cartella.percorso() / "scenario_builder").string() + "' 2>'" + errori.string() + "'";
    int stato = std::system(comando.c_str());
    ASSERT_TRUE(WIFEXITED(stato));
    EXPECT_EQ(WEXITSTATUS(stato), 0);
    EXPECT_EQ(leggi(errori), "Attendere\n");
    fs::remove(errori);
    fs::remove(cartella.percorso() / "scenario_builder");
    EXPECT_EQ(nomi(contenuto_cartella(cartella.percorso())), pacchetto);
}

// Every byte of the embedded scenario's package, as the simulator expects it.
TEST(Build, PacchettoIdenticoAiFileAttesi) {
    cartella_temporanea cartella;
    piattaforma_guasti p(cartella.stringa());
    std::ostringstream err;
    ASSERT_EQ(esegui_builder(p, err), uscita_ok);
    auto prodotto = contenuto_cartella(cartella.percorso());
    for (const auto& nome : pacchetto) {
        std::string atteso = leggi(fs::path(SCENARIO_TEST_DATA) / "pacchetto" / nome);
        ASSERT_FALSE(atteso.empty()) << nome;
        EXPECT_TRUE(prodotto[nome] == atteso) << nome << " differs from the expected file";
    }
}

}  // namespace

namespace {

// A signal in the first 50 m takes the stamp's field in cell 1.
struct caso_conflitto {
    const char* segnale;
    std::int32_t numero;
};
void PrintTo(const caso_conflitto& c, std::ostream* os) { *os << c.numero; }

class ConflittoTimbri : public testing::TestWithParam<caso_conflitto> {};

TEST_P(ConflittoTimbri, NessunFileBinarioScritto) {
    cartella_temporanea cartella;
    piattaforma_guasti p(cartella.stringa());
    risultato_percorso r;
    r.modello.nome_percorso = "Prova";
    r.modello.numero_treno = "1";
    sorgenti_in_memoria sorgenti("[generale]\r\nlunghezza percorso, 5000\r\n[x]\r\n",
                                 std::string("[generale]\r\n") + GetParam().segnale + "\r\n[fine]\r\n");
    memorizza_percorso(r, 1, sorgenti, p, cartella.stringa());
    EXPECT_EQ(r.esito, esito_percorso::conflitto);
    ASSERT_TRUE(r.conflitto.has_value());
    EXPECT_EQ(r.conflitto->numero, GetParam().numero);
    EXPECT_TRUE(contenuto_cartella(cartella.percorso()).empty());
}

INSTANTIATE_TEST_SUITE_P(Casi, ConflittoTimbri,
                         testing::Values(caso_conflitto{"segnale, 0, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0", 1250},
                                         caso_conflitto{"segnale, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0", 1251}),
                         [](const auto& info) { return std::to_string(info.param.numero); });

}  // namespace
