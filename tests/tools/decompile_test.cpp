// decompile: the sources back from compiled files, proven by compiling them
// again; its refusals; and the report for files no sources can give.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>

#include "authoring/diagnosi.h"
#include "decompila.h"
#include "output/file_binari.h"
#include "output/lettura_binari.h"
#include "support/generatore_scenari.h"
#include "tools/supporto.h"

namespace {

using namespace supporto;

const std::string route = "Valdesca_Morlano";
const std::string train = "52816";
const std::string linea = "Valdesca_Morlano_linea.txt";
const std::string treno = "Valdesca_Morlano_52816-.txt";
const std::vector<std::string> binari = {"Valdesca_Morlano_52816.dat", "Valdesca_Morlano_52816.sim",
                                         "Valdesca_Morlano_linea.dat"};

struct pacchetto {
    std::optional<std::string> pianta;
    std::string voci;
    std::string celle;
    bool operator==(const pacchetto&) const = default;
};

// The files as the compile leaves them in memory: what the encoders write
// and the decoders give back (their round trip is tested on its own).
file_compilati compila_file(const std::string& l, const std::string& t, std::int32_t j, const std::string& nome,
                            const std::string& numero) {
    sorgenti_in_memoria s(l, t);
    risultato_percorso r = compila(nome, numero, j, s);
    EXPECT_EQ(r.esito, esito_percorso::completo);
    file_compilati f{std::move(r.modello.celle), r.modello.voci, std::nullopt};
    if (j != 0) f.planimetria = std::move(r.modello.planimetria);
    return f;
}

pacchetto codifica(const file_compilati& f) {
    pacchetto p{std::nullopt, codifica_voci(f.voci), codifica_celle(f.celle)};
    if (f.planimetria) p.pianta = codifica_planimetria(*f.planimetria);
    return p;
}

bool stessi_file(const file_compilati& a, const file_compilati& b) {
    return a.celle == b.celle && a.voci == b.voci && a.planimetria.has_value() == b.planimetria.has_value() &&
           (!a.planimetria || (a.planimetria->metri == b.planimetria->metri &&
                               a.planimetria->elementi == b.planimetria->elementi));
}

std::string differenze(const decompilazione& d) {
    std::string t;
    for (const differenza& x : d.differenze) t += x.testo + "\n";
    return t;
}

// The seeds of one round-trip run: "FROM:TO" in SCENARIO_DECOMPILE_SEEDS for
// a long run, a few hundred otherwise.
std::pair<std::uint64_t, std::uint64_t> semi() {
    const char* v = std::getenv("SCENARIO_DECOMPILE_SEEDS");
    if (!v) return {1, 300};
    const std::string s = v;
    const auto due_punti = s.find(':');
    return {std::stoull(s.substr(0, due_punti)), std::stoull(s.substr(due_punti + 1))};
}

// Generated sources compile; their files decompile into sources that compile
// into the same bytes, with nothing to report.
TEST(DecompilaGenerati, IlGiroTornaBytePerByte) {
    const auto [da, a] = semi();
    std::uint64_t senza_sorgenti = 0;
    std::uint64_t con_avvisi = 0;
    const auto inizio = std::chrono::steady_clock::now();
    for (std::uint64_t seme = da; seme <= a; ++seme) {
        SCOPED_TRACE("seed " + std::to_string(seme));
        const generatore::sorgenti_generate g = generatore::genera(seme);
        if (g.linea.empty()) {
            ++senza_sorgenti;
            continue;
        }
        const file_compilati originale = compila_file(g.linea, g.treno, g.j, "Gen", "7");
        const decompilazione d = decompila(originale, "Gen", "7");
        ASSERT_EQ(differenze(d), "") << g.linea << "\n---\n" << g.treno;
        const std::string linea_tornata = testo_sorgente(d.righe_linea);
        const std::string treno_tornato = testo_sorgente(d.righe_treno);
        const file_compilati ritorno = compila_file(linea_tornata, treno_tornato, g.j, "Gen", "7");
        ASSERT_TRUE(stessi_file(ritorno, originale)) << g.linea << "\n---\n" << g.treno;
        // The authoring checks find nothing in the recovered sources that
        // they did not find in the authored ones.
        const nomi_sorgenti nomi{"L.txt", "T.txt"};
        std::set<std::string> prima;
        for (const diagnosi& x : compila_per_autore({g.linea, g.treno}, "Gen", "7", g.j, nomi).avvisi)
            prima.insert(x.nome);
        con_avvisi += !prima.empty();
        for (const diagnosi& x : compila_per_autore({linea_tornata, treno_tornato}, "Gen", "7", g.j, nomi).avvisi)
            ASSERT_TRUE(prima.count(x.nome)) << testo_diagnosi(x, nomi) << "\n" << linea_tornata << "\n---\n"
                                             << treno_tornato;
    }
    // A generator that seldom manages valid sources would test little.
    EXPECT_LE(senza_sorgenti * 20, a - da + 1);
    const auto secondi =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - inizio).count();
    std::printf("seeds %llu to %llu: %llu without valid sources, %llu with authoring warnings, %lld s\n",
                static_cast<unsigned long long>(da), static_cast<unsigned long long>(a),
                static_cast<unsigned long long>(senza_sorgenti), static_cast<unsigned long long>(con_avvisi),
                static_cast<long long>(secondi));
}

