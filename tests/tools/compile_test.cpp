// sources and compile, run as a user runs them.

#include <gtest/gtest.h>

#include "driver/percorso_utf8.h"
#include "driver/scrittore_testo.h"
#include "model/problemi.h"
#include "scenario/sorgenti_incorporate.h"
#include "tools/supporto.h"

namespace {

using namespace supporto;

const std::string linea = "Valdesca_Morlano_linea.txt";
const std::string treno = "Valdesca_Morlano_52816-.txt";
const std::vector<std::string> binari = {"Valdesca_Morlano_52816.dat", "Valdesca_Morlano_52816.sim",
                                         "Valdesca_Morlano_linea.dat"};

// A folder with the two sources that `sources` writes, and an empty out/.
class CompilaStrumento : public ::testing::Test {
protected:
    void SetUp() override {
        const esito e = strumento(dir.percorso(), {"sources"});
        ASSERT_EQ(e.stato, 0) << e.err;
        fs::create_directory(dir / "out");
    }

    esito compila(const std::string& route = "R", const std::string& train = "1", std::vector<std::string> altro = {}) {
        std::vector<std::string> a = {"compile", "--line", linea, "--train-source", treno, "--route", route,
                                      "--train", train,   "--out",  "out"};
        a.insert(a.end(), altro.begin(), altro.end());
        return strumento(dir.percorso(), a);
    }

