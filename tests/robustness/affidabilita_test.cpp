// Issue 12 with the real programs: temporary files that nothing planted can
// redirect, one writer per folder, bounded inputs, and no silent loss on the
// standard streams. Every run of a real program has a generous bound against
// a hang (esegui_insieme), never a timing assertion.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver/limiti_file.h"
#include "driver/piattaforma.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"
#include "strumento.h"
#include "support/piattaforma_guasti.h"
#include "tools/supporto.h"

#ifdef SCENARIO_TOOL_EXE

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SCENARIO_CON_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SCENARIO_CON_ASAN 1
#endif

namespace {

namespace fs = std::filesystem;
using namespace supporto;

const std::vector<std::string> pacchetto = {
    "Valdesca_Morlano_52816.dat",           "Valdesca_Morlano_52816.sim",
    "Valdesca_Morlano_52816_note.txt",      "Valdesca_Morlano_52816_rallentamenti.txt",
    "Valdesca_Morlano_52816_scheda_treno.txt", "Valdesca_Morlano_linea.dat"};
const std::vector<std::string> binari = {"R_linea.dat", "R_1.sim", "R_1.dat"};
const std::string vittima = "the victim's own bytes\n";
const std::string nome_prevedibile = "0123456789abcdef";  // a temporary name someone guessed

// What stands at a name, without following it.
std::string tipo_di(const fs::path& percorso) {
    std::error_code ec;
    switch (fs::symlink_status(percorso, ec).type()) {
        case fs::file_type::regular: return "regular";
        case fs::file_type::symlink: return "symlink -> " + fs::read_symlink(percorso).string();
        case fs::file_type::fifo: return "fifo";
        case fs::file_type::not_found: return "none";
        default: return "other";
    }
}

// Every name of a folder and what stands there (and the bytes of a regular file).
std::map<std::string, std::string> stato_cartella(const fs::path& cartella) {
    std::map<std::string, std::string> stato;
    for (const auto& voce : fs::directory_iterator(cartella)) {
        std::string t = tipo_di(voce.path());
        if (t == "regular") t += ": " + leggi(voce.path());
        stato[voce.path().filename().string()] = t;
    }
    return stato;
}

void crea_fifo(const fs::path& percorso) {
    ASSERT_EQ(std::system(("mkfifo " + tra_apici(percorso.string())).c_str()), 0);
}

// Plants at both kinds of temporary name of each target: the fixed name of
// earlier versions (NAME.part) and a guessed one of this version's form. The
// plants are a link to a file outside the folder, a dangling link, a link to
// /dev/null and a FIFO, in turn over the targets.
void pianta(const fs::path& cartella, const std::vector<std::string>& bersagli, const fs::path& fuori) {
    for (std::size_t i = 0; i < bersagli.size(); ++i)
        for (const std::string& coda : {std::string(".part"), "." + nome_prevedibile + ".part"}) {
            const fs::path nome = cartella / (bersagli[i] + coda);
            switch (i % 4) {
                case 0: fs::create_symlink(fuori / "vittima.txt", nome); break;
                case 1: fs::create_symlink(fuori / ("mai_creato_" + std::to_string(i)), nome); break;
                case 2: fs::create_symlink("/dev/null", nome); break;
                case 3: crea_fifo(nome); break;
            }
        }
}

// After a run over planted names: nothing outside changed, every target is
// a regular file with the expected bytes, the planted fixed names stand as
// they were, and the guessed names of this version's form (leftovers, by
// their name) are gone when the program holds the folder, or untouched.
void controlla_dopo_piante(const fs::path& cartella, const std::map<std::string, std::string>& prima,
                           const std::map<std::string, std::string>& attesi, const fs::path& fuori,
                           bool rimuove_avanzi) {
    EXPECT_EQ(leggi(fuori / "vittima.txt"), vittima);
    EXPECT_EQ(nomi_in(fuori), std::vector<std::string>{"vittima.txt"}) << "a dangling link was followed";
    const auto dopo = stato_cartella(cartella);
    for (const auto& [nome, byte] : attesi) {
        ASSERT_EQ(dopo.count(nome), 1u) << nome;
        EXPECT_TRUE(dopo.at(nome) == "regular: " + byte) << nome << " is not the regular file expected";
    }
    for (const auto& [nome, tipo] : prima) {
        if (attesi.count(nome)) continue;
        const bool avanzo = bersaglio_temporaneo(nome).has_value();
        if (avanzo && rimuove_avanzi)
            EXPECT_EQ(dopo.count(nome), 0u) << nome << " is a leftover by its name and should be gone";
        else
            EXPECT_EQ(dopo.count(nome) ? dopo.at(nome) : "none", tipo) << nome << " changed";
    }
    for (const auto& [nome, tipo] : dopo)
        EXPECT_TRUE(prima.count(nome) || attesi.count(nome)) << "left behind: " << nome << " (" << tipo << ")";
}

// What a folder holds while a run holds it: its lock file aside (on Windows,
// where the lock is a file in the folder).
std::map<std::string, std::string> stato_cartella_tenuta(const fs::path& cartella) {
    auto stato = stato_cartella(cartella);
    stato.erase(nome_file_blocco);
    return stato;
}

std::map<std::string, std::string> pacchetto_atteso() {
    std::map<std::string, std::string> attesi;
    for (const auto& nome : pacchetto) attesi[nome] = leggi(fs::path(SCENARIO_TEST_DATA) / "pacchetto" / nome);
    return attesi;
}

// A folder with the embedded sources, a second line source B of another
// route length, and the files each compiles to on its own.
struct banco_compile {
    cartella_temporanea c;
    std::map<std::string, std::string> da_a, da_b;  // file -> bytes

