// Every file operation of a whole build, failed in turn: the build must end
// with one clear error and the right status, and every target file must hold
// either its previous content or its new one, whole.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "documents/note.h"
#include "documents/ordine_rallentamento.h"
#include "documents/scheda_treno.h"
#include "compile/compilazione.h"
#include "driver/form_load.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/scrittore_testo.h"
#include "compile/sorgenti.h"
#include "driver/sostituzione_file.h"
#include "model/conversioni.h"
#include "output/file_binari.h"
#include "scenario/sorgenti_incorporate.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_guasti.h"

namespace {

using operazione = piattaforma_guasti::operazione;
using guasto = piattaforma_guasti::guasto;

const nomi_file nomi = nomi_scenario(nome_percorso_incorporato, numero_treno_incorporato);

std::vector<std::string> righe_di(const std::string& testo) {
    std::vector<std::string> righe;
    std::istringstream in(testo);
    for (std::string r; std::getline(in, r);) righe.push_back(r);
    return righe;
}

bool sorgente(const std::string& nome) { return nome == nomi.sorgente_linea || nome == nomi.sorgente_treno; }

// A temporary file by its target's name and ".part", the same in every run.
std::string nome_di(const std::string& percorso) {
    const std::string nome = std::filesystem::path(percorso).filename().string();
    const auto bersaglio = bersaglio_temporaneo(nome);
    return bersaglio ? *bersaglio + ".part" : nome;
}

// The compile's view of a source file whose read or delete fails.
class sorgenti_guaste final : public sorgenti_compilazione {
public:
    sorgenti_guaste(file_sorgente quale, operazione tipo)
        : base_(codifica_testo(righe_linea()), codifica_testo(righe_treno())), quale_(quale), tipo_(tipo) {}
    bool esiste(file_sorgente q) override { return base_.esiste(q); }
    std::string_view leggi(file_sorgente q) override {
        if (q == quale_ && tipo_ == operazione::leggi) throw errore_esecuzione("injected");
        return base_.leggi(q);
    }
    void elimina(file_sorgente q) override {
        if (q == quale_ && tipo_ == operazione::elimina && !fallito_) {
            fallito_ = true;
            throw errore_esecuzione("injected");
        }
    }

private:
    sorgenti_in_memoria base_;
    file_sorgente quale_;
    operazione tipo_;
    bool fallito_ = false;
};

// The three scenario files of a compile whose source operation failed.
std::map<std::string, std::string> binari_dopo_guasto(file_sorgente quale, operazione tipo) {
    sorgenti_guaste sorgenti(quale, tipo);
    const risultato_percorso r = compila(nome_percorso_incorporato, numero_treno_incorporato, 1, sorgenti);
    if (r.esito != esito_percorso::completo) return {};
    const scenario& s = r.modello;
    return {{nomi.planimetria, codifica_planimetria(s.planimetria)},
            {nomi.voci, codifica_voci(s.voci)},
            {nomi.celle, codifica_celle(s.celle)}};
}

class GuastiBuilder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cartella_temporanea c;
        piattaforma_guasti p(c.stringa());
        std::ostringstream err;
        ASSERT_EQ(esegui_builder(p, err), uscita_ok) << err.str();
        ASSERT_EQ(err.str(), "");
        nuovi_ = new std::map<std::string, std::string>(contenuto_cartella(c.percorso()));
        operazioni_ = new std::vector<piattaforma_guasti::voce_registro>(p.registro());
    }
    static void TearDownTestSuite() {
        delete nuovi_;
        delete operazioni_;
        nuovi_ = nullptr;
        operazioni_ = nullptr;
    }

    static const std::vector<std::string>& obiettivi() {
        static const std::vector<std::string> nomi_obiettivi = {nomi.note,        nomi.rallentamenti, nomi.scheda,
                                                                nomi.planimetria, nomi.voci,          nomi.celle};
        return nomi_obiettivi;
    }
    static std::string precedente(const std::string& nome) { return "earlier build's " + nome + "\r\n"; }

    // Index in the clean run of the step that puts the file in place.
    static std::size_t posa(const std::string& nome) {
        for (std::size_t i = 0; i < operazioni_->size(); ++i) {
            const auto& op = (*operazioni_)[i];
            if (op.tipo == operazione::rinomina && nome_di(op.percorso) == nome) return i;
        }
        ADD_FAILURE() << "no rename of " << nome;
        return 0;
    }

    // Runs the build with operation n failing over a folder that holds an
    // earlier build's files, and checks everything a failure must leave.
    static void prova_guasto(std::size_t n, guasto tipo) {
        const auto& op = (*operazioni_)[n - 1];
        const std::string nome = nome_di(op.percorso);
        SCOPED_TRACE("operation " + std::to_string(n) + ": " + nome_operazione(op.tipo) + " " + nome);

        cartella_temporanea c;
        for (const auto& o : obiettivi()) scrivi_file(c.percorso() / o, precedente(o));
        piattaforma_guasti p(c.stringa());
        p.guasta(n, tipo);
        std::ostringstream err;
        const int stato = esegui_builder(p, err);
        ASSERT_GE(p.registro().size(), n);
        EXPECT_EQ(p.registro()[n - 1].tipo, op.tipo);
        EXPECT_EQ(nome_di(p.registro()[n - 1].percorso), nome);
        const std::string motivo =
            tipo == guasto::disco_pieno ? piattaforma_guasti::motivo_disco_pieno : piattaforma_guasti::motivo_iniettato;
        const std::string percorso_obiettivo = (c.percorso() / nome).string();
        const std::string percorso_finale =
            percorso_obiettivo.ends_with(".part") ? percorso_obiettivo.substr(0, percorso_obiettivo.size() - 5)
                                                  : percorso_obiettivo;
        const auto righe = righe_di(err.str());
        const auto dopo = contenuto_cartella(c.percorso());

        std::map<std::string, std::string> attesi;
        for (const auto& o : obiettivi()) attesi[o] = posa(o) < n - 1 ? nuovi_->at(o) : precedente(o);

        const bool nel_compilatore = sorgente(nome) && (op.tipo == operazione::leggi || op.tipo == operazione::elimina);
        if (nel_compilatore) {
            // The compile records code 25 and goes on as far as the model lets it.
            ASSERT_FALSE(righe.empty());
            const std::string& prima = righe.front();
            EXPECT_TRUE(prima.starts_with("error 25")) << prima;
            EXPECT_NE(prima.find(percorso_finale), std::string::npos) << prima;
            EXPECT_NE(prima.find(motivo), std::string::npos) << prima;
            const auto quale = nome == nomi.sorgente_linea ? file_sorgente::linea : file_sorgente::treno;
            const auto binari = binari_dopo_guasto(quale, op.tipo);
            if (binari.empty()) {
                EXPECT_EQ(stato, uscita_guasto);
                ASSERT_EQ(righe.size(), 2u) << err.str();
                EXPECT_NE(righe[1].find("no cells"), std::string::npos) << righe[1];
            } else {
                EXPECT_EQ(stato, uscita_problemi);
                EXPECT_EQ(righe.size(), 1u) << err.str();
                for (const auto& [o, byte] : binari) attesi[o] = byte;
            }
            EXPECT_FALSE(dopo.contains(nomi.sorgente_linea));
            EXPECT_FALSE(dopo.contains(nomi.sorgente_treno));
        } else {
            EXPECT_EQ(stato, uscita_guasto);
            ASSERT_EQ(righe.size(), 1u) << err.str();
            EXPECT_TRUE(righe[0].starts_with("error: ")) << righe[0];
            EXPECT_NE(righe[0].find(percorso_finale), std::string::npos) << righe[0];
            EXPECT_NE(righe[0].find(motivo), std::string::npos) << righe[0];
        }

        for (const auto& [o, byte] : attesi) {
            ASSERT_TRUE(dopo.contains(o)) << o;
            EXPECT_TRUE(dopo.at(o) == byte) << o << ": " << dopo.at(o).size() << " bytes, expected " << byte.size();
        }
        // A source file still standing is whole; nothing else is left behind.
        for (const auto& [f, byte] : dopo) {
            if (attesi.contains(f)) continue;
            ASSERT_TRUE(sorgente(f)) << "left behind: " << f;
            const auto& righe_sorgente = f == nomi.sorgente_linea ? righe_linea() : righe_treno();
            EXPECT_TRUE(byte == codifica_testo(righe_sorgente)) << f;
        }
        EXPECT_TRUE(p.messaggi.empty());
    }

    static std::map<std::string, std::string>* nuovi_;
    static std::vector<piattaforma_guasti::voce_registro>* operazioni_;
};

