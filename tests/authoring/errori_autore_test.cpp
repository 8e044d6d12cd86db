// Authors' mistakes, one at a time, through `check` and `compile` as an
// author runs them: the exact lines they print and the exit status.

#include <gtest/gtest.h>

#include <sstream>

#include "driver/piattaforma.h"
#include "driver/scrittore_testo.h"
#include "output/file_binari.h"
#include "scenario/sorgenti_incorporate.h"
#include "strumento.h"
#include "support/compila_in_memoria.h"
#include "tools/supporto.h"

namespace {

using namespace supporto;

struct modifica {
    bool in_linea;
    std::string da;  // replaced once; empty: a prefix of the whole file
    std::string a;
};

struct esito_comando {
    int stato = -1;
    std::vector<std::string> righe;  // stdout then stderr, with the folder left out
};

// The embedded sources as L.txt and T.txt in a folder of their own.
class ErroriAutore : public ::testing::Test {
protected:
    void SetUp() override {
        scrivi(dir / "L.txt", codifica_testo(righe_linea()));
        scrivi(dir / "T.txt", codifica_testo(righe_treno()));
    }

    void applica(const std::vector<modifica>& modifiche) {
        for (const modifica& m : modifiche) {
            const fs::path file = dir / (m.in_linea ? "L.txt" : "T.txt");
            if (m.da.empty())
                scrivi(file, m.a + leggi(file));
            else
                sostituisci(file, m.da, m.a);
        }
    }

    esito_comando esegui(std::vector<std::string> argomenti) {
        auto p = crea_piattaforma_locale();
        std::ostringstream out, err;
        esito_comando e;
        e.stato = scenario_tool_main(argomenti, *p, out, err);
        // The folder as printed, and as a JSON string holds it (a backslash doubled).
        const std::string cartella = (dir.percorso() / "").string();
        std::string in_json;
        for (char c : cartella) in_json += c == '\\' ? std::string("\\\\") : std::string(1, c);
        for (const std::string& testo : {out.str(), err.str()}) {
            std::istringstream in(testo);
            for (std::string r; std::getline(in, r);) {
                for (const std::string& forma : {in_json, cartella})
                    for (auto i = r.find(forma); i != std::string::npos; i = r.find(forma)) r.erase(i, forma.size());
                e.righe.push_back(r);
            }
        }
        return e;
    }

    esito_comando check(std::vector<std::string> altro = {}) {
        std::vector<std::string> a = {"check", "--line", (dir / "L.txt").string(), "--train-source", (dir / "T.txt").string()};
        a.insert(a.end(), altro.begin(), altro.end());
        return esegui(a);
    }

    esito_comando compile(std::vector<std::string> altro = {}) {
        std::vector<std::string> a = {"compile", "--line", (dir / "L.txt").string(), "--train-source", (dir / "T.txt").string(),
                                      "--route", "R", "--train", "1", "--out", dir.percorso().string()};
        a.insert(a.end(), altro.begin(), altro.end());
        return esegui(a);
    }