    banco_compile() {
        fs::create_directories(c / "sola_a");
        fs::create_directories(c / "sola_b");
        fs::create_directories(c / "out");
        EXPECT_EQ(strumento(c.percorso(), {"sources"}).stato, 0);
        scrivi(c / "B_linea.txt", leggi(c / "Valdesca_Morlano_linea.txt"));
        sostituisci(c / "B_linea.txt", "lunghezza percorso,    45000", "lunghezza percorso,    44950");
        EXPECT_EQ(strumento(c.percorso(), compile("Valdesca_Morlano_linea.txt", "sola_a")).stato, 0);
        EXPECT_EQ(strumento(c.percorso(), compile("B_linea.txt", "sola_b")).stato, 0);
        for (const auto& nome : binari) {
            da_a[nome] = leggi(c / "sola_a" / nome);
            da_b[nome] = leggi(c / "sola_b" / nome);
            EXPECT_NE(da_a[nome], da_b[nome]) << nome;
        }
    }
    static std::vector<std::string> compile(const std::string& linea, const std::string& out) {
        return {"compile", "--line", linea, "--train-source", "Valdesca_Morlano_52816-.txt",
                "--route", "R",    "--train", "1",            "--out", out};
    }
};

// --- temporary files ---------------------------------------------------------

TEST(NomiTemporanei, UnNomeProprioAccantoAlBersaglioRiconoscibile) {
    cartella_temporanea c;
    auto p = crea_piattaforma_locale();
    sostituisci_file(*p, (c.percorso() / "a.txt").string(), "uno");
    sostituisci_file(*p, (c.percorso() / "a.txt").string(), "due");
    EXPECT_EQ(nomi_in(c.percorso()), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(leggi(c.percorso() / "a.txt"), "due");

    EXPECT_EQ(bersaglio_temporaneo("a.txt." + nome_prevedibile + ".part"), "a.txt");
    EXPECT_EQ(bersaglio_temporaneo("a.txt.part"), std::nullopt);
    EXPECT_EQ(bersaglio_temporaneo("a.txt.0123456789ABCDEF.part"), std::nullopt);
    EXPECT_EQ(bersaglio_temporaneo("a.txt.0123456789abcde.part"), std::nullopt);
    EXPECT_EQ(bersaglio_temporaneo("." + nome_prevedibile + ".part"), std::nullopt);
}

// The platform's exclusive create over each thing someone may plant.
TEST(NomiTemporanei, LaCreazioneNonSegueNullaENonAttende) {
    SOLO_POSIX("symbolic links and FIFOs");
    cartella_temporanea c, fuori;
    scrivi(fuori.percorso() / "vittima.txt", vittima);
    const fs::path collegamento = c.percorso() / "collegamento", pendente = c.percorso() / "pendente",
                   nullo = c.percorso() / "nullo", fifo = c.percorso() / "fifo", file = c.percorso() / "file";
    fs::create_symlink(fuori.percorso() / "vittima.txt", collegamento);
    fs::create_symlink(fuori.percorso() / "mai_creato", pendente);
    fs::create_symlink("/dev/null", nullo);
    crea_fifo(fifo);
    scrivi(file, "a file of someone's");
    auto p = crea_piattaforma_locale();
    for (const fs::path& nome : {collegamento, pendente, nullo, fifo, file}) {
        SCOPED_TRACE(nome.filename().string());
        const std::string prima = tipo_di(nome);
        EXPECT_THROW(p->crea_file(nome.string()), errore_file);
        EXPECT_EQ(tipo_di(nome), prima);
        // sostituisci_file fails the same way, cleanly, over a name it chose itself.
    }
    EXPECT_EQ(leggi(fuori.percorso() / "vittima.txt"), vittima);
    EXPECT_EQ(leggi(file), "a file of someone's");
    EXPECT_EQ(nomi_in(fuori.percorso()), std::vector<std::string>{"vittima.txt"});
}

// A target that another program holds open (the simulator, with the
// scenario loaded): POSIX replaces it all the same; Windows refuses, and the
// failure says why, leaving the old file and no temporary one.
TEST(NomiTemporanei, UnBersaglioTenutoApertoAltrove) {
    cartella_temporanea c;
    const fs::path bersaglio = c / "R_1.sim";
    scrivi(bersaglio, "the simulator's file");
    auto p = crea_piattaforma_locale();
    std::ifstream tenuto(bersaglio, std::ios::binary);
    ASSERT_TRUE(tenuto.is_open());
#ifdef _WIN32
    try {
        sostituisci_file(*p, bersaglio.string(), "new");
        ADD_FAILURE() << "a file held open was replaced";
    } catch (const errore_file& e) {
        EXPECT_NE(std::string(e.what()).find("another program has it open"), std::string::npos) << e.what();
    }
    EXPECT_EQ(leggi(bersaglio), "the simulator's file");
#else
    sostituisci_file(*p, bersaglio.string(), "new");
    EXPECT_EQ(leggi(bersaglio), "new");
#endif
    EXPECT_EQ(nomi_in(c.percorso()), std::vector<std::string>{"R_1.sim"});
}

TEST(NomiTemporanei, IlBuilderNonSegueNullaDiPiantato) {
    SOLO_POSIX("symbolic links and FIFOs");
    cartella_temporanea c, fuori;
    scrivi(fuori.percorso() / "vittima.txt", vittima);
    fs::copy_file(SCENARIO_BUILDER_EXE, c.percorso() / eseguibile("scenario_builder"));
    std::vector<std::string> bersagli = pacchetto;
    bersagli.push_back("Valdesca_Morlano_linea.txt");  // its own transient sources too
    bersagli.push_back("Valdesca_Morlano_52816-.txt");
    pianta(c.percorso(), bersagli, fuori.percorso());
    const auto prima = stato_cartella(c.percorso());

    const esito e = esegui_limitato(c.percorso(), {(c.percorso() / eseguibile("scenario_builder")).string(), {}});
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.err, "Attendere\n");
    controlla_dopo_piante(c.percorso(), prima, pacchetto_atteso(), fuori.percorso(), true);
}

TEST(NomiTemporanei, CompileNonSegueNullaDiPiantato) {
    SOLO_POSIX("symbolic links and FIFOs");
    banco_compile b;
    cartella_temporanea fuori;
    scrivi(fuori.percorso() / "vittima.txt", vittima);
    pianta(b.c / "out", binari, fuori.percorso());
    const auto prima = stato_cartella(b.c / "out");

    const esito e = esegui_limitato(b.c.percorso(), {SCENARIO_TOOL_EXE, banco_compile::compile("Valdesca_Morlano_linea.txt", "out")});
    EXPECT_EQ(e.stato, 0) << e.err;
    controlla_dopo_piante(b.c / "out", prima, b.da_a, fuori.percorso(), true);
}

TEST(NomiTemporanei, PlotNonSegueNullaDiPiantato) {
    SOLO_POSIX("symbolic links and FIFOs");
    banco_compile b;
    cartella_temporanea fuori;
    scrivi(fuori.percorso() / "vittima.txt", vittima);
    ASSERT_EQ(strumento(b.c.percorso(), {"plot", "--route", "R", "--train", "1", "--dir", "sola_a"}).stato, 0);
    const std::string svg = leggi(b.c / "sola_a" / "R_1.svg");
    fs::remove(b.c / "sola_a" / "R_1.svg");
    pianta(b.c / "sola_a", {"R_1.svg", "uno.svg", "due.svg", "tre.svg"}, fuori.percorso());
    const auto prima = stato_cartella(b.c / "sola_a");

    for (const std::string nome : {"R_1.svg", "uno.svg", "due.svg", "tre.svg"}) {
        const esito e = esegui_limitato(
            b.c.percorso(), {SCENARIO_TOOL_EXE, {"plot", "--route", "R", "--train", "1", "--dir", "sola_a", "--out",
                                                 "sola_a/" + nome}});
        EXPECT_EQ(e.stato, 0) << e.err;
    }
    auto attesi = b.da_a;
    for (const std::string nome : {"R_1.svg", "uno.svg", "due.svg", "tre.svg"}) attesi[nome] = svg;
    // plot holds the picture's folder, so the leftovers of its own pictures go.
    controlla_dopo_piante(b.c / "sola_a", prima, attesi, fuori.percorso(), true);
}

TEST(NomiTemporanei, CompileRimuoveGliAvanziDeiSuoiFileSoltanto) {
    banco_compile b;
    const std::string avanzo = "R_1.sim." + nome_prevedibile + ".part";
    const std::string altrui = "Altro_2.sim." + nome_prevedibile + ".part";
    scrivi(b.c / "out" / avanzo, "half of a killed run's file");
    scrivi(b.c / "out" / altrui, "another route's");
    const esito e = strumento(b.c.percorso(), banco_compile::compile("Valdesca_Morlano_linea.txt", "out"));
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_FALSE(fs::exists(b.c / "out" / avanzo));
    EXPECT_EQ(leggi(b.c / "out" / altrui), "another route's");
}

TEST(NomiTemporanei, UnaSorgenteColNomeDiUnTemporaneoERifiutata) {
    banco_compile b;
    const std::string nome = "R_1.dat." + nome_prevedibile + ".part";
    scrivi(b.c / "out" / nome, leggi(b.c / "Valdesca_Morlano_linea.txt"));
    const esito e = strumento(b.c.percorso(), banco_compile::compile("out/" + nome, "out"));
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.err.find("is where the scenario file"), std::string::npos) << e.err;
    EXPECT_TRUE(fs::exists(b.c / "out" / nome));
}