    cartella_temporanea dir;
};

TEST_F(CompilaStrumento, SourcesPoiCompileDannoIByteDelBuilder) {
    cartella_temporanea builder;
    fs::copy_file(SCENARIO_BUILDER_EXE, builder / eseguibile("scenario_builder"));
    ASSERT_EQ(esegui_in(builder.percorso(), "./" + eseguibile("scenario_builder"), {}).stato, 0);

    // The sources as the builder writes them, before it compiles and deletes them.
    EXPECT_EQ(leggi(dir / linea), codifica_testo(righe_linea()));
    EXPECT_EQ(leggi(dir / treno), codifica_testo(righe_treno()));
    const std::string linea_prima = leggi(dir / linea), treno_prima = leggi(dir / treno);

    const esito e = compila("Valdesca_Morlano", "52816");
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(nomi_in(dir / "out"), binari);
    for (const auto& nome : binari) {
        SCOPED_TRACE(nome);
        const std::string atteso = leggi(builder / nome);
        ASSERT_FALSE(atteso.empty());
        EXPECT_TRUE(leggi(dir / "out" / nome) == atteso);
    }
    // Read, never changed or removed; nothing else beside them.
    EXPECT_EQ(leggi(dir / linea), linea_prima);
    EXPECT_EQ(leggi(dir / treno), treno_prima);
    EXPECT_EQ(nomi_in(dir.percorso()), (std::vector<std::string>{treno, linea, "out"}));
}

// A name that is not ASCII reaches the tool whole, from its arguments to the
// files it writes and the lines it prints (on Windows the arguments come in
// UTF-16 and every path goes to the wide API).
TEST_F(CompilaStrumento, UnaCartellaDalNomeNonAscii) {
    const std::string cartella = "città dell'Àdige";
    fs::create_directory(dir.percorso() / percorso_utf8(cartella));
    ASSERT_EQ(strumento(dir.percorso(), {"sources", "--out", cartella}).stato, 0);
    const fs::path scritti = dir.percorso() / percorso_utf8(cartella);
    EXPECT_EQ(leggi(scritti / linea), leggi(dir / linea));
    const esito e = strumento(dir.percorso(), {"compile", "--line", testo_utf8(percorso_utf8(cartella) / linea),
                                               "--train-source", testo_utf8(percorso_utf8(cartella) / treno), "--route",
                                               "Valdesca_Morlano", "--train", "52816", "--out", cartella});
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_NE(e.out.find("wrote " + testo_utf8(percorso_utf8(cartella) / binari.front())), std::string::npos) << e.out;
    for (const auto& nome : binari)
        EXPECT_TRUE(leggi(scritti / nome) == leggi(fs::path(SCENARIO_TEST_DATA) / "pacchetto" / nome)) << nome;
}

TEST_F(CompilaStrumento, SenzaPianificazioneNonToccaIlFileDellaPianta) {
    scrivi(dir / "out" / "R_linea.dat", "older plan");
    ASSERT_EQ(compila().stato, 0);
    const std::string sim = leggi(dir / "out" / "R_1.sim"), dat = leggi(dir / "out" / "R_1.dat");

    scrivi(dir / "out" / "R_linea.dat", "older plan");
    const esito e = compila("R", "1", {"--no-plan"});
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(leggi(dir / "out" / "R_linea.dat"), "older plan");
    // The plan does not reach the cells or the records.
    EXPECT_TRUE(leggi(dir / "out" / "R_1.sim") == sim);
    EXPECT_TRUE(leggi(dir / "out" / "R_1.dat") == dat);
}

struct caso_diagnostica {
    const char* nome;
    bool in_linea;  // which source gets the row
    const char* prima;
    const char* riga;
    int codice;
    int posizione;
    const char* messaggio;  // nullptr: the code's own sentence
};

TEST_F(CompilaStrumento, UnaRigaPerProblemaConFileRigaCodiceEPosizione) {
    const caso_diagnostica casi[] = {
        {"segnale su una cella occupata", false, "[codici]", "segnale,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0", 16,
         4950, "the signal's cell 100 (4950-5000 m) already holds a signal (Valdesca_Morlano_52816-.txt:24)"},
        {"segnale oltre il percorso", false, "[codici]", "segnale,   60000,   1, 4, 1,  0, 0,    0,  0,0,0, 0", 15,
         60000, nullptr},
        {"pendenza oltre il percorso", true, "[fine]", "pendenza,  60000,   0", 15, 60000, nullptr},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        cartella_temporanea caso;
        ASSERT_EQ(strumento(caso.percorso(), {"sources"}).stato, 0);
        const std::string file = c.in_linea ? linea : treno;
        const int numero = inserisci_riga(caso / file, c.prima, c.riga);

        const esito e = strumento(caso.percorso(), {"compile", "--line", linea, "--train-source", treno, "--route",
                                                    "R", "--train", "1"});
        EXPECT_EQ(e.stato, 2);
        const std::string attesa = file + ":" + std::to_string(numero) + ": error " + std::to_string(c.codice) +
                                   " at " + std::to_string(c.posizione) + " m: " + std::string(c.messaggio ? c.messaggio : descrizione_codice(c.codice));
        EXPECT_EQ(e.righe_err(), std::vector<std::string>{attesa});
        // A compile problem still writes the files, as the builder does.
        EXPECT_TRUE(fs::exists(caso / "R_1.dat"));
    }
}

TEST_F(CompilaStrumento, SenzaLunghezzaNessunFileEStato1) {
    sostituisci(dir / linea, "lunghezza percorso,    45000\r\n", "");
    const esito e = compila();
    EXPECT_EQ(e.stato, 1);
    const auto righe = e.righe_err();
    ASSERT_FALSE(righe.empty());
    EXPECT_EQ(righe.back().rfind("error: ", 0), 0u) << righe.back();
    EXPECT_EQ(righe.back().find("error 1"), std::string::npos);
    EXPECT_NE(righe.back().find("no scenario file was written"), std::string::npos);
    EXPECT_TRUE(nomi_in(dir / "out").empty());
}

TEST_F(CompilaStrumento, ConflittoDelTimbroNessunFileEStato3) {
    inserisci_riga(dir / treno, "segnale,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                   "segnale,       0,   1, 4, 1,  0, 0,    0,  0,0,0, 0");
    const esito e = compila();
    EXPECT_EQ(e.stato, 3);
    const auto righe = e.righe_err();
    // The marks of a signal at 0 fall before cell 0; the stamp conflict names the signal's row.
    ASSERT_EQ(righe.size(), 4u) << e.err;
    EXPECT_NE(righe[0].find("[marks-dropped]"), std::string::npos);
    EXPECT_EQ(righe[1].rfind("Valdesca_Morlano_52816-.txt:24: error 1250: ", 0), 0u) << righe[1];
    EXPECT_EQ(righe[2].rfind("error: ", 0), 0u);
    EXPECT_NE(righe[2].find("no scenario file was written"), std::string::npos);
    EXPECT_EQ(righe[3], " Errore n. 1250");
    EXPECT_TRUE(nomi_in(dir / "out").empty());
}

TEST_F(CompilaStrumento, SorgenteIlleggibileOSovrascrivibileNessunFileEStato1) {
    const esito mancante = strumento(dir.percorso(), {"compile", "--line", "manca.txt", "--train-source", treno,
                                                      "--route", "R", "--train", "1", "--out", "out"});
    EXPECT_EQ(mancante.stato, 1);
    EXPECT_NE(mancante.err.find("manca.txt"), std::string::npos) << mancante.err;
    EXPECT_TRUE(nomi_in(dir / "out").empty());

    // A source where a scenario file would go is refused, and left as it was.
    fs::copy_file(dir / treno, dir / "out" / "R_1.sim");
    const esito sopra = strumento(dir.percorso(), {"compile", "--line", linea, "--train-source", "out/R_1.sim",
                                                   "--route", "R", "--train", "1", "--out", "out"});
    EXPECT_EQ(sopra.stato, 1);
    EXPECT_EQ(nomi_in(dir / "out"), std::vector<std::string>{"R_1.sim"});
    EXPECT_EQ(leggi(dir / "out" / "R_1.sim"), leggi(dir / treno));
}

TEST_F(CompilaStrumento, NomiRifiutati) {
    struct caso {
        const char* nome;
        std::string route;
        std::string train;
    };
    const caso casi[] = {
        {"percorso vuoto", "", "1"},
        {"treno vuoto", "R", ""},
        {"65 caratteri", std::string(65, 'a'), "1"},
        {"punto iniziale", ".R", "1"},
        {"barra", "a/b", "1"},
        {"risale", "..", "1"},
        {"risale dentro un percorso", "R", "../1"},
        {"barra rovescia", "a\\b", "1"},
        {"spazio", "Valdesca Morlano", "1"},
        {"non ASCII", "Città", "1"},
        {"treno linea", "R", "linea"},
        {"treno LINEA", "R", "LINEA"},
        {"treno Linea", "R", "Linea"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const esito e = compila(c.route, c.train);
        EXPECT_EQ(e.stato, 1);
        EXPECT_EQ(e.err.rfind("error: ", 0), 0u) << e.err;
        EXPECT_TRUE(nomi_in(dir / "out").empty());
        EXPECT_EQ(nomi_in(dir.percorso()), (std::vector<std::string>{treno, linea, "out"}));
    }
}

TEST_F(CompilaStrumento, NomiAccettatiAlLimite) {
    const std::string lungo(64, 'x');
    ASSERT_EQ(compila(lungo, "a.b-C_9").stato, 0);
    EXPECT_EQ(nomi_in(dir / "out"),
              (std::vector<std::string>{lungo + "_a.b-C_9.dat", lungo + "_a.b-C_9.sim", lungo + "_linea.dat"}));
}

}  // namespace
