// dump: every kind of file, as JSON and as text, and files that are cut short
// or malformed.

#include <gtest/gtest.h>

#include <cmath>

#include "tools/json_minimo.h"
#include "tools/supporto.h"

#ifdef SCENARIO_TOOL_EXE

namespace {

using namespace supporto;

const std::string celle = "Valdesca_Morlano_52816.dat";
const std::string voci = "Valdesca_Morlano_52816.sim";
const std::string pianta = "Valdesca_Morlano_linea.dat";

// The embedded scenario compiled once for all the tests here; its station
// MORLANO is renamed with a letter outside ASCII.
class DumpStrumento : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new cartella_temporanea;
        ASSERT_EQ(strumento(dir->percorso(), {"sources"}).stato, 0);
        sostituisci(*dir / "Valdesca_Morlano_52816-.txt", "MORLANO", "MORLAN\xC8");  // Windows-1252 È
        const esito e = strumento(dir->percorso(), {"compile", "--line", "Valdesca_Morlano_linea.txt", "--train-source",
                                                    "Valdesca_Morlano_52816-.txt", "--route", "Valdesca_Morlano",
                                                    "--train", "52816"});
        ASSERT_EQ(e.stato, 0) << e.err;
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }

    static json_minimo::valore json(const std::string& nome) {
        const esito e = strumento(dir->percorso(), {"dump", nome, "--json"});
        EXPECT_EQ(e.stato, 0) << e.err;
        return json_minimo::leggi(e.out);
    }

    static cartella_temporanea* dir;
};

cartella_temporanea* DumpStrumento::dir = nullptr;

TEST_F(DumpStrumento, JsonDelleCelle) {
    const auto d = json(celle);
    EXPECT_EQ(d["tipo"].testo(), "celle");
    ASSERT_EQ(d["celle"].elementi().size(), 1041u);
    EXPECT_EQ(d["celle"][1]["dato1"].numero(), 5121);
    const auto& segnale = d["celle"][100];
    EXPECT_EQ(segnale["indice"].numero(), 100);
    EXPECT_EQ(segnale["oggetto"].numero(), 1);
    EXPECT_EQ(segnale["dato1"].numero(), 40);
    EXPECT_EQ(segnale["dato2"].numero(), 10);
    EXPECT_EQ(segnale["dato4"].numero(), 3);
    EXPECT_EQ(d["celle"][98]["ripetizione"].numero(), 31);
    EXPECT_EQ(d["celle"][0]["velocita"].numero(), 24);
    EXPECT_EQ(d["celle"][20]["pendenza"].numero(), 102);
    EXPECT_EQ(d["celle"][1040]["aderenza"].numero(), 0);
}

TEST_F(DumpStrumento, JsonDelleVociConTestiInUtf8) {
    const auto d = json(voci);
    EXPECT_EQ(d["tipo"].testo(), "voci");
    ASSERT_EQ(d["voci"].elementi().size(), 87u);
    EXPECT_EQ(d["voci"][85]["slot"].numero(), 85);
    EXPECT_EQ(d["voci"][85]["testo"].testo(), "Valdesca_Morlano");
    EXPECT_EQ(d["voci"][85]["valore1"].numero(), 610);
    EXPECT_EQ(d["voci"][86]["testo"].testo(), "52816");
    EXPECT_EQ(d["voci"][84]["fine_tratto"].numero(), 45000);
    EXPECT_EQ(d["voci"][1]["testo"].testo(), "VALDESCA-CORNIOLA");
    EXPECT_EQ(d["voci"][1]["inizio_tratto"].numero(), -500);
    EXPECT_EQ(d["voci"][1]["orario"].numero(), 69780);
    EXPECT_EQ(d["voci"][8]["testo"].testo(), "MORLAN\xC3\x88");
    EXPECT_EQ(d["voci"][0]["testo"].testo(), "");
}