// --- one writer per folder ----------------------------------------------------

// 50 pairs; under the sanitizers, where one run takes ten times as long, 5
// (the paths are the same, and the plain build runs all 50).
#ifdef SCENARIO_CON_ASAN
constexpr int coppie = 5;
#else
constexpr int coppie = 50;
#endif

TEST(UnoScrittorePerCartella, CoppieDiBuilder) {
    cartella_temporanea c;
    const fs::path programma = c.percorso() / eseguibile("scenario_builder");
    fs::copy_file(SCENARIO_BUILDER_EXE, programma);
    const auto attesi = pacchetto_atteso();
    for (int coppia = 0; coppia < coppie; ++coppia) {
        SCOPED_TRACE("pair " + std::to_string(coppia));
        const auto esiti = esegui_insieme(c.percorso(), {{programma.string(), {}}, {programma.string(), {}}});
        int riusciti = 0;
        for (const esito& e : esiti) {
            if (e.stato == 0) {
                ++riusciti;
                EXPECT_EQ(e.err, "Attendere\n");
            } else {
                // Refused before touching a file, in one line.
                EXPECT_EQ(e.stato, 1);
                EXPECT_NE(e.err.find("another build is writing into " + c.percorso().string()), std::string::npos)
                    << e.err;
            }
        }
        EXPECT_GE(riusciti, 1);
        auto dopo = stato_cartella(c.percorso());
        dopo.erase(eseguibile("scenario_builder"));
        ASSERT_EQ(dopo.size(), attesi.size()) << "a source, a temporary or a lock file was left";
        for (const auto& [nome, byte] : attesi) EXPECT_TRUE(dopo[nome] == "regular: " + byte) << nome;
    }
}

