#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver/form_load.h"
#include "driver/percorso_utf8.h"
#include "driver/programma.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_guasti.h"
#include "tools/supporto.h"

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

// The real program, started from another folder in an empty one that holds
// only itself: the package lands beside it, every byte as expected, also
// where the folder's name is not ASCII (on Windows the program folder and
// every path must go through the wide API for it).
TEST(Build, IlProgrammaScriveAccantoASeStesso) {
    for (const char* nome : {"", "città dell'Àdige"}) {
        SCOPED_TRACE(nome);
        cartella_temporanea radice;
        const fs::path cartella = radice.percorso() / percorso_utf8(nome);
        fs::create_directories(cartella);
        const fs::path programma = cartella / supporto::eseguibile("scenario_builder");
        fs::copy_file(SCENARIO_BUILDER_EXE, programma);
        const supporto::esito e = supporto::esegui_in(cartella.root_path(), testo_utf8(programma), {});
        EXPECT_EQ(e.stato, 0) << e.err;
        EXPECT_EQ(e.err, "Attendere\n");
        fs::remove(programma);
        const auto prodotto = contenuto_cartella(cartella);
        ASSERT_EQ(nomi(prodotto), pacchetto);
        for (const auto& [file, byte] : prodotto)
            EXPECT_TRUE(byte == leggi(fs::path(SCENARIO_TEST_DATA) / "pacchetto" / file)) << file << " differs";
    }
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