TEST_F(DumpStrumento, JsonDellaPiantaConLeEtichette) {
    const auto d = json(pianta);
    EXPECT_EQ(d["tipo"].testo(), "planimetria");
    EXPECT_EQ(d["metri"].numero(), 52001);
    const auto& x = d["coordinata_0"];
    const auto& y = d["coordinata_1"];
    ASSERT_EQ(x.elementi().size(), 52001u);
    ASSERT_EQ(y.elementi().size(), 52001u);
    EXPECT_EQ(x[0]["etichetta"].numero(), 2);
    EXPECT_EQ(x[0]["valore"].numero(), 0);
    EXPECT_EQ(y[1]["etichetta"].numero(), 2);
    EXPECT_EQ(y[1]["valore"].numero(), 1);
    EXPECT_EQ(x[2750]["etichetta"].numero(), 5);
    EXPECT_NEAR(x[2750]["valore"].numero(), -230.420, 5e-4);
    EXPECT_NEAR(y[2750]["valore"].numero(), 2670.697, 5e-4);
    EXPECT_EQ(y[51998]["etichetta"].numero(), 5);
    EXPECT_EQ(y[52000]["etichetta"].numero(), 0);
    EXPECT_TRUE(y[52000]["valore"].nullo());
}

TEST_F(DumpStrumento, TestoConTrattiESoloLeCellePiene) {
    const esito e = strumento(dir->percorso(), {"dump", celle});
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_NE(e.out.find("cells     0 to   149"), std::string::npos) << e.out;
    EXPECT_NE(e.out.find("120 km/h"), std::string::npos);
    EXPECT_NE(e.out.find("cell   100"), std::string::npos);
    EXPECT_EQ(e.out.find("cell     2 "), std::string::npos);  // empty but for its stretches

    const esito tutte = strumento(dir->percorso(), {"dump", celle, "--all"});
    EXPECT_NE(tutte.out.find("cell     2 "), std::string::npos);

    const esito testi = strumento(dir->percorso(), {"dump", voci});
    EXPECT_NE(testi.out.find("\"MORLAN\xC3\x88\""), std::string::npos);
    EXPECT_NE(testi.out.find("slot 80"), std::string::npos);
}

TEST_F(DumpStrumento, FileTroncatiOMalformatiNomanoLOffset) {
    const std::string c = leggi(*dir / celle), v = leggi(*dir / voci), p = leggi(*dir / pianta);
    std::string etichetta_ignota = p;
    etichetta_ignota[0] = 7;
    struct caso {
        const char* nome;
        std::string file;
        std::string byte;
        std::size_t offset;
    };
    const caso casi[] = {
        {"cella a meta", "a.dat", c.substr(0, 157), 150},
        {"celle vuote di un byte", "a.dat", c.substr(0, 1), 0},
        {"voci vuote", "a.sim", "", 0},
        // Records 0 (34 bytes) and 1 (51 bytes, VALDESCA-CORNIOLA), then record 2's text count.
        {"voci nel conteggio del testo", "a.sim", v.substr(0, 100), 99},
        {"voci con un byte in piu", "a.sim", v + "x", v.size()},
        {"pianta nell'etichetta finale", "a_linea.dat", p.substr(0, p.size() - 3), p.size() - 4},
        {"pianta con elementi dispari", "a_linea.dat", p.substr(0, p.size() - 2), p.size() - 2},
        {"pianta con etichetta ignota", "a_linea.dat", etichetta_ignota, 0},
    };
    for (const auto& k : casi) {
        SCOPED_TRACE(k.nome);
        cartella_temporanea qui;
        scrivi(qui / k.file, k.byte);
        for (bool json : {false, true}) {
            std::vector<std::string> a = {"dump", k.file};
            if (json) a.push_back("--json");
            const esito e = strumento(qui.percorso(), a);
            EXPECT_EQ(e.stato, 1);
            EXPECT_EQ(e.out, "");  // nothing half-printed
            EXPECT_EQ(e.err.rfind("error: " + k.file + ": at offset " + std::to_string(k.offset) + ": ", 0), 0u)
                << e.err;
        }
    }
}

TEST_F(DumpStrumento, TipoIgnotoOFileMancante) {
    EXPECT_EQ(strumento(dir->percorso(), {"dump", "Valdesca_Morlano_linea.txt"}).stato, 1);
    const esito e = strumento(dir->percorso(), {"dump", "manca.sim"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.err.find("manca.sim"), std::string::npos);
}

}  // namespace

#endif