    cartella_temporanea dir;
};

struct caso {
    const char* nome;
    std::vector<modifica> modifiche;
    std::vector<std::string> righe;  // check's lines, the summary last
    int stato;
};

const std::string segnale_4950 = "segnale,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0";
const std::string castelvere = "stazione,   11850, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, CASTELVERE";

std::string prima_di_codici(const std::string& riga) { return riga + "\r\n[codici]"; }

std::string utf16(const std::string& testo) {
    std::string t = "\xFF\xFE";
    for (char c : testo) t += std::string{c, '\0'};
    return t;
}

TEST_F(ErroriAutore, OgniErroreComuneDaLeSueRigheEsatteEIlSuoStato) {
    const std::vector<caso> casi = {
        {"key typo in the train source",
         {{false, segnale_4950, "segnalle,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0"}},
         {"T.txt:24: warning: \"segnalle\" matches no key of the train source, so the row is ignored; did you mean "
          "\"segnale\"? [unknown-key]",
          "0 errors, 1 warning"},
         0},
        {"key typo in a station row",
         {{false, "stazione,   18300", "stazoine,   18300"}},
         {"T.txt:16: warning: \"stazoine\" matches no key of the train source, so the row is ignored; did you mean "
          "\"stazione\"? [unknown-key]",
          "0 errors, 1 warning"},
         0},
        {"key typo in the line source",
         {{true, "pendenza,  6500,", "pendneza,  6500,"}},
         {"L.txt:13: warning: \"pendneza\" matches no key of the line source, so the row is ignored; did you mean "
          "\"pendenza\"? [unknown-key]",
          "0 errors, 1 warning"},
         0},
        {"a progressive key with a capital",
         {{true, "progressiva chilometrica uno", "Progressiva chilometrica uno"}},
         {"L.txt:3: warning: \"Progressiva chilometrica uno\" is not read: the words \"progressiva\" and \"uno\" of "
          "this key must be written in small letters [key-case]",
          "0 errors, 1 warning"},
         0},
        {"a train row in the line source",
         {{true, "[fine]", "velocita, 100, 50\r\n[fine]"}},
         {"L.txt:62: warning: \"velocita\" is a train-source row; the line source ignores it [wrong-file]",
          "0 errors, 1 warning"},
         0},
        {"a line row in the train source",
         {{false, "[codici]", "pendenza, 100, 2\r\n[codici]"}},
         {"T.txt:40: warning: \"pendenza\" is a line-source row; the train source ignores it [wrong-file]",
          "0 errors, 1 warning"},
         0},
        {"a train source without [generale]",
         {{false, "[generale]", "[generali]"}},
         {"T.txt: warning: the train source has no [generale] section: none of its rows is read [no-general]",
          "0 errors, 1 warning"},
         0},
        {"a gradient out of order",
         {{true, "pendenza,  13800,   -8", "pendenza,  3800,   -8"}},
         {"L.txt:17: warning: this gradient row at 3800 m comes after the one at 11500 m (L.txt:16) and undoes it: "
          "these rows must come in order of position [out-of-order]",
          "0 errors, 1 warning"},
         0},
        {"each fill kept apart, the key in capitals",
         {{false, "velocita,   12050,   110",
           "velocita,   12050,   110\r\naderenza, 5000, 80\r\nVELOCITA, 12000, 100"}},
         {"T.txt:13: warning: this speed limit row at 12000 m comes after the one at 12050 m (T.txt:11) and undoes "
          "it: these rows must come in order of position [out-of-order]",
          "0 errors, 1 warning"},
         0},
        {"a station in the spare cells",
         {{false, "[rallentamenti]",
           "stazione, 45500, 28, 300, 0, 0, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, OLTRE\r\n[rallentamenti]"}},
         {"T.txt:21: warning: the station at 45500 m lies past the route's end (45000 m), in the spare cells beyond "
          "it [past-route-end]",
          "0 errors, 1 warning"},
         0},
        {"a fraction",
         {{false, "velocita,    7500,", "velocita,    7500.5,"}},
         {"T.txt:10: warning: the number \"7500.5\" holds a fraction; it is stored as 7500 [fraction]",
          "0 errors, 1 warning"},
         0},
        {"a station row broken after a trailing comma",
         {{false, "4,1,1,    0,   0, 0, 0, CASTELVERE", "4,1,1,\r\n0,    0,   0, 0, 0, CASTELVERE"}},
         {"T.txt:15: warning: the station's name is the number \"0\"; a stray comma has probably shifted the row's "
          "fields [numeric-name]",
          "T.txt:15: warning: the row's fields run from line 15 to line 16; a comma at the end of a line carries the "
          "next line's fields into the row [row-over-lines]",
          "T.txt:16: warning: \"CASTELVERE\" matches no key of the train source, so the row is ignored; did you mean "
          "\"segnale\"? [unknown-key]",
          "0 errors, 3 warnings"},
         0},
        {"a signal too near the start for its marks",
         {{false, "[codici]", prima_di_codici("segnale, 100, 1, 4, 1, 0, 0, 0, 0,0,0, 0")}},
         {"T.txt:40: warning: 3 of the signal's 4 code-repetition marks would fall before cell 0 and were dropped "
          "[marks-dropped]",
          "0 errors, 1 warning"},
         0},
        {"clock minutes above 59",
         {{false, "orologio,    19              21", "orologio,    19              75"}},
         {"T.txt:5: warning: the clock's minutes are 75; above 59 they run into the next hour [time-over-59]",
          "0 errors, 1 warning"},
         0},
        {"a UTF-8 name",
         {{false, "0,  19,51, 0, MORLANO", "0,  19,51, 0, MORLAN\xC3\x92"}},
         {"T.txt:20: warning: the file looks like UTF-8, but it is read byte for byte as Windows-1252: "
          "\"MORLAN\xC3\x92\" will be stored as \"MORLAN\xC3\x83\xE2\x80\x99\" [utf8]",
          "0 errors, 1 warning"},
         0},
        {"a signal on a station stop",
         {{false, "[codici]", prima_di_codici("segnale,   11900,   1, 4, 1,  0, 0,    0,  0,0,0, 0")}},
         {"T.txt:40: error 16 at 11900 m: the signal's cell 239 (11900-11950 m) already holds the stop of station "
          "CASTELVERE (T.txt:15)",
          "1 error, 0 warnings"},
         2},
        {"a station too close to the one before",
         {{false, "stazione,   11850", "stazione,   7900"}},
         {"T.txt:15: error 22 at 7900 m: the station stretch starts less than 350 m after the previous station's "
          "stretch ends: this stretch starts at 7750 m, and the previous station's (SPINO, T.txt:14) ends at 7450 m",
          "1 error, 0 warnings"},
         2},
        {"a progressive off the grid",
         {{true, "0,    82200,", "0,    82225,"}},
         {"L.txt:3: error 2: a kilometric progressive has a start or chainage that is not a multiple of 50: start 0 m, "
          "chainage 82225 m",
          "1 error, 0 warnings"},
         2},
        {"a speed too high for its byte, found by the fill",
         {{false, "velocita,    7500,   105", "velocita,    7500,   1300"}},
         {"T.txt:10: error 25: the source could not be read: speed 1300 km/h, stored as 260, does not fit the speed "
          "limit byte (0 to 255, that is 0 to 1275 km/h)",
          "1 error, 0 warnings"},
         2},
        {"a restriction whose end lies outside",
         {{false, "[codici]", prima_di_codici("rallentamento, 44000, 60, 9000, 1, 1, 0")}},
         {"T.txt:40: error 15 at 44000 m: the row lies outside the route's cells: its end at 53000 m lies past the "
          "last cell (the cells end at 52000 m)",
          "1 error, 0 warnings"},
         2},
        {"a signal in cell 1",
         {{false, "[codici]", prima_di_codici("segnale, 0, 1, 4, 1, 0, 0, 0, 0,0,0, 0")}},
         {"T.txt:40: warning: 4 of the signal's 4 code-repetition marks would fall before cell 0 and were dropped "
          "[marks-dropped]",
          "T.txt:40: error 1250: the header stamp fields are already taken: cell 1 (the first 50 m of the route) holds "
          "object 1 (a signal) with a first value of 40, where the stamp goes; this row put it there",
          "1 error, 1 warning"},
         2},
        {"no abatement point before a signal ahead of a warning board",
         {{false, "[rallentamenti]",
           "[rallentamenti]\r\nrallentamento, 9000, 30, 800, 1, 1, 0\r\nabbattimento, 7400, 0\r\nabbattimento, 7450, 0"}},
         {"T.txt:22: error 11 at 7500 m: no free cell for the abatement point before the signal at T.txt:29, which "
          "stands within 20 cells before this restriction's warning board",
          "1 error, 0 warnings"},
         2},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        SetUp();
        applica(c.modifiche);
        const esito_comando e = check();
        EXPECT_EQ(e.righe, c.righe);
        EXPECT_EQ(e.stato, c.stato);
        EXPECT_EQ(check({"--strict"}).stato, 2);
    }
}

// The post-pass's problems, on small sources of their own: the row that
// caused each, and the other row involved.
TEST_F(ErroriAutore, IProblemiDelPassaggioFinaleNominanoLeLoroRighe) {
    struct caso_finale {
        const char* nome;
        std::string treno;
        std::vector<std::string> righe;
    };
    const std::vector<caso_finale> casi = {
        {"an automatic point pushed into cell 1",
         "[generale]\r\nrallentamento, 350, 60, 100, 1, 0, 0\r\nabbattimento, 150, 0\r\nabbattimento, 100, 0\r\n",
         {"T.txt:2: error 1250: the header stamp fields are already taken: cell 1 (the first 50 m of the route) holds "
          "object 12 (a code abatement point) with a first value of 180, where the stamp goes; the object is an "
          "automatic abatement point for this row",
          "1 error, 0 warnings"}},
        {"no free cell before the signal after a restriction",
         "[generale]\r\nrallentamento, 1000, 60, 200, 1, 0, 0\r\nsegnale, 1350, 1, 4, 1, 0, 0, 0, 0,0,0, 0\r\n"
         "abbattimento, 1350, 0\r\nabbattimento, 1300, 0\r\n",
         {"T.txt:2: error 13 at 1250 m: no free cell for an abatement point inside or after this speed restriction; "
          "the signal is the row at T.txt:3",
          "1 error, 0 warnings"}},
    };
    for (const caso_finale& c : casi) {
        SCOPED_TRACE(c.nome);
        scrivi(dir / "L.txt", "[generale]\r\nlunghezza percorso, 5000\r\n[x]\r\n");
        scrivi(dir / "T.txt", c.treno + "[fine]\r\n");
        const esito_comando e = check();
        EXPECT_EQ(e.righe, c.righe);
        EXPECT_EQ(e.stato, 2);
    }
}

TEST_F(ErroriAutore, UnaSorgenteUtf16LoDiceInveceDiTacere) {
    scrivi(dir / "T.txt", utf16(codifica_testo(righe_treno())));
    const esito_comando e = check();
    EXPECT_EQ(e.righe, (std::vector<std::string>{
                           "T.txt:1: warning: the file is UTF-16 (it begins with a byte-order mark), which the reader "
                           "cannot read; save it as Windows-1252 (\"ANSI\") text [utf16]",
                           "0 errors, 1 warning"}));
    scrivi(dir / "T.txt", "");
    EXPECT_EQ(check().righe, (std::vector<std::string>{"T.txt: warning: the train source is empty: no train row is read "
                                                       "[no-general]",
                                                       "0 errors, 1 warning"}));
}

TEST_F(ErroriAutore, TreErroriIndipendentiTreRigheCiascunaAllaSuaRiga) {
    applica({{true, "[fine]", "cartello_indicatore, 500, (X)\r\n[fine]"},
             {false, "stazione,   11850", "stazione,   11875"},
             {false, "[codici]", prima_di_codici(segnale_4950)}});
    const esito_comando e = check();
    EXPECT_EQ(e.righe,
              (std::vector<std::string>{
                  "L.txt:62: error 6 at 500 m: the indication board's cell 11 (500-550 m) already holds a speed "
                  "indicator board (L.txt:51)",
                  "T.txt:15: error 8 at 11875 m: the station position is not a multiple of 50",
                  "T.txt:40: error 16 at 4950 m: the signal's cell 100 (4950-5000 m) already holds a signal (T.txt:24)",
                  "3 errors, 0 warnings"}));
    EXPECT_EQ(e.stato, 2);

    const esito_comando json = check({"--json"});
    ASSERT_FALSE(json.righe.empty());
    EXPECT_EQ(json.righe[2],
              "    {\"file\":\"L.txt\",\"line\":62,\"severity\":\"error\",\"code\":6,\"position\":500,\"message\":\"the "
              "indication board's cell 11 (500-550 m) already holds a speed indicator board (L.txt:51)\"},");
}

// An error without a row ends the search; 50 problems end it too.
TEST_F(ErroriAutore, LaRicercaFinisceSenzaRigaOACinquantaProblemi) {
    applica({{true, "lunghezza percorso,    45000\r\n", ""}});
    EXPECT_EQ(check().righe, (std::vector<std::string>{
                                 "L.txt: error 25: the source could not be read: the general section gives no route "
                                 "length (\"lunghezza percorso\")",
                                 "1 error, 0 warnings"}));

    SetUp();
    std::string doppi;
    for (int i = 0; i < 60; ++i) doppi += segnale_4950 + "\r\n";
    applica({{false, "[codici]", doppi + "[codici]"}});
    const esito_comando e = check();
    ASSERT_EQ(e.righe.size(), 51u);
    EXPECT_EQ(e.righe[49], "T.txt:89: error 16 at 4950 m: the signal's cell 100 (4950-5000 m) already holds a signal "
                           "(T.txt:24)");
    EXPECT_EQ(e.righe.back(), "50 errors, 0 warnings");
}

TEST_F(ErroriAutore, NomiSbagliatiOSorgenteIlleggibileDannoStato1) {
    EXPECT_EQ(check({"--route", "a b"}).stato, 1);
    fs::remove(dir / "T.txt");
    EXPECT_EQ(check().stato, 1);
}

// Warnings and --strict change the status, never a byte of the files.
TEST_F(ErroriAutore, AvvisiERigoreNonCambianoUnByte) {
    applica({{false, segnale_4950, "segnalle,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0"}});
    sorgenti_in_memoria sorgenti(leggi(dir / "L.txt"), leggi(dir / "T.txt"));
    const risultato_percorso atteso = compila("R", "1", 1, sorgenti);
    const std::string dat = codifica_celle(atteso.modello.celle), sim = codifica_voci(atteso.modello.voci);

    for (const std::vector<std::string>& altro : {std::vector<std::string>{}, std::vector<std::string>{"--strict"}}) {
        const esito_comando e = compile(altro);
        EXPECT_EQ(e.stato, altro.empty() ? 0 : 2);
        ASSERT_FALSE(e.righe.empty());
        EXPECT_EQ(e.righe.back(),
                  "T.txt:24: warning: \"segnalle\" matches no key of the train source, so the row is ignored; did you "
                  "mean \"segnale\"? [unknown-key]");
        EXPECT_TRUE(leggi(dir / "R_1.dat") == dat);
        EXPECT_TRUE(leggi(dir / "R_1.sim") == sim);
    }
}

// In compile the warnings stand among the errors in line order, the standing code last.
TEST_F(ErroriAutore, CompileMetteIlCodiceInVigoreInFondo) {
    applica({{true, "pendenza,  6500,", "pendneza,  6500,"},
             {false, "[codici]", prima_di_codici("segnale,   11900,   1, 4, 1,  0, 0,    0,  0,0,0, 0")},
             {false, "orologio,    19              21", "orologio,    19              75"}});
    const esito_comando e = compile();
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(e.righe,
              (std::vector<std::string>{
                  "wrote R_linea.dat", "wrote R_1.sim", "wrote R_1.dat",
                  "L.txt:13: warning: \"pendneza\" matches no key of the line source, so the row is ignored; did you "
                  "mean \"pendenza\"? [unknown-key]",
                  "T.txt:5: warning: the clock's minutes are 75; above 59 they run into the next hour [time-over-59]",
                  "T.txt:40: error 16 at 11900 m: the signal's cell 239 (11900-11950 m) already holds the stop of "
                  "station CASTELVERE (T.txt:15)"}));
}

TEST_F(ErroriAutore, LoScenarioIncorporatoNonDaAvvisi) {
    const esito_comando e = check({"--strict"});
    EXPECT_EQ(e.righe, std::vector<std::string>{"0 errors, 0 warnings"});
    EXPECT_EQ(e.stato, 0);
}

}  // namespace
