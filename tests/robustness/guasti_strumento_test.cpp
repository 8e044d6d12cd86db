// scenario_tool compile with each of its file operations failed in turn: one
// clear error, status 1, the sources untouched, and every scenario file
// either as an earlier build left it or whole and new.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/scrittore_testo.h"
#include "driver/sostituzione_file.h"
#include "scenario/sorgenti_incorporate.h"
#include "strumento.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_guasti.h"

namespace {

using operazione = piattaforma_guasti::operazione;
using guasto = piattaforma_guasti::guasto;

const nomi_file nomi = nomi_scenario("Valdesca_Morlano", "52816");
const std::string testo_linea = codifica_testo(righe_linea());
const std::string testo_treno = codifica_testo(righe_treno());

// A temporary file by its target's name and ".part", the same in every run.
std::string nome_di(const std::string& percorso) {
    const std::string nome = std::filesystem::path(percorso).filename().string();
    const auto bersaglio = bersaglio_temporaneo(nome);
    return bersaglio ? *bersaglio + ".part" : nome;
}
std::string precedente(const std::string& nome) { return "earlier build's " + nome + "\r\n"; }

// A folder with the two sources in sorgenti/ and an earlier build's files in uscita/.
struct banco {
    cartella_temporanea c;
    std::filesystem::path sorgenti = c.percorso() / "sorgenti";
    std::filesystem::path uscita = c.percorso() / "uscita";

    banco() {
        std::filesystem::create_directory(sorgenti);
        std::filesystem::create_directory(uscita);
        scrivi_file(sorgenti / nomi.sorgente_linea, testo_linea);
        scrivi_file(sorgenti / nomi.sorgente_treno, testo_treno);
        for (const auto& o : {nomi.planimetria, nomi.voci, nomi.celle}) scrivi_file(uscita / o, precedente(o));
    }

    int compila(piattaforma& p, std::ostream& out, std::ostream& err) const {
        return scenario_tool_main({"compile", "--line", (sorgenti / nomi.sorgente_linea).string(), "--train-source",
                                   (sorgenti / nomi.sorgente_treno).string(), "--route", "Valdesca_Morlano", "--train",
                                   "52816", "--out", uscita.string()},
                                  p, out, err);
    }
};

class GuastiStrumento : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        banco b;
        piattaforma_guasti p(b.c.stringa());
        std::ostringstream out, err;
        ASSERT_EQ(b.compila(p, out, err), uscita_ok) << err.str();
        nuovi_ = new std::map<std::string, std::string>(contenuto_cartella(b.uscita));
        operazioni_ = new std::vector<piattaforma_guasti::voce_registro>(p.registro());
    }
    static void TearDownTestSuite() {
        delete nuovi_;
        delete operazioni_;
    }

    static void prova_guasto(std::size_t n, guasto tipo) {
        const auto& op = (*operazioni_)[n - 1];
        SCOPED_TRACE("operation " + std::to_string(n) + ": " + nome_operazione(op.tipo) + " " + nome_di(op.percorso));
        banco b;
        piattaforma_guasti p(b.c.stringa());
        p.guasta(n, tipo);
        std::ostringstream out, err;
        EXPECT_EQ(b.compila(p, out, err), uscita_guasto);
        EXPECT_EQ(out.str(), "") << "nothing may be reported as written";

        const std::string motivo =
            tipo == guasto::disco_pieno ? piattaforma_guasti::motivo_disco_pieno : piattaforma_guasti::motivo_iniettato;
        std::string nome = nome_di(op.percorso);
        if (nome.ends_with(".part")) nome.resize(nome.size() - 5);
        const std::string messaggio = err.str();
        EXPECT_EQ(std::count(messaggio.begin(), messaggio.end(), '\n'), 1) << messaggio;
        EXPECT_TRUE(messaggio.starts_with("error: ")) << messaggio;
        EXPECT_NE(messaggio.find(nome), std::string::npos) << messaggio;
        EXPECT_NE(messaggio.find(motivo), std::string::npos) << messaggio;

        std::size_t posati = 0;
        for (std::size_t i = 0; i + 1 < n; ++i)
            if ((*operazioni_)[i].tipo == operazione::rinomina) ++posati;
        const auto dopo = contenuto_cartella(b.uscita);
        ASSERT_EQ(dopo.size(), nuovi_->size()) << "a temporary file was left behind";
        std::size_t nuovi_trovati = 0;
        for (const auto& [f, byte] : *nuovi_) {
            ASSERT_TRUE(dopo.contains(f)) << f;
            const bool nuovo = dopo.at(f) == byte;
            EXPECT_TRUE(nuovo || dopo.at(f) == precedente(f)) << f << " holds " << dopo.at(f).size() << " bytes";
            nuovi_trovati += nuovo ? 1 : 0;
        }
        EXPECT_EQ(nuovi_trovati, posati) << "exactly the files put in place before the failure are new";
        const auto sorgenti = contenuto_cartella(b.sorgenti);
        EXPECT_TRUE(sorgenti.at(nomi.sorgente_linea) == testo_linea);
        EXPECT_TRUE(sorgenti.at(nomi.sorgente_treno) == testo_treno);
    }

    static std::map<std::string, std::string>* nuovi_;
    static std::vector<piattaforma_guasti::voce_registro>* operazioni_;
};

std::map<std::string, std::string>* GuastiStrumento::nuovi_ = nullptr;
std::vector<piattaforma_guasti::voce_registro>* GuastiStrumento::operazioni_ = nullptr;

TEST_F(GuastiStrumento, OgniOperazioneCheFallisce) {
    ASSERT_EQ(nuovi_->size(), 3u);
    for (std::size_t n = 1; n <= operazioni_->size(); ++n) prova_guasto(n, guasto::fallisce);
}

TEST_F(GuastiStrumento, DiscoPienoAOgniScrittura) {
    for (std::size_t n = 1; n <= operazioni_->size(); ++n)
        if ((*operazioni_)[n - 1].tipo == operazione::scrivi) prova_guasto(n, guasto::disco_pieno);
}

}  // namespace