TEST(UnoScrittorePerCartella, CoppieDiCompileConSorgentiDiverse) {
    banco_compile b;
    const comando da_a{SCENARIO_TOOL_EXE, banco_compile::compile("Valdesca_Morlano_linea.txt", "out")};
    const comando da_b{SCENARIO_TOOL_EXE, banco_compile::compile("B_linea.txt", "out")};
    for (int coppia = 0; coppia < coppie; ++coppia) {
        SCOPED_TRACE("pair " + std::to_string(coppia));
        const auto esiti = esegui_insieme(b.c.percorso(), {da_a, da_b});
        for (const esito& e : esiti) {
            EXPECT_TRUE(e.stato == 0 || e.stato == 1) << e.stato << e.err;
            if (e.stato == 1)
                EXPECT_NE(e.err.find("another build is writing into out"), std::string::npos) << e.err;
            else
                EXPECT_EQ(e.out, "wrote " + nativo("out/R_linea.dat") + "\nwrote " + nativo("out/R_1.sim") +
                                     "\nwrote " + nativo("out/R_1.dat") + "\n");
        }
        ASSERT_EQ(nomi_in(b.c / "out"), (std::vector<std::string>{"R_1.dat", "R_1.sim", "R_linea.dat"}));
        // Every file whole and of a run that exited 0, and all three of one run.
        std::set<char> di;
        for (const auto& nome : binari) {
            const std::string byte = leggi(b.c / "out" / nome);
            if (byte == b.da_a.at(nome) && esiti[0].stato == 0)
                di.insert('a');
            else if (byte == b.da_b.at(nome) && esiti[1].stato == 0)
                di.insert('b');
            else
                ADD_FAILURE() << nome << " is neither run's whole file (" << byte.size() << " bytes)";
        }
        EXPECT_EQ(di.size(), 1u) << "the files come from both runs";
    }
}

