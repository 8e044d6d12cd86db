// view: one self-contained page whose data come from the same model the other
// tools read, from the compiled files or from the sources with their rows.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tools/supporto.h"

namespace {

using namespace supporto;
using json = nlohmann::json;

// The page's data, read back from its JSON island.
json dati_della_pagina(const std::string& html) {
    const std::string inizio = R"(<script type="application/json" id="dati">)";
    const std::size_t a = html.find(inizio);
    const std::size_t b = html.find("</script>", a);
    EXPECT_NE(a, std::string::npos);
    return json::parse(html.substr(a + inizio.size(), b - a - inizio.size()));
}

// The line (from 1) of the first row that holds the text.
std::int64_t riga_di(const std::string& sorgente, const std::string& testo) {
    std::int64_t riga = 1;
    for (std::size_t i = 0; i < sorgente.find(testo); ++i) riga += sorgente[i] == '\n' ? 1 : 0;
    return riga;
}

class ViewStrumento : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(strumento(dir.percorso(), {"sources"}).stato, 0); }

    esito vista_da_sorgenti(const std::string& uscita = "pagina.html") {
        return strumento(dir.percorso(),
                         {"view", "--route", "R", "--train", "1", "--line", "Valdesca_Morlano_linea.txt",
                          "--train-source", "Valdesca_Morlano_52816-.txt", "--out", uscita});
    }

    cartella_temporanea dir;
};

TEST_F(ViewStrumento, DaiFileSenzaRigheConLeProgressiveScritte) {
    ASSERT_EQ(strumento(dir.percorso(), {"compile", "--line", "Valdesca_Morlano_linea.txt", "--train-source",
                                         "Valdesca_Morlano_52816-.txt", "--route", "R", "--train", "1"})
                  .stato,
              0);
    const esito e = strumento(dir.percorso(), {"view", "--route", "R", "--train", "1"});
    ASSERT_EQ(e.stato, 0) << e.err;
    const std::string html = leggi(dir / "R_1.html");
    // Nothing to fetch: no script, style or font from elsewhere.
    for (const char* esterno : {"src=\"http", "href=\"http", "@import", "url("})
        EXPECT_EQ(html.find(esterno), std::string::npos);
    const json d = dati_della_pagina(html);
    EXPECT_EQ(d["fonte"], "files");
    EXPECT_EQ(d["stazioni"].size(), 8u);
    EXPECT_TRUE(d["stazioni"][0]["riga"].is_null());
    // The chainage as written in the row, without the 100 that flag 1 adds.
    ASSERT_EQ(d["progressive"].size(), 1u);
    EXPECT_EQ(d["progressive"][0]["chilometrica"], 82200);
    EXPECT_EQ(d["progressive"][0]["inizio"], 0);
    EXPECT_EQ(d["conteggi"]["segnali"], 16);
}

TEST_F(ViewStrumento, DalleSorgentiOgniOggettoConLaSuaRiga) {
    const esito e = vista_da_sorgenti();
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_NE(e.out.find("0 errors, 0 warnings"), std::string::npos);
    // The sources are only read: no scenario file is written.
    EXPECT_FALSE(fs::exists(dir / "R_1.dat"));
    const json d = dati_della_pagina(leggi(dir / "pagina.html"));
    EXPECT_EQ(d["fonte"], "sources");
    EXPECT_EQ(d["stazioni"][2]["nome"], "CASTELVERE");
    EXPECT_EQ(d["stazioni"][2]["riga"],
              "Valdesca_Morlano_52816-.txt:" +
                  std::to_string(riga_di(leggi(dir / "Valdesca_Morlano_52816-.txt"), "CASTELVERE")));
    // The signal row of 4950 m fills cell 100, 4950 to 5000 m.
    bool trovato = false;
    for (const json& o : d["oggetti"])
        if (o["tipo"] == "segnale" && o["cella"] == 100) {
            trovato = true;
            EXPECT_EQ(o["da"], 4950);
            EXPECT_EQ(o["riga"],
                      "Valdesca_Morlano_52816-.txt:" +
                          std::to_string(riga_di(leggi(dir / "Valdesca_Morlano_52816-.txt"), "segnale,    4950")));
        }
    EXPECT_TRUE(trovato);
}

