// plot: an SVG document that a browser can open, with what the route holds.

#include <gtest/gtest.h>

#include <iterator>
#include <pugixml.hpp>
#include <set>

#include "tools/supporto.h"

namespace {

using namespace supporto;

const char* const stazioni[] = {"VALDESCA-CORNIOLA", "SPINO", "CASTELVERE", "POGGIOLUNA",
                                "FONTARA", "MONTE SAVINO", "ROVELLA-CASTIGO"};

void verifica_svg(const std::string& svg) {
    ASSERT_FALSE(svg.empty());
    EXPECT_TRUE(svg.rfind("<?xml", 0) == 0 || svg.rfind("<svg", 0) == 0) << svg.substr(0, 80);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    // Well-formed XML with one root: what a browser needs to show the file at all.
    pugi::xml_document documento;
    const pugi::xml_parse_result letto = documento.load_buffer(svg.data(), svg.size());
    EXPECT_TRUE(letto) << letto.description() << " at offset " << letto.offset;
    const auto radici = documento.children();
    EXPECT_EQ(std::distance(radici.begin(), radici.end()), 1);
    EXPECT_STREQ(documento.document_element().name(), "svg");
    for (const char* nome : stazioni) EXPECT_NE(svg.find(nome), std::string::npos) << nome;
}

class PlotStrumento : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(strumento(dir.percorso(), {"sources"}).stato, 0); }

    esito compila(std::vector<std::string> altro = {}) {
        std::vector<std::string> a = {"compile",  "--line",  "Valdesca_Morlano_linea.txt", "--train-source",
                                      "Valdesca_Morlano_52816-.txt", "--route", "R", "--train", "1"};
        a.insert(a.end(), altro.begin(), altro.end());
        return strumento(dir.percorso(), a);
    }

    cartella_temporanea dir;
};

TEST_F(PlotStrumento, PiantaEProfilo) {
    ASSERT_EQ(compila().stato, 0);
    const esito e = strumento(dir.percorso(), {"plot", "--route", "R", "--train", "1"});
    ASSERT_EQ(e.stato, 0) << e.err;
    const std::string svg = leggi(dir / "R_1.svg");
    verifica_svg(svg);
    EXPECT_NE(svg.find("MORLANO"), std::string::npos);
    EXPECT_NE(svg.find("Track plan"), std::string::npos);
}