// A folder held by another: after its wait the program refuses, touching nothing.
// Its wait is the program's own 10 s, so only the plain build runs it; the
// pairs above take the lock under the sanitizers too.
TEST(UnoScrittorePerCartella, UnaCartellaOccupataERifiutataDopoLAttesa) {
#ifdef SCENARIO_CON_ASAN
    GTEST_SKIP() << "a wait of 10 s; the plain build runs it";
#endif
    banco_compile b;
    auto p = crea_piattaforma_locale();
    const auto prima = stato_cartella(b.c / "sola_a");
    {
        const auto blocco = p->blocca_cartella((b.c / "sola_a").string(), std::chrono::milliseconds(0));
        const esito e = esegui_limitato(b.c.percorso(), {SCENARIO_TOOL_EXE, banco_compile::compile("B_linea.txt", "sola_a")});
        EXPECT_EQ(e.stato, 1);
        EXPECT_EQ(e.err, "error: another build is writing into sola_a\n");
        EXPECT_EQ(e.out, "");
        // The same folder again in-process: the lock is the folder's, not the process's.
        EXPECT_THROW(p->blocca_cartella((b.c / "sola_a").string(), std::chrono::milliseconds(50)),
                     errore_cartella_occupata);
    }
    EXPECT_EQ(stato_cartella(b.c / "sola_a"), prima);
    // Let go, the folder is free again.
    EXPECT_NO_THROW(p->blocca_cartella((b.c / "sola_a").string(), std::chrono::milliseconds(0)));
}

// The builder in-process on a held folder: it stops before its first file
// operation and leaves an earlier build's files as they were.
TEST(UnoScrittorePerCartella, IlBuilderNonToccaNullaDiUnaCartellaOccupata) {
    cartella_temporanea c;
    for (const auto& nome : pacchetto) scrivi(c / nome, "earlier build's " + nome);
    const auto prima = stato_cartella(c.percorso());
    auto locale = crea_piattaforma_locale();
    const auto blocco = locale->blocca_cartella(c.percorso().string(), std::chrono::milliseconds(0));
    piattaforma_guasti p(c.percorso().string());
    p.attesa_massima = std::chrono::milliseconds(100);
    std::ostringstream err;
    EXPECT_EQ(esegui_builder(p, err), 1);
    EXPECT_EQ(err.str(), "error: another build is writing into " + c.percorso().string() + "\n");
    EXPECT_TRUE(p.registro().empty()) << "a file operation ran";
    EXPECT_EQ(stato_cartella_tenuta(c.percorso()), prima);
}