// The curves as the plan turns, each with its class and side, over the
// metres the curve row names.
TEST_F(ViewStrumento, CurveLetteDallaPianta) {
    scrivi(dir / "L.txt",
           "[generale]\r\nlunghezza percorso, 30000\r\n[curve]\r\ncurvas5,2250,500\r\ncurvad1,16350,2050\r\n"
           "curvad6,20000,100\r\n[fine]\r\n");
    scrivi(dir / "T.txt", "[generale]\r\n[fine]\r\n");
    ASSERT_EQ(strumento(dir.percorso(),
                        {"view", "--route", "R", "--train", "1", "--line", "L.txt", "--train-source", "T.txt"})
                  .stato,
              0);
    const json d = dati_della_pagina(leggi(dir / "R_1.html"));
    EXPECT_EQ(d["curve"], json::parse(R"([[2250,2750,5,"s"],[16350,18400,1,"d"],[20000,20100,6,"d"]])"));
}

// A problem of the sources is listed with its row, and past the route's end
// an object is flagged; automatic abatement points are told from authored ones.
TEST_F(ViewStrumento, ProblemiOltreLaFineEPuntiAutomatici) {
    scrivi(dir / "L.txt", "[generale]\r\nlunghezza percorso, 20000\r\n[fine]\r\n");
    scrivi(
        dir / "T.txt",
        "[generale]\r\nvelocita, 0, 150\r\nrallentamento, 8000, 60, 1000, 1, 1, 0\r\nabbattimento, 3000, 180\r\n"
        "segnale, 21050, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nsegnale, 21050, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n");
    const esito e = strumento(dir.percorso(), {"view", "--route", "R", "--train", "1", "--line", "L.txt",
                                               "--train-source", "T.txt", "--out", "p.html"});
    ASSERT_EQ(e.stato, 2) << e.err;
    const json d = dati_della_pagina(leggi(dir / "p.html"));
    int automatici = 0, scritti = 0;
    for (const json& o : d["oggetti"]) {
        if (o["tipo"] == "abbattimento") (o["automatico"] == 1 ? automatici : scritti) += 1;
        if (o["tipo"] == "abbattimento" && o["automatico"] == 1) {
            EXPECT_EQ(o["riga"], "T.txt:3");
        }
        if (o["tipo"] == "segnale") {
            EXPECT_EQ(o["oltre"], 1);
            EXPECT_EQ(o["riga"], "T.txt:5");
        }
    }
    EXPECT_GT(automatici, 0);
    EXPECT_EQ(scritti, 1);
    bool errore_16 = false;
    for (const json& p : d["diagnosi"]) errore_16 |= p["riga"] == "T.txt:6" && p["errore"] == 1;
    EXPECT_TRUE(errore_16);
}

// A name that would close the data's script in the page is escaped.
TEST_F(ViewStrumento, NomeCheChiudeloScriptEdErroriDeiFile) {
    sostituisci(dir / "Valdesca_Morlano_52816-.txt", "MORLANO", "MOR</script><!--LANO");
    ASSERT_EQ(vista_da_sorgenti().stato, 0);
    const std::string html = leggi(dir / "pagina.html");
    EXPECT_EQ(html.find("MOR</script>"), std::string::npos);
    EXPECT_EQ(dati_della_pagina(html)["stazioni"][7]["nome"], "MOR</script><!--LANO");

    // From files, a malformed file is refused as dump refuses it; nothing is written.
    scrivi(dir / "R_1.sim", std::string(10, 'x'));
    scrivi(dir / "R_1.dat", std::string(15, '\0'));
    const esito e = strumento(dir.percorso(), {"view", "--route", "R", "--train", "1", "--out", "rotta.html"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.err.find("R_1.sim"), std::string::npos) << e.err;
    EXPECT_FALSE(fs::exists(dir / "rotta.html"));
    EXPECT_EQ(strumento(dir.percorso(), {"view", "--route", "R", "--train", "1", "--out", "x.svg"}).stato, 1);
}

// watch never writes over its own sources, and says so before it starts.
TEST_F(ViewStrumento, WatchRifiutaUnaSorgenteDoveScrive) {
    fs::copy_file(dir / "Valdesca_Morlano_52816-.txt", dir / "R_1.dat");
    for (const char* treno : {"R_1.dat", "R_1.html"}) {
        const esito e = strumento(dir.percorso(), {"watch", "--line", "Valdesca_Morlano_linea.txt", "--train-source",
                                                   treno, "--route", "R", "--train", "1"});
        EXPECT_EQ(e.stato, 1);
        EXPECT_NE(e.err.find("is where watch writes"), std::string::npos) << e.err;
    }
    EXPECT_FALSE(fs::exists(dir / "R_1.html"));
}

}  // namespace
