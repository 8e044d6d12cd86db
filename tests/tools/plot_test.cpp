// plot: an SVG document that a browser can open, with what the route holds.

#include <gtest/gtest.h>

#include "tools/supporto.h"

#ifdef SCENARIO_TOOL_EXE

namespace {

using namespace supporto;

// Tags nest and close, attribute values are quoted, '&' starts an entity:
// what a browser needs to show the file at all.
std::string errore_xml(const std::string& s) {
    std::vector<std::string> aperti;
    int radici = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '&') {
            const std::size_t fine = s.find(';', i);
            const std::string entita = fine == std::string::npos ? "" : s.substr(i, fine - i + 1);
            if (entita != "&amp;" && entita != "&lt;" && entita != "&gt;" && entita != "&quot;" && entita != "&apos;")
                return "bare & at " + std::to_string(i);
            i = fine + 1;
            continue;
        }
        if (s[i] == '>') return "bare > at " + std::to_string(i);
        if (s[i] != '<') {
            ++i;
            continue;
        }
        std::size_t fine = i + 1;
        bool tra_virgolette = false;
        while (fine < s.size() && (tra_virgolette || s[fine] != '>')) {
            if (s[fine] == '"') tra_virgolette = !tra_virgolette;
            if (s[fine] == '<') return "< inside a tag at " + std::to_string(fine);
            ++fine;
        }
        if (fine >= s.size()) return "unclosed tag at " + std::to_string(i);
        const std::string tag = s.substr(i + 1, fine - i - 1);
        i = fine + 1;
        if (tag.front() == '?') continue;
        if (tag.front() == '/') {
            if (aperti.empty() || aperti.back() != tag.substr(1)) return "</" + tag.substr(1) + "> closes nothing open";
            aperti.pop_back();
            continue;
        }
        if (aperti.empty()) ++radici;
        if (tag.back() != '/') aperti.push_back(tag.substr(0, tag.find_first_of(" \n")));
    }
    if (!aperti.empty()) return "<" + aperti.back() + "> never closed";
    if (radici != 1) return std::to_string(radici) + " root elements";
    return "";
}

const char* const stazioni[] = {"VALDESCA-CORNIOLA", "SPINO", "CASTELVERE", "POGGIOLUNA",
                                "FONTARA", "MONTE SAVINO", "ROVELLA-CASTIGO"};

void verifica_svg(const std::string& svg) {
    ASSERT_FALSE(svg.empty());
    EXPECT_TRUE(svg.rfind("<?xml", 0) == 0 || svg.rfind("<svg", 0) == 0) << svg.substr(0, 80);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_EQ(errore_xml(svg), "");
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
    EXPECT_EQ(errore_xml(svg), "");
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

#endif