// sources, plot and decompile hold the folder they write into, as compile
// does: on a held folder they stop before touching a file.
TEST(UnoScrittorePerCartella, GliAltriComandiNonToccanoNullaDiUnaCartellaOccupata) {
    cartella_temporanea c;
    ASSERT_EQ(strumento(c.percorso(), {"sources"}).stato, 0);
    ASSERT_EQ(strumento(c.percorso(), {"compile", "--line", "Valdesca_Morlano_linea.txt", "--train-source",
                                       "Valdesca_Morlano_52816-.txt", "--route", "Valdesca_Morlano", "--train", "52816"})
                  .stato,
              0);
    fs::create_directory(c / "fuori");
    const std::string fuori = (c / "fuori").string();
    const auto prima = stato_cartella(c.percorso());
    auto locale = crea_piattaforma_locale();
    for (const std::vector<std::string>& comando :
         {std::vector<std::string>{"sources", "--force", "--out", fuori},
          {"plot", "--route", "Valdesca_Morlano", "--train", "52816", "--dir", c.percorso().string(), "--out",
           (c / "fuori" / "figura.svg").string()},
          {"decompile", "--route", "Valdesca_Morlano", "--train", "52816", "--dir", c.percorso().string(), "--out",
           fuori, "--force"}}) {
        SCOPED_TRACE(comando.front());
        const auto blocco = locale->blocca_cartella(fuori, std::chrono::milliseconds(0));
        piattaforma_guasti p(c.percorso().string());
        p.attesa_massima = std::chrono::milliseconds(100);
        std::ostringstream out, err;
        EXPECT_EQ(scenario_tool_main(comando, p, out, err), 1);
        EXPECT_EQ(err.str(), "error: another build is writing into " + fuori + "\n");
        EXPECT_EQ(stato_cartella(c.percorso()), prima);
        EXPECT_TRUE(stato_cartella_tenuta(c / "fuori").empty());
    }
}

// --- bounded inputs -------------------------------------------------------------

struct banco_ingressi {
    cartella_temporanea c;
    // The real tool, killed if it runs away; without the sanitizers, and
    // where sh has ulimit, also within 1 GB of address space, so that reading
    // an endless file whole cannot go unnoticed.
    esito dump(const std::vector<std::string>& argomenti, const std::string& ingresso = "/dev/null") {
        std::string programma = SCENARIO_TOOL_EXE;
        std::vector<std::string> tutti = argomenti;
#if !defined(SCENARIO_CON_ASAN) && !defined(_WIN32)
        tutti.insert(tutti.begin(), {"-c", "ulimit -v 1048576 && exec \"$0\" \"$@\"", programma});
        programma = "sh";
#endif
        return esegui_limitato(c.percorso(), {programma, tutti, ingresso}, 60);
    }
};

void una_riga_di_errore(const esito& e, const std::vector<std::string>& parti) {
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.out, "");
    ASSERT_EQ(e.righe_err().size(), 1u) << e.err;
    for (const auto& parte : parti) EXPECT_NE(e.err.find(parte), std::string::npos) << parte << " in " << e.err;
}

TEST(IngressiLimitati, DevZeroEUnFifoEDevStdinSonoRifiutati) {
    SOLO_POSIX("/dev, FIFOs and sh");
    banco_ingressi b;
    fs::create_symlink("/dev/zero", b.c / "zero.dat");
    una_riga_di_errore(b.dump({"dump", "zero.dat"}), {"zero.dat", "a character device", "only regular files"});
    crea_fifo(b.c / "fifo.sim");
    una_riga_di_errore(b.dump({"dump", "fifo.sim", "--json"}), {"fifo.sim", "a FIFO"});
    fs::create_directory(b.c / "cartella_linea.dat");
    una_riga_di_errore(b.dump({"dump", "cartella_linea.dat"}), {"cartella_linea.dat", "a folder"});

    ASSERT_EQ(strumento(b.c.percorso(), {"sources"}).stato, 0);
    // Standard input from a device, and from a pipe.
    const std::vector<std::string> da_stdin = {"compile", "--line", "/dev/stdin", "--train-source",
                                               "Valdesca_Morlano_52816-.txt", "--route", "R", "--train", "1"};
    una_riga_di_errore(b.dump(da_stdin, "/dev/zero"), {"/dev/stdin", "a character device"});
    std::vector<std::string> da_tubo = {"-c", "echo '[generale]' | \"$0\" \"$@\"", SCENARIO_TOOL_EXE};
    da_tubo.insert(da_tubo.end(), da_stdin.begin(), da_stdin.end());
    una_riga_di_errore(esegui_limitato(b.c.percorso(), {"sh", da_tubo}), {"/dev/stdin", "a FIFO"});
    una_riga_di_errore(b.dump({"compile", "--line", "Valdesca_Morlano_linea.txt", "--train-source", "/dev/zero",
                               "--route", "R", "--train", "1"}),
                       {"/dev/zero", "a character device"});
    EXPECT_FALSE(fs::exists(b.c / "R_1.dat"));
}

