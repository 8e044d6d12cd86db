// The record of which row placed what: beside the model, never changing it.

#include <gtest/gtest.h>

#include <stdexcept>

#include "authoring/diagnosi.h"
#include "compile/compilazione.h"
#include "compile/sorgenti.h"
#include "driver/scrittore_testo.h"
#include "model/righe.h"
#include "scenario/sorgenti_incorporate.h"

namespace {

std::string treno_con_rallentamento() {
    std::vector<std::string> righe = righe_treno();
    righe.insert(std::find(righe.begin(), righe.end(), "[segnali]"), "rallentamento, 9000, 30, 800, 1, 1, 0");
    return codifica_testo(righe);  // the restriction stands on line 22
}

risultato_percorso compila_con(registro_righe* righe) {
    sorgenti_in_memoria sorgenti(codifica_testo(righe_linea()), treno_con_rallentamento());
    return compila("R", "1", 1, sorgenti, righe);
}

TEST(RegistroRighe, OgniOggettoRisaleAllaSuaRigaEIlModelloNonCambia) {
    registro_righe righe;
    const risultato_percorso con = compila_con(&righe);
    const risultato_percorso senza = compila_con(nullptr);
    ASSERT_TRUE(con.registro.elenco.empty());
    EXPECT_TRUE(con.modello.celle == senza.modello.celle);
    EXPECT_TRUE(con.modello.voci == senza.modello.voci);
    EXPECT_TRUE(con.modello.planimetria.elementi == senza.modello.planimetria.elementi);

    const riga_sorgente segnale{file_sorgente::treno, 25}, rallentamento{file_sorgente::treno, 22};
    const riga_sorgente fermata_castelvere{file_sorgente::treno, 15}, indicatore{file_sorgente::linea, 51};
    EXPECT_EQ(*righe.origine(100), (origine_oggetto{segnale, false}));            // signal 4950
    EXPECT_EQ(*righe.origine(239), (origine_oggetto{fermata_castelvere, false}));  // its stop cell
    EXPECT_EQ(*righe.origine(11), (origine_oggetto{indicatore, false}));           // board at 500
    EXPECT_EQ(*righe.origine(181), (origine_oggetto{rallentamento, false}));       // start 9000
    EXPECT_EQ(*righe.origine(157), (origine_oggetto{rallentamento, false}));       // warning 7800
    // The post-pass's points before the start belong to the restriction.
    EXPECT_EQ(con.modello.cella_a(176).oggetto, oggetto_punto_abbattimento);
    EXPECT_EQ(*righe.origine(176), (origine_oggetto{rallentamento, true}));
    // Nothing but objects: a cell with only a gradient or marks has no entry.
    for (const auto& [k, o] : righe.celle) EXPECT_NE(con.modello.cella_a(k).oggetto, oggetto_libero) << k;
}

// The fields view the record's own copy of each source: they outlive the
// compile's texts and a move of the record, even for texts short enough to be
// kept inside a string.
TEST(RegistroRighe, ITestiDeiCampiSopravvivonoAlleSorgentiEAUnoSpostamento) {
    registro_righe spostato;
    {
        registro_righe righe;
        sorgenti_in_memoria sorgenti("[generale]\nab,1", "x");
        compila("R", "1", 1, sorgenti, &righe);
        spostato = std::move(righe);
    }
    const traccia_campi& traccia = spostato.traccia(file_sorgente::linea);
    ASSERT_EQ(traccia.size(), 3u);
    EXPECT_EQ(traccia[1].testo, "ab");
    EXPECT_EQ(traccia[1].ruolo, ruolo_campo::chiave);
    EXPECT_EQ(traccia[2].testo, "1");
    EXPECT_EQ(traccia[2].riga, 2);
}

// What runs beside the diagnostics (compile's writing of the files) sees the
// finished compile, and its failure is not lost on the other thread.
TEST(CompilaPerAutore, IlCompitoAccantoVedeIlModelloEIlSuoGuastoPassa) {
    const testi_sorgente testi{codifica_testo(righe_linea()), treno_con_rallentamento()};
    const nomi_sorgenti nomi{"L.txt", "T.txt"};
    std::vector<cella> viste;
    const compilazione_autore c = compila_per_autore(testi, "R", "1", 1, nomi,
                                                     [&](const risultato_percorso& r) { viste = r.modello.celle; });
    EXPECT_FALSE(viste.empty());
    EXPECT_TRUE(viste == c.risultato.modello.celle);

    const auto guasto = [](const risultato_percorso&) { throw std::runtime_error("disk full"); };
    EXPECT_THROW(compila_per_autore(testi, "R", "1", 1, nomi, guasto), std::runtime_error);
}

}  // namespace
