// Sources that no one should write but anyone can: each must end in one of
// the compile's defined outcomes, with a model whose shape the scenario
// files can carry.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "output/file_binari.h"
#include "support/compila_in_memoria.h"

namespace {

constexpr std::array<std::int32_t, 27> codici_definiti = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  11,  12, 13,
                                                          15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103};

// A defined code, and when there are cells, files of exactly the model's shape.
void verifica_esito(const compilazione_prova& c) {
    const scenario& s = c.s;
    EXPECT_NE(std::find(codici_definiti.begin(), codici_definiti.end(), s.codice_errore), codici_definiti.end())
        << "code " << s.codice_errore;
    if (c.risultato.esito == esito_percorso::senza_celle) {
        EXPECT_FALSE(s.celle_create());
        return;
    }
    ASSERT_EQ(s.celle.size(), static_cast<std::size_t>(s.numero_celle) + 1);
    EXPECT_EQ(s.lunghezza_estesa, std::int64_t{s.voci[voce_treno_dati].fine_tratto} + 7000);
    EXPECT_EQ(codifica_celle(s.celle).size(), byte_cella * s.celle.size());
    std::size_t testi = 0;
    for (const voce& v : s.voci) {
        EXPECT_LE(v.testo.size(), 65535u);
        testi += v.testo.size();
    }
    EXPECT_EQ(codifica_voci(s.voci).size(), byte_voce_senza_testo * numero_voci + testi);
    EXPECT_EQ(s.planimetria.elementi.size(), 2 * (static_cast<std::size_t>(s.lunghezza_estesa) + 1));
}

const std::string generale = "[generale]\r\nlunghezza percorso, 5000\r\n[corpo]\r\n";
const std::string treno_minimo = "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 90\r\n";

TEST(SorgentiOstili, TestoDi70000ByteNonEntraNelFileDelleVoci) {
    const std::string testo(70000, 'A');
    auto stazione = compila_testi(generale,
                                  treno_minimo + "stazione, 500, 8, 300, 0,0,0, 0,0,0, 0,0,0, 0, 9,0,0, " + testo + "\r\n[fine]\r\n");
    verifica_esito(stazione);
    EXPECT_EQ(stazione.s.codice_errore, 25);

    auto indicazione = compila_testi(generale + "cartello_indicatore, 1000, " + testo + "\r\n[fine]\r\n", treno_minimo);
    verifica_esito(indicazione);
    EXPECT_EQ(indicazione.s.codice_errore, 25);

    // 65535 bytes is the most the record file can count, and still fits.
    auto al_limite = compila_testi(generale + "cartello_indicatore, 1000, " + std::string(65535, 'A') + "\r\n[fine]\r\n",
                                   treno_minimo);
    verifica_esito(al_limite);
    EXPECT_EQ(al_limite.s.codice_errore, 0);
}

}  // namespace