// The builder reads its own transient sources back without following a link;
// a source given on the command line may be one.
TEST(IngressiLimitati, LeSorgentiProprieNonSonoLetteAttraversoUnCollegamento) {
    SOLO_POSIX("symbolic links");
    cartella_temporanea c;
    scrivi(c / "vera.txt", "[generale]\r\n");
    fs::create_symlink(c / "vera.txt", c / "collegata.txt");
    auto p = crea_piattaforma_locale();
    try {
        p->leggi_file((c / "collegata.txt").string());
        ADD_FAILURE() << "a link was read as the program's own source";
    } catch (const errore_file& e) {
        EXPECT_NE(std::string(e.what()).find("symbolic link"), std::string::npos) << e.what();
    }
    EXPECT_EQ(p->leggi_file((c / "collegata.txt").string(), limite_sorgente), "[generale]\r\n");
    EXPECT_EQ(p->leggi_file((c / "vera.txt").string()), "[generale]\r\n");
}

TEST(IngressiLimitati, UnFileSparsoOltreIlLimiteERifiutatoPrimaDiLeggerlo) {
    banco_ingressi b;
    std::ofstream(b.c / "grande_linea.dat").close();
    fs::resize_file(b.c / "grande_linea.dat", 256u << 20);
    una_riga_di_errore(b.dump({"dump", "grande_linea.dat", "--json"}),
                       {"grande_linea.dat", "268435456 bytes", "a plan may hold at most 20140020 bytes"});
    std::ofstream(b.c / "grande.txt").close();
    fs::resize_file(b.c / "grande.txt", std::uintmax_t{1} << 30);
    ASSERT_EQ(strumento(b.c.percorso(), {"sources"}).stato, 0);
    una_riga_di_errore(b.dump({"compile", "--line", "grande.txt", "--train-source", "Valdesca_Morlano_52816-.txt",
                               "--route", "R", "--train", "1"}),
                       {"grande.txt", "1073741824 bytes", "a source file may hold at most 67108864 bytes"});
}

// Each limit: the largest size is read, one byte more is refused.
TEST(IngressiLimitati, OgniLimiteAlByte) {
    banco_ingressi b;
    struct caso {
        std::string nome;
        std::uint64_t massimo;
        std::string cosa;
    };
    for (const caso& k : {caso{"R_1.dat", byte_massimi_celle, "a cell track"},
                          caso{"R_1.sim", byte_massimi_voci, "a record table"},
                          caso{"R_linea.dat", byte_massimi_planimetria, "a plan"}}) {
        SCOPED_TRACE(k.nome);
        std::ofstream(b.c / k.nome).close();
        fs::resize_file(b.c / k.nome, k.massimo + 1);
        una_riga_di_errore(b.dump({"dump", k.nome}),
                           {k.nome, std::to_string(k.massimo + 1) + " bytes; " + k.cosa + " may hold at most " +
                                        std::to_string(k.massimo) + " bytes"});
        fs::resize_file(b.c / k.nome, k.massimo);
        const esito e = b.dump({"dump", k.nome});
        // Read whole: a cell track of zeros is one, the others go wrong inside.
        if (k.nome == "R_1.dat") {
            EXPECT_EQ(e.stato, 0) << e.err;
        } else {
            EXPECT_EQ(e.stato, 1);
            EXPECT_NE(e.err.find("at offset"), std::string::npos) << e.err;
        }
    }
}

// --- standard output and error ------------------------------------------------------

TEST(UscitaStandard, DumpInDevFullDaStato1) {
    SOLO_POSIX("/dev/full");
    banco_compile b;
    comando c{SCENARIO_TOOL_EXE, {"dump", "sola_a/R_1.sim", "--json"}};
    c.uscita = "/dev/full";
    const esito e = esegui_limitato(b.c.percorso(), c);
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.err.find("error: cannot write the standard output"), std::string::npos) << e.err;
    c.argomenti = {"dump", "sola_a/R_1.dat"};
    EXPECT_EQ(esegui_limitato(b.c.percorso(), c).stato, 1);
    // A compile with problems (2) whose report is lost: 1 wins.
    c.argomenti = banco_compile::compile("Valdesca_Morlano_linea.txt", "out");
    const esito k = esegui_limitato(b.c.percorso(), c);
    EXPECT_EQ(k.stato, 1);
    EXPECT_NE(k.err.find("error: cannot write the standard output"), std::string::npos) << k.err;
}