// Rows the generator does not write: a restriction from 1501 m (its start
// cell is that of 1500 m, its warning board is not), a first station whose
// stretch carries the extra 50 m, and a signal whose code needs more than
// one digit.
TEST(DecompilaGenerati, CasiAlLimite) {
    const std::string l = "[generale]\r\nlunghezza percorso, 6000\r\n[corpo]\r\n"
                          "cartello_indicatore, 900, \"A, B\"\r\ncartello_indicatore, 1000, \" C \"\r\n[fine]\r\n";
    const std::string t = "[generale]\r\n"
                          "stazione, 1000, 12, 400, 0, 9, 1, 0,0,0, 0,0,0, 0, 1,2,3, PRIMA\r\n"
                          "rallentamento, 1501, 60, 400, 1, 1, 2\r\n"
                          "segnale, 3000, 3, 1, 2, 3, 4, 2, 5, 6, 7, 0\r\n"
                          "segnale, 3100, 2, 1, 2, 3, 0, 1, 0, 0, 0, 40\r\n"
                          "abbattimento, 4000, 200\r\nabbattimento, 4500, -1\r\n[fine]\r\n";
    const pacchetto originale = codifica(compila_file(l, t, 1, "Gen", "7"));
    file_compilati letti{decodifica_celle(originale.celle), decodifica_voci(originale.voci),
                         decodifica_planimetria(*originale.pianta)};
    const decompilazione d = decompila(letti, "Gen", "7");
    EXPECT_EQ(differenze(d), "");
    EXPECT_TRUE(codifica(compila_file(testo_sorgente(d.righe_linea), testo_sorgente(d.righe_treno), 1, "Gen", "7")) ==
                originale);
}

// Signals written against cell order leave marks that the rows, written in
// cell order, give otherwise: each such cell is reported with the reason.
TEST(DecompilaGenerati, SegniDiSegnaliFuoriOrdine) {
    const std::string l = "[generale]\r\nlunghezza percorso, 6000\r\n[fine]\r\n";
    const std::string t = "[generale]\r\nsegnale, 3100, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0\r\n"
                          "segnale, 3000, 2, 1, 0, 0, 0, 1, 0, 0, 0, 0\r\n[fine]\r\n";
    const decompilazione d = decompila(compila_file(l, t, 0, "Gen", "7"), "Gen", "7");
    ASSERT_EQ(d.differenze.size(), 3u) << differenze(d);
    for (const differenza& x : d.differenze) {
        EXPECT_EQ(x.dove, file_scenario::celle);
        EXPECT_NE(x.testo.find("ripetizione stored"), std::string::npos) << x.testo;
        EXPECT_NE(x.testo.find("were their rows in another order?"), std::string::npos) << x.testo;
    }
}