TEST_F(PlotStrumento, SoloProfiloSenzaPiantaENomiDaProteggere) {
    sostituisci(dir / "Valdesca_Morlano_52816-.txt", "MORLANO", "MORLANO & <FIUME>");
    ASSERT_EQ(compila({"--no-plan", "--out", "."}).stato, 0);
    ASSERT_FALSE(fs::exists(dir / "R_linea.dat"));
    const esito e = strumento(dir.percorso(), {"plot", "--route", "R", "--train", "1", "--out", "figura.svg"});
    ASSERT_EQ(e.stato, 0) << e.err;
    const std::string svg = leggi(dir / "figura.svg");
    verifica_svg(svg);
    EXPECT_NE(svg.find("MORLANO &amp; &lt;FIUME&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("Track plan"), std::string::npos);
}

// A name wider than the whole picture is cut to it, in the plan and in the
// stations' lane (and the build with the library's assertions must not
// abort on placing it).
TEST_F(PlotStrumento, NomeDiStazionePiuLargoDellaFigura) {
    const std::string nome(300, 'N');
    sostituisci(dir / "Valdesca_Morlano_52816-.txt", " SPINO", " " + nome);
    ASSERT_EQ(compila().stato, 0);
    const esito e = strumento(dir.percorso(), {"plot", "--route", "R", "--train", "1"});
    ASSERT_EQ(e.stato, 0) << e.err;
    const std::string svg = leggi(dir / "R_1.svg");
    pugi::xml_document documento;
    EXPECT_TRUE(documento.load_buffer(svg.data(), svg.size()));
    std::size_t etichette = 0;
    for (std::size_t testo = svg.find(">NNNNNNNNNN"); testo != std::string::npos; testo = svg.find(">NNNNNNNNNN", testo)) {
        ++testo;
        ++etichette;
        const std::string tag = svg.substr(svg.rfind("<text ", testo), testo - svg.rfind("<text ", testo));
        SCOPED_TRACE(tag);
        const std::string etichetta = svg.substr(testo, svg.find('<', testo) - testo);
        EXPECT_GT(etichetta.size(), 100u);
        EXPECT_EQ(etichetta, nome.substr(0, etichetta.size() - 3) + "\u2026");
        EXPECT_LE(std::stod(tag.substr(9)), 184) << "begins at its panel's left edge";
    }
    EXPECT_EQ(etichette, 2u);  // in the plan and in the stations' lane
}

// A station in the spare cells stands at the route's end and says where it
// is; the plan, drawn to the end, leaves it out.
TEST_F(PlotStrumento, StazioneOltreLaFineSegnalata) {
    inserisci_riga(dir / "Valdesca_Morlano_52816-.txt", "[codici]",
                   "stazione,   48000, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, OLTRE");
    ASSERT_EQ(compila().stato, 0);
    ASSERT_EQ(strumento(dir.percorso(), {"plot", "--route", "R", "--train", "1"}).stato, 0);
    const std::string svg = leggi(dir / "R_1.svg");
    verifica_svg(svg);
    EXPECT_NE(svg.find(">\u2691 OLTRE (past the end, at 48.00 km)</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">OLTRE<"), std::string::npos);
}

// Forty stations 700 m apart on a straight line: on the plan no two names
// overlap (as wide as the picture reckons its letters), and every name is in the
// stations' lane.
TEST_F(PlotStrumento, NomiDiStazioniFitteSenzaSovrapporsi) {
    scrivi(dir / "L.txt", "[generale]\r\nlunghezza percorso, 30000\r\n[fine]\r\n");
    std::string treno = "[generale]\r\n";
    for (int i = 0; i < 40; ++i)
        treno += "stazione, " + std::to_string(700 * i + 500) + ", 12, 200, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, STAZIONE " +
                 std::to_string(i) + "\r\n";
    scrivi(dir / "T.txt", treno + "[fine]\r\n");
    ASSERT_EQ(strumento(dir.percorso(),
                        {"compile", "--line", "L.txt", "--train-source", "T.txt", "--route", "R", "--train", "1"})
                  .stato,
              0);
    ASSERT_EQ(strumento(dir.percorso(), {"plot", "--route", "R", "--train", "1"}).stato, 0);
    pugi::xml_document documento;
    ASSERT_TRUE(documento.load_file((dir / "R_1.svg").c_str()));
    struct riquadro {
        double x1, x2, y1, y2;
    };
    std::vector<riquadro> in_pianta;
    std::set<std::string> nella_corsia;
    for (const pugi::xpath_node n : documento.select_nodes("//*[local-name()='text']")) {
        const pugi::xml_node t = n.node();
        const std::string classe = t.attribute("class").value();
        if (classe == "nome") nella_corsia.insert(t.child_value());
        if (classe != "nome alone") continue;
        const double x = t.attribute("x").as_double(), y = t.attribute("y").as_double();
        in_pianta.push_back(
            {x, x + 11.0 * static_cast<double>(std::string(t.child_value()).size()) * 0.62, y - 10, y + 2});
    }
    EXPECT_GT(in_pianta.size(), 10u);
    for (std::size_t i = 0; i < in_pianta.size(); ++i)
        for (std::size_t k = i + 1; k < in_pianta.size(); ++k) {
            const riquadro &a = in_pianta[i], &b = in_pianta[k];
            EXPECT_FALSE(a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2) << i << " and " << k;
        }
    EXPECT_EQ(nella_corsia.size(), 40u);
}

TEST_F(PlotStrumento, RifiutiSenzaScrivereNulla) {
    ASSERT_EQ(compila().stato, 0);
    const auto prima = nomi_in(dir.percorso());
    const std::vector<std::vector<std::string>> casi = {
        {"plot", "--route", "R", "--train", "2"},                       // no such scenario
        {"plot", "--route", "R", "--train", "1", "--out", "R_1.dat"},  // not a picture
        {"plot", "--route", "R", "--train", "linea"},
        {"plot", "--route", "R"},
    };
    for (const auto& a : casi) {
        SCOPED_TRACE(a.back());
        const esito e = strumento(dir.percorso(), a);
        EXPECT_EQ(e.stato, 1);
        EXPECT_EQ(e.err.rfind("error: ", 0), 0u) << e.err;
        EXPECT_EQ(nomi_in(dir.percorso()), prima);
    }
}

}  // namespace
