// The tool in-process on a platform that keeps its files in memory: every
// file it touches must go through the platform, and stay in the folders it
// was given.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "driver/piattaforma.h"
#include "support/piattaforma_memoria.h"
#include "strumento.h"

namespace {

const std::string sorgenti = "/memoria/sorgenti";
const std::string uscita = "/memoria/uscita";
const std::string linea = sorgenti + "/Valdesca_Morlano_linea.txt";
const std::string treno = sorgenti + "/Valdesca_Morlano_52816-.txt";

int esegui(piattaforma_memoria& p, const std::vector<std::string>& a, std::string* err = nullptr) {
    std::ostringstream o, e;
    const int stato = scenario_tool_main(a, p, o, e);
    if (err) *err = e.str();
    return stato;
}

const std::vector<std::string> compila = {"compile", "--line", linea, "--train-source", treno,
                                          "--route",  "R",      "--train", "1",          "--out", uscita};

TEST(StrumentoInMemoria, OgniFilePassaDallaPiattaformaERestaNellaSuaCartella) {
    piattaforma_memoria p;
    ASSERT_EQ(esegui(p, {"sources", "--out", sorgenti}), 0);
    const auto testi = p.file;
    ASSERT_EQ(testi.size(), 2u);

    p.operazioni.clear();
    std::string err;
    ASSERT_EQ(esegui(p, compila, &err), 0) << err;
    EXPECT_EQ(p.file.at(uscita + "/R_1.dat").size(), 15615u);
    EXPECT_EQ(p.file.size(), 5u);
    for (const std::string& op : p.operazioni) {
        SCOPED_TRACE(op);
        if (op.rfind("leggi ", 0) == 0)
            EXPECT_TRUE(op == "leggi " + linea || op == "leggi " + treno);
        else
            EXPECT_EQ(op.find(" " + uscita + "/"), op.find(' '));  // written only in the out folder
    }
    EXPECT_EQ(p.file.at(linea), testi.at(linea));
    EXPECT_EQ(p.file.at(treno), testi.at(treno));

    ASSERT_EQ(esegui(p, {"dump", uscita + "/R_1.sim", "--json"}), 0);
    ASSERT_EQ(esegui(p, {"plot", "--route", "R", "--train", "1", "--dir", uscita}), 0);
    EXPECT_EQ(p.file.count(uscita + "/R_1.svg"), 1u);
    EXPECT_FALSE(std::filesystem::exists("/memoria"));
}

TEST(StrumentoInMemoria, UnaScritturaFallitaDaStato1) {
    piattaforma_memoria p;
    ASSERT_EQ(esegui(p, {"sources", "--out", sorgenti}), 0);
    p.guasto_in_scrittura = uscita + "/R_1.sim";
    std::string err;
    EXPECT_EQ(esegui(p, compila, &err), 1);
    EXPECT_NE(err.find("error: cannot write " + uscita + "/R_1.sim: Disk full"), std::string::npos) << err;
    EXPECT_EQ(p.file.count(uscita + "/R_1.sim"), 0u);
    EXPECT_EQ(p.file.count(uscita + "/R_1.dat"), 0u);
    EXPECT_EQ(p.file.count(linea), 1u);
}

// The command line: each command's own usage, --option=value, and "--"
// ending the options.
TEST(StrumentoInMemoria, AiutoDiOgniComandoSuStdoutConStato0) {
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {"sources", "--help"}, {"compile", "--line", linea, "--help"}, {"dump", "-h"}, {"plot", "--help"}}) {
        SCOPED_TRACE(a.front());
        piattaforma_memoria p;
        std::ostringstream o, e;
        EXPECT_EQ(scenario_tool_main(a, p, o, e), 0);
        const std::string uso = o.str();
        EXPECT_EQ(uso.rfind("usage:\n  scenario_tool " + a.front() + " ", 0), 0u) << uso;
        EXPECT_EQ(std::count(uso.begin(), uso.end(), '\n'), 2);
        EXPECT_EQ(e.str(), "");
        EXPECT_TRUE(p.operazioni.empty());
    }
}

TEST(StrumentoInMemoria, OpzioneConUgualeEDoppioTrattino) {
    piattaforma_memoria p;
    ASSERT_EQ(esegui(p, {"sources", "--out=" + sorgenti}), 0);
    std::string err;
    const std::vector<std::string> con_uguale = {"compile",   "--line=" + linea, "--train-source=" + treno,
                                                 "--route=R", "--train=1",       "--out=" + uscita};
    ASSERT_EQ(esegui(p, con_uguale, &err), 0) << err;
    p.file["-R_1.sim"] = p.file.at(uscita + "/R_1.sim");
    EXPECT_EQ(esegui(p, {"dump", "--", "-R_1.sim"}), 0);
    EXPECT_EQ(esegui(p, {"dump", "-R_1.sim"}, &err), 1);
    EXPECT_EQ(err.rfind("error: unknown option -R_1.sim\n", 0), 0u) << err;
    EXPECT_EQ(esegui(p, {"dump", uscita + "/R_1.sim", "--json=1"}, &err), 1);
    EXPECT_EQ(err.rfind("error: --json takes no value\n", 0), 0u) << err;
}

TEST(StrumentoInMemoria, SourcesNonSovrascriveSenzaForce) {
    piattaforma_memoria p;
    p.file[treno] = "an author's edits";
    std::string err;
    EXPECT_EQ(esegui(p, {"sources", "--out", sorgenti}, &err), 1);
    EXPECT_EQ(err, "error: " + treno + " already exists; give --force to overwrite it\n");
    EXPECT_EQ(p.file.size(), 1u);
    EXPECT_EQ(p.file.at(treno), "an author's edits");

    ASSERT_EQ(esegui(p, {"sources", "--out", sorgenti, "--force"}), 0);
    EXPECT_EQ(p.file.size(), 2u);
    EXPECT_NE(p.file.at(treno), "an author's edits");
}

}  // namespace