// Files edited at random bytes still decompile: the report lists what does
// not come back, and when it lists nothing the sources give the same files.
TEST(DecompilaGenerati, ByteAlterati) {
    generatore::sorgenti_generate g = generatore::genera(7);
    g.j = 1;
    const pacchetto originale = codifica(compila_file(g.linea, g.treno, 1, "Gen", "7"));
    generatore::casuale c(99);
    for (int n = 0; n < 40; ++n) {
        SCOPED_TRACE("edit " + std::to_string(n));
        pacchetto p = originale;
        std::string& file = n % 3 == 0 ? p.voci : n % 3 == 1 ? p.celle : *p.pianta;
        for (int k = 0; k < 1 + n % 4; ++k)
            file[static_cast<std::size_t>(c.tra(0, static_cast<std::int64_t>(file.size()) - 1))] ^=
                static_cast<char>(1 << c.tra(0, 7));
        file_compilati f;
        try {
            f = file_compilati{decodifica_celle(p.celle), decodifica_voci(p.voci), decodifica_planimetria(*p.pianta)};
        } catch (const errore_lettura&) {
            continue;  // refused as dump refuses it
        }
        if (controlla_file_compilati(f, "Gen", "7")) continue;
        const decompilazione d = decompila(f, "Gen", "7");
        if (d.differenze.empty()) {
            EXPECT_TRUE(codifica(compila_file(testo_sorgente(d.righe_linea), testo_sorgente(d.righe_treno), 1, "Gen",
                                              "7")) == p);
        }
    }
}

#ifdef SCENARIO_TOOL_EXE

// The golden package of the embedded scenario in a folder of its own, and an
// out/ folder for the sources.
class DecompilaStrumento : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& nome : binari) fs::copy_file(fs::path(SCENARIO_TEST_DATA) / "pacchetto" / nome, dir / nome);
        fs::create_directory(dir / "out");
    }

    esito decompila_qui(const std::string& r = route, const std::string& t = train, std::vector<std::string> altro = {}) {
        std::vector<std::string> a = {"decompile", "--route", r, "--train", t, "--out", "out"};
        a.insert(a.end(), altro.begin(), altro.end());
        return strumento(dir.percorso(), a);
    }

    void modifica(const std::string& nome, std::size_t offset, const std::string& byte) {
        std::string contenuto = leggi(dir / nome);
        contenuto.replace(offset, byte.size(), byte);
        scrivi(dir / nome, contenuto);
    }

    cartella_temporanea dir;
};

TEST_F(DecompilaStrumento, IlPacchettoIncorporatoTornaBytePerByte) {
    const esito e = decompila_qui();
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(nomi_in(dir / "out"), (std::vector<std::string>{treno, linea}));

    fs::create_directory(dir / "di_nuovo");
    const esito c = strumento(dir.percorso(), {"compile", "--line", "out/" + linea, "--train-source", "out/" + treno,
                                               "--route", route, "--train", train, "--out", "di_nuovo"});
    ASSERT_EQ(c.stato, 0) << c.err;
    for (const auto& nome : binari) {
        SCOPED_TRACE(nome);
        EXPECT_TRUE(leggi(dir / "di_nuovo" / nome) == leggi(dir / nome));
    }
    // Readable rows in the sections of the embedded sources.
    const std::string l = leggi(dir / "out" / linea);
    for (const char* r : {"progressiva chilometrica uno, 0, 82200, 1\r\n", "curvas5, 2250, 500\r\n",
                          "montagna, 12700, 13500, 11\r\n", "[indicazioni]\r\ncartello_indicatore, 34100, (RACCORDO)(MORLANESE)\r\n"})
        EXPECT_NE(l.find(r), std::string::npos) << r;
    const std::string t = leggi(dir / "out" / treno);
    for (const char* r : {"velocita, 7500, 105\r\n", "segnale, 4950, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n",
                          "stazione, 0, 8, 500, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 19, 23, 0, VALDESCA-CORNIOLA\r\n"})
        EXPECT_NE(t.find(r), std::string::npos) << r;
}

TEST_F(DecompilaStrumento, SenzaPlanimetriaSiCompilaConNoPlan) {
    fs::remove(dir / "Valdesca_Morlano_linea.dat");
    const esito e = decompila_qui();
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_NE(e.out.find("--no-plan"), std::string::npos) << e.out;
    EXPECT_EQ(leggi(dir / "out" / linea).find("curva"), std::string::npos);
}

