// dump: every kind of file, as JSON and as text, and files that are cut short
// or malformed.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "tools/supporto.h"

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

    static nlohmann::json json(const std::string& nome) {
        const esito e = strumento(dir->percorso(), {"dump", nome, "--json"});
        EXPECT_EQ(e.stato, 0) << e.err;
        return nlohmann::json::parse(e.out);
    }

    static cartella_temporanea* dir;
};

cartella_temporanea* DumpStrumento::dir = nullptr;

TEST_F(DumpStrumento, JsonDelleCelle) {
    const auto d = json(celle);
    EXPECT_EQ(d.at("tipo").get<std::string>(), "celle");
    ASSERT_EQ(d.at("celle").size(), 1041u);
    EXPECT_EQ(d.at("celle").at(1).at("dato1").get<double>(), 5121);
    const auto& segnale = d.at("celle").at(100);
    EXPECT_EQ(segnale.at("indice").get<double>(), 100);
    EXPECT_EQ(segnale.at("oggetto").get<double>(), 1);
    EXPECT_EQ(segnale.at("dato1").get<double>(), 40);
    EXPECT_EQ(segnale.at("dato2").get<double>(), 10);
    EXPECT_EQ(segnale.at("dato4").get<double>(), 3);
    EXPECT_EQ(d.at("celle").at(98).at("ripetizione").get<double>(), 31);
    EXPECT_EQ(d.at("celle").at(0).at("velocita").get<double>(), 24);
    EXPECT_EQ(d.at("celle").at(20).at("pendenza").get<double>(), 102);
    EXPECT_EQ(d.at("celle").at(1040).at("aderenza").get<double>(), 0);
}

TEST_F(DumpStrumento, JsonDelleVociConTestiInUtf8) {
    const auto d = json(voci);
    EXPECT_EQ(d.at("tipo").get<std::string>(), "voci");
    ASSERT_EQ(d.at("voci").size(), 87u);
    EXPECT_EQ(d.at("voci").at(85).at("slot").get<double>(), 85);
    EXPECT_EQ(d.at("voci").at(85).at("testo").get<std::string>(), "Valdesca_Morlano");
    EXPECT_EQ(d.at("voci").at(85).at("valore1").get<double>(), 610);
    EXPECT_EQ(d.at("voci").at(86).at("testo").get<std::string>(), "52816");
    EXPECT_EQ(d.at("voci").at(84).at("fine_tratto").get<double>(), 45000);
    EXPECT_EQ(d.at("voci").at(1).at("testo").get<std::string>(), "VALDESCA-CORNIOLA");
    EXPECT_EQ(d.at("voci").at(1).at("inizio_tratto").get<double>(), -500);
    EXPECT_EQ(d.at("voci").at(1).at("orario").get<double>(), 69780);
    EXPECT_EQ(d.at("voci").at(8).at("testo").get<std::string>(), "MORLAN\xC3\x88");
    EXPECT_EQ(d.at("voci").at(0).at("testo").get<std::string>(), "");
}

TEST_F(DumpStrumento, JsonDellaPiantaConLeEtichette) {
    const auto d = json(pianta);
    EXPECT_EQ(d.at("tipo").get<std::string>(), "planimetria");
    EXPECT_EQ(d.at("metri").get<double>(), 52001);
    const auto& x = d.at("coordinata_0");
    const auto& y = d.at("coordinata_1");
    ASSERT_EQ(x.size(), 52001u);
    ASSERT_EQ(y.size(), 52001u);
    EXPECT_EQ(x.at(0).at("etichetta").get<double>(), 2);
    EXPECT_EQ(x.at(0).at("valore").get<double>(), 0);
    EXPECT_EQ(y.at(1).at("etichetta").get<double>(), 2);
    EXPECT_EQ(y.at(1).at("valore").get<double>(), 1);
    EXPECT_EQ(x.at(2750).at("etichetta").get<double>(), 5);
    EXPECT_NEAR(x.at(2750).at("valore").get<double>(), -230.420, 5e-4);
    EXPECT_NEAR(y.at(2750).at("valore").get<double>(), 2670.697, 5e-4);
    EXPECT_EQ(y.at(51998).at("etichetta").get<double>(), 5);
    EXPECT_EQ(y.at(52000).at("etichetta").get<double>(), 0);
    EXPECT_TRUE(y.at(52000).at("valore").is_null());
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
