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

// A defined code, and when there are cells, files of exactly the model's shape.
void verifica_esito(const risultato_percorso& c) {
    const scenario& s = c.modello;
    const std::int32_t codice = c.registro.codice_errore;
    EXPECT_TRUE(codice == 0 || descrizione_codice(codice) != descrizione_codice(0)) << "code " << codice;
    if (c.esito == esito_percorso::senza_celle) {
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

TEST(SorgentiOstili, UnaSolaRigaDiMegabyteSenzaFineRiga) {
    const std::string lunga(4 << 20, 'x');
    const std::string cifre(4 << 20, '7');
    struct caso {
        const char* nome;
        std::string linea, treno;
        std::int32_t codice;
    };
    const caso casi[] = {
        {"linea, un campo", lunga, treno_minimo, 102},
        {"linea, chiave senza fine", generale + lunga, treno_minimo, 0},
        {"linea, numero senza fine", generale + "pendenza, 100, " + cifre, treno_minimo, 25},
        {"treno, chiave senza fine", generale, treno_minimo + lunga, 0},
        {"treno, numero senza fine", generale, treno_minimo + "velocita, " + cifre, 25},
        {"nome di stazione", generale, treno_minimo + "stazione, 500, 8, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, " + lunga, 25},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        auto r = compila_testi(c.linea, c.treno);
        verifica_esito(r);
        EXPECT_EQ(r.registro.codice_errore, c.codice);
    }
}

TEST(SorgentiOstili, UnMilioneDiVirgole) {
    const std::string virgole(1000000, ',');
    for (const auto& [linea, treno] : {std::pair{"[generale]\r\n" + virgole, treno_minimo},
                                        std::pair{generale + virgole + "\r\n[fine]\r\n", treno_minimo},
                                        std::pair{generale + "pendenza" + virgole, treno_minimo},
                                        std::pair{generale, treno_minimo + "segnale" + virgole},
                                        std::pair{generale, treno_minimo + "stazione" + virgole}}) {
        auto r = compila_testi(linea, treno);
        verifica_esito(r);
    }
}

// Every byte value before every field, in place of every blank, and as the
// whole of a body.
TEST(SorgentiOstili, OgniByteDa0A255Ovunque) {
    const std::string linea = generale +
                              "pendenza, 1000, 2\r\ncurvas5, 1200, 100\r\nmontagna, 1500, 1700, 11\r\n"
                              "indicatori_vmax, 2000, 90, 100, 110, 1, , , , 0\r\ncartello_indicatore, 2500, (A)\r\n"
                              "[fine]\r\n";
    const std::string treno = treno_minimo +
                              "segnale, 3000, 1, 4, 1, 0, 0, 0, 0,0,0, 0\r\nrallentamento, 3500, 3800, 30, 0, 0, 0\r\n"
                              "stazione, 500, 8, 300, 0,0,0, 0,0,0, 0,0,0, 0, 9,0,0, NOME\r\n[fine]\r\n";
    auto ovunque = [](const std::string& testo, char b) {
        std::string fuori;
        for (std::size_t i = 0; i < testo.size(); ++i) {
            const bool inizio_campo = i == 0 || testo[i - 1] == ',' || testo[i - 1] == '\n';
            if (inizio_campo) fuori += b;
            fuori += testo[i] == ' ' ? b : testo[i];
        }
        return fuori;
    };
    std::string tutti;
    for (int b = 0; b < 256; ++b) tutti += static_cast<char>(b);

    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE("byte " + std::to_string(b));
        const char c = static_cast<char>(b);
        verifica_esito(compila_testi(ovunque(linea, c), treno));
        verifica_esito(compila_testi(linea, ovunque(treno, c)));
    }
    for (int rotazione = 0; rotazione < 256; rotazione += 17) {
        std::string ruotati = tutti.substr(static_cast<std::size_t>(rotazione)) + tutti.substr(0, static_cast<std::size_t>(rotazione));
        verifica_esito(compila_testi(generale + ruotati + ruotati, treno));
        verifica_esito(compila_testi(linea, "[generale]\r\n" + ruotati + ruotati));
        verifica_esito(compila_testi("[generale]\r\nlunghezza percorso, " + ruotati, treno));
    }
}

// Each number field of each row kind set to the edges of 32 bits and just past them.
TEST(SorgentiOstili, CampiAiLimitiDei32Bit) {
    struct riga {
        bool di_linea;
        std::string testo;  // numbers as @, one at a time replaced
    };
    const std::vector<riga> righe = {
        {true, "lunghezza percorso, @\r\n"},
        {true, "progressiva chilometrica uno, @, @, @\r\n"},
        {true, "progressiva chilometrica due, @, @, @\r\n"},
        {true, "sfondo tre, @\r\n"},
        {true, "ripetizione segnali 4 codici, @, @\r\n"},
        {true, "pendenza, @, @\r\n"},
        {true, "curvas3, @, @\r\n"},
        {true, "montagna, @, @, @\r\n"},
        {true, "indicatori_vmax, @, @, @, @, @, @, @, @, @\r\n"},
        {true, "cartello_indicatore, @, TESTO\r\n"},
        {false, "percentuale massa frenata, @\r\n"},
        {false, "numero vetture, @\r\n"},
        {false, "velocita, @, @\r\n"},
        {false, "aderenza, @, @\r\n"},
        {false, "orologio, @, @, @\r\n"},
        {false, "sabbia, @\r\n"},
        {false, "segnale, @, @, @, @, @, @, @, @, @, @, @\r\n"},
        {false, "rallentamento, @, @, @, @, @, @\r\n"},
        {false, "abbattimento, @, @\r\n"},
        {false, "stazione, @, @, @, @, @, @, @, @, @, @, @, @, @, @, @, @, NOME\r\n"},
    };
    // Plain values that let the row reach its handler, for the fields not under test.
    const std::string normali[] = {"1000", "8", "300", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    const char* limiti[] = {"2147483647", "-2147483648", "2147483648", "-2147483649"};

    for (const riga& r : righe) {
        const auto campi = static_cast<std::size_t>(std::count(r.testo.begin(), r.testo.end(), '@'));
        for (std::size_t campo = 0; campo < campi; ++campo) {
            for (const char* limite : limiti) {
                std::string testo;
                std::size_t n = 0;
                for (char ch : r.testo) {
                    if (ch != '@') {
                        testo += ch;
                        continue;
                    }
                    testo += n == campo ? std::string(limite) : normali[n];
                    ++n;
                }
                SCOPED_TRACE(testo);
                const bool generale_di_linea = r.testo.starts_with("lunghezza") || r.testo.starts_with("progressiva") ||
                                               r.testo.starts_with("sfondo") || r.testo.starts_with("ripetizione");
                std::string linea = generale;
                if (generale_di_linea)
                    linea = "[generale]\r\nlunghezza percorso, 5000\r\n" + testo + "[corpo]\r\n";
                else if (r.di_linea)
                    linea = generale + testo + "[fine]\r\n";
                auto c = compila_testi(linea, r.di_linea ? treno_minimo : treno_minimo + testo + "[fine]\r\n");
                verifica_esito(c);
                // Past 32 bits a number cannot be read at all.
                const std::string l = limite;
                if (l == "2147483648" || l == "-2147483649") {
                    EXPECT_EQ(c.registro.codice_errore, problema_guasto);
                }
            }
        }
    }
}

TEST(SorgentiOstili, TestoDi70000ByteNonEntraNelFileDelleVoci) {
    const std::string testo(70000, 'A');
    auto stazione = compila_testi(generale,
                                  treno_minimo + "stazione, 500, 8, 300, 0,0,0, 0,0,0, 0,0,0, 0, 9,0,0, " + testo + "\r\n[fine]\r\n");
    verifica_esito(stazione);
    EXPECT_EQ(stazione.registro.codice_errore, problema_guasto);

    auto indicazione = compila_testi(generale + "cartello_indicatore, 1000, " + testo + "\r\n[fine]\r\n", treno_minimo);
    verifica_esito(indicazione);
    EXPECT_EQ(indicazione.registro.codice_errore, problema_guasto);

    // 65535 bytes is the most the record file can count, and still fits.
    auto al_limite = compila_testi(generale + "cartello_indicatore, 1000, " + std::string(65535, 'A') + "\r\n[fine]\r\n",
                                   treno_minimo);
    verifica_esito(al_limite);
    EXPECT_EQ(al_limite.registro.codice_errore, 0);
}

TEST(SorgentiOstili, PercorsoDiUnMilioneDiMetriConRigheInOgniCella) {
    std::string linea = "[generale]\r\nlunghezza percorso, 1000000\r\n[corpo]\r\n";
    std::string treno = "[generale]\r\n";
    for (std::int32_t p = 0; p <= 1000000; p += 50) {
        const std::string pos = std::to_string(p);
        linea += "pendenza, " + pos + ", " + std::to_string(p % 7 - 3) + "\r\n";
        if (p % 1000 == 0 && p < 1000000) linea += "curvad" + std::to_string(1 + p / 1000 % 6) + ", " + pos + ", 20\r\n";
        linea += "indicatori_vmax, " + pos + ", 90, 100, 110, 1, , , , 0\r\n";
        treno += "velocita, " + pos + ", " + std::to_string(60 + p % 100) + "\r\n";
        treno += "aderenza, " + pos + ", 90\r\n";
        treno += "segnale, " + pos + ", 1, 4, 1, 0, 0, 0, 0,0,0, 0\r\n";
    }
    linea += "[fine]\r\n";
    treno += "[fine]\r\n";
    auto c = compila_testi(linea, treno);
    verifica_esito(c);
    EXPECT_EQ(c.modello.numero_celle, 20140);
    // The boards take every cell, so the first signal finds its cell taken.
    EXPECT_EQ(c.registro.codice_errore, problema_segnale_occupato);
}

TEST(SorgentiOstili, VirgoletteMaiChiuse) {
    for (const auto& [linea, treno] : {
             std::pair{std::string("[generale]\r\nlunghezza percorso, \"5000\r\n"), treno_minimo},
             std::pair{generale + "cartello_indicatore, 1000, \"(RACCORDO\r\n[fine]\r\n", treno_minimo},
             std::pair{generale, treno_minimo + "stazione, 500, 8, 300, 0,0,0, 0,0,0, 0,0,0, 0, 9,0,0, \"NOME\r\n[fine]\r\n"},
             std::pair{generale, treno_minimo + "\"segnale, 500\r\n[fine]\r\n"},
         }) {
        auto c = compila_testi(linea, treno);
        verifica_esito(c);
        EXPECT_EQ(c.registro.codice_errore, problema_guasto);
    }
}

}  // namespace