TEST_F(DecompilaStrumento, RifiutaSenzaScrivereNulla) {
    struct caso {
        const char* nome;
        std::function<void(const fs::path&)> prepara;
        std::vector<std::string> argomenti;
        std::string messaggio;
    };
    const std::string celle = binari[0], voci = binari[1], pianta = binari[2];
    const std::vector<caso> casi = {
        // The files renamed: the names stored inside no longer match.
        {"route name", [&](const fs::path& d) {
             for (const auto& nome : binari) fs::rename(d / nome, d / ("Valdesca_Morlana" + nome.substr(route.size())));
         }, {"--route", "Valdesca_Morlana"}, "the record table names the route \"Valdesca_Morlano\", not \"Valdesca_Morlana\""},
        {"train number", [&](const fs::path& d) {
             fs::rename(d / celle, d / "Valdesca_Morlano_52817.dat");
             fs::rename(d / voci, d / "Valdesca_Morlano_52817.sim");
         }, {"--train", "52817"}, "the record table names the train \"52816\", not \"52817\""},
        {"no such train", [](const fs::path&) {}, {"--train", "52817"},
         "there is no " + nativo("./Valdesca_Morlano_52817.sim")},
        {"missing cells", [&](const fs::path& d) { fs::remove(d / celle); }, {}, "there is no"},
        {"missing records", [&](const fs::path& d) { fs::remove(d / voci); }, {}, "there is no"},
        {"cells cut", [&](const fs::path& d) { fs::resize_file(d / celle, 15 * 100 + 7); }, {}, "at offset"},
        {"one cell more", [&](const fs::path& d) { scrivi(d / celle, leggi(d / celle) + std::string(15, '\0')); },
         {}, "the route length 45000 needs 1041"},
        {"plan short", [&](const fs::path& d) { fs::resize_file(d / pianta, 20 * 52000 - 36 - 4); }, {},
         "the plan holds"},
        {"target exists", [](const fs::path& d) { scrivi(d / "out" / treno, "mine"); }, {}, "give --force"},
        {"bad name", [](const fs::path&) {}, {"--route", "a/b"}, "only ASCII letters"},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        for (const auto& voce : fs::directory_iterator(dir.percorso())) fs::remove_all(voce.path());
        SetUp();
        c.prepara(dir.percorso());
        std::string r = route, t = train;
        if (!c.argomenti.empty()) (c.argomenti[0] == "--route" ? r : t) = c.argomenti[1];
        const std::vector<std::string> prima = nomi_in(dir / "out");
        const esito e = decompila_qui(r, t);
        EXPECT_EQ(e.stato, 1);
        ASSERT_EQ(e.righe_err().size(), 1u) << e.err;
        EXPECT_EQ(e.err.rfind("error: ", 0), 0u) << e.err;
        EXPECT_NE(e.err.find(c.messaggio), std::string::npos) << e.err;
        EXPECT_EQ(nomi_in(dir / "out"), prima);
    }
}

TEST_F(DecompilaStrumento, ForceSostituisceISorgenti) {
    scrivi(dir / "out" / linea, "mine");
    const esito e = decompila_qui(route, train, {"--force"});
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(leggi(dir / "out" / linea).rfind("[generale]\r\n", 0), 0u);
}

// Files edited by hand: each value that no row gives is one line of the
// report, the sources are written all the same, and the status is 2.
TEST_F(DecompilaStrumento, IlRapportoNominaCioCheNessunaRigaDa) {
    // Plan metre 3000's first coordinate, 10 bytes a metre after metres 0 and 1.
    modifica(binari[2], 8 + 10 * (3000 - 2) + 2, std::string("\x01\x02\x03\x04\x05\x06\x07\x40", 8));
    // Cell 500's object: a kind no row places.
    modifica(binari[0], 15 * 500, "\x09");
    // The gradient of the last cell, which no row fills.
    modifica(binari[0], 15 * 1040 + 13, "\x07");

    const esito e = decompila_qui();
    EXPECT_EQ(e.stato, 2) << e.err;
    const std::vector<std::string> righe = e.righe_err();
    ASSERT_EQ(righe.size(), 4u) << e.err;
    const std::string celle = nativo("./Valdesca_Morlano_52816.dat"), pianta = nativo("./Valdesca_Morlano_linea.dat");
    EXPECT_EQ(righe[0].rfind(celle + ": cell 500 (from 25000 m): oggetto stored 9, the sources give 0: "
                                     "no row places an object of kind 9", 0), 0u) << righe[0];
    EXPECT_EQ(righe[1], celle + ": cell 1040 (from 52000 m): pendenza stored 7, the sources give 0: "
                                "no row fills the last three cells");
    EXPECT_EQ(righe[2].rfind(pianta + ": plan metre 3000: stored (", 0), 0u) << righe[2];
    EXPECT_NE(righe[2].find(": no step (straight, or a curve of class 1 to 6 to either side)"), std::string::npos);
    EXPECT_EQ(righe[3].rfind("error: 3 values differ", 0), 0u) << righe[3];
    EXPECT_EQ(nomi_in(dir / "out"), (std::vector<std::string>{treno, linea}));
}

#endif

}  // namespace