std::map<std::string, std::string>* GuastiBuilder::nuovi_ = nullptr;
std::vector<piattaforma_guasti::voce_registro>* GuastiBuilder::operazioni_ = nullptr;

TEST_F(GuastiBuilder, UnaCorsaPulitaScriveSeiFileETuttiITipiDiOperazione) {
    std::set<std::string> attesi(obiettivi().begin(), obiettivi().end());
    std::set<std::string> trovati;
    for (const auto& [f, byte] : *nuovi_) trovati.insert(f);
    EXPECT_EQ(trovati, attesi);
    EXPECT_TRUE(nuovi_->at(nomi.note) == codifica_testo(righe_note()));
    std::set<operazione> tipi;
    for (const auto& op : *operazioni_) tipi.insert(op.tipo);
    EXPECT_EQ(tipi.size(), 6u) << "create, write, close, rename, delete and read all take part";
}

TEST_F(GuastiBuilder, OgniOperazioneCheFallisce) {
    for (std::size_t n = 1; n <= operazioni_->size(); ++n) prova_guasto(n, guasto::fallisce);
}

TEST_F(GuastiBuilder, DiscoPienoAOgniScrittura) {
    std::size_t scritture = 0;
    for (std::size_t n = 1; n <= operazioni_->size(); ++n) {
        if ((*operazioni_)[n - 1].tipo != operazione::scrivi) continue;
        ++scritture;
        prova_guasto(n, guasto::disco_pieno);
    }
    EXPECT_GT(scritture, 8u) << "the plan file alone takes several blocks";
}

}  // namespace
