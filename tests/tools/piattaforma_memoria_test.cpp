// The tool in-process on a platform that keeps its files in memory: every
// file it touches must go through the platform, and stay in the folders it
// was given.

#include <gtest/gtest.h>

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

}  // namespace