TEST(UscitaStandard, ErroreStandardPienoDaStato1) {
    SOLO_POSIX("/dev/full and sh");
    banco_compile b;
    const std::string script = "\"$0\" \"$@\" 2>/dev/full";
    comando c{"sh", {"-c", script, SCENARIO_TOOL_EXE, "dump", "nessuno.dat"}};
    EXPECT_EQ(esegui_limitato(b.c.percorso(), c).stato, 1);
    c.argomenti = {"-c", script, SCENARIO_TOOL_EXE, "help"};
    EXPECT_EQ(esegui_limitato(b.c.percorso(), c).stato, 0) << "nothing was written to standard error";

    cartella_temporanea d;
    fs::copy_file(SCENARIO_BUILDER_EXE, d.percorso() / eseguibile("scenario_builder"));
    c.argomenti = {"-c", script, (d.percorso() / eseguibile("scenario_builder")).string()};
    EXPECT_EQ(esegui_limitato(d.percorso(), c).stato, 1) << "the builder's wait line was lost";
}

// In-process: a stream that takes nothing.
class flusso_guasto final : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(UscitaStandard, InProcessoUnUscitaGuastaVince) {
    flusso_guasto guasto;
    std::ostream out(&guasto);
    std::ostringstream err;
    auto p = crea_piattaforma_locale();
    EXPECT_EQ(scenario_tool_main({"help"}, *p, out, err), 1);
    EXPECT_EQ(err.str(), "error: cannot write the standard output: a write failed or was cut short, so what was "
                         "printed is incomplete\n");
}

// --- peak memory ---------------------------------------------------------------------

// The largest accepted file of each kind, as a real build could make it (a
// plan of 2 x 1007001 floating-point elements, 87 records with texts of
// 65535 bytes, the cells of a 1000000 m route, a line source of 64 MiB),
// read by the real tool within an address space of a small multiple of its
// size: 6 x the file and 64 MiB for the program itself. The address space
// bounds the resident peak from above; a run that needs more fails.
TEST(MemoriaDiPicco, GliIngressiPiuGrandiAccettatiStannoInUnPiccoloMultiplo) {
    SOLO_POSIX("sh's ulimit");
#ifdef SCENARIO_CON_ASAN
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space";
#endif
    cartella_temporanea c;
    {
        std::string pl;
        pl.reserve(byte_massimi_planimetria);
        for (std::uint64_t i = 0; i < byte_massimi_planimetria / 10; ++i) pl.append("\x05\0\0\0\0\0\0\0\xf8\x3f", 10);
        scrivi(c / "R_linea.dat", pl);
        std::string voci;
        for (int i = 0; i < 87; ++i) voci += std::string(14, '\0') + "\xff\xff" + std::string(65535, 'a') + std::string(18, '\0');
        scrivi(c / "R_1.sim", voci);
        scrivi(c / "R_1.dat", std::string(byte_massimi_celle, '\0'));
        ASSERT_EQ(strumento(c.percorso(), {"sources"}).stato, 0);
        std::string linea = leggi(c / "Valdesca_Morlano_linea.txt");
        linea.insert(linea.find("[pendenze]"), std::string(byte_massimi_sorgente - linea.size() - 2, 'x') + "\r\n");
        ASSERT_EQ(linea.size(), byte_massimi_sorgente);
        scrivi(c / "L_linea.txt", linea);
    }
    auto entro = [&](std::uint64_t byte, std::vector<std::string> argomenti) {
        const std::uint64_t kib = (6 * byte + (std::uint64_t{64} << 20)) / 1024;
        argomenti.insert(argomenti.begin(),
                         {"-c", "ulimit -v " + std::to_string(kib) + " && exec \"$0\" \"$@\" >/dev/null", SCENARIO_TOOL_EXE});
        return esegui_limitato(c.percorso(), {"sh", argomenti});
    };
    for (const std::string nome : {"R_linea.dat", "R_1.sim", "R_1.dat"}) {
        for (const std::vector<std::string>& forma : {std::vector<std::string>{}, {"--all"}, {"--json"}}) {
            SCOPED_TRACE(nome + (forma.empty() ? "" : " " + forma.front()));
            std::vector<std::string> a = {"dump", nome};
            a.insert(a.end(), forma.begin(), forma.end());
            const esito e = entro(fs::file_size(c / nome), a);
            EXPECT_EQ(e.stato, 0) << e.err;
        }
    }
    fs::create_directory(c / "out");
    // Status 0, not 2: memory running out inside the compile would be code 25.
    const esito e = entro(byte_massimi_sorgente, {"compile", "--line", "L_linea.txt", "--train-source",
                                                  "Valdesca_Morlano_52816-.txt", "--route", "R", "--train", "1",
                                                  "--out", "out"});
    EXPECT_EQ(e.stato, 0) << e.err;
}

}  // namespace

#endif  // SCENARIO_TOOL_EXE
