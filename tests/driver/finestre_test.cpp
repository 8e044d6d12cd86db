// The wait window and the box, looked at through the window system of an
// Xvfb of the tests' own; where the build has no X11 or the machine lacks
// Xvfb and the X tools, those tests skip.

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "driver/finestra.h"
#include "tools/supporto.h"

namespace {

using namespace supporto;

TEST(MisureFinestra, TwipEPuntiInPixelAlPiuVicino) {
    struct caso {
        int twip, dpi, pixel;
    };
    const caso casi[] = {
        {larghezza_attesa_twip, 96, 280},
        {altezza_attesa_twip, 96, 179},
        {etichetta_attesa_twip.sinistra, 96, 64},
        {etichetta_attesa_twip.larghezza, 96, 177},
        {etichetta_attesa_twip.altezza, 96, 53},
        {altezza_attesa_twip, 120, 224},
        {altezza_attesa_twip, 144, 269},
        {15, 96, 1},
        {7, 96, 0},
        {8, 96, 1},
    };
    for (const caso& c : casi) EXPECT_EQ(pixel_da_twip(c.twip, c.dpi), c.pixel) << c.twip << " twips at " << c.dpi;
    EXPECT_EQ(pixel_da_punti(punti_etichetta, 96), 32);
    EXPECT_EQ(pixel_da_punti(punti_etichetta, 120), 40);
    EXPECT_EQ(pixel_da_punti(9, 96), 12);
}

// The tool prints the box's text and shows no box: with no display, a stamp
// conflict ends the run at once (the bound is against a hang, not a time).
TEST(ConflittoSenzaSchermo, LoStrumentoFinisceConStato3ELaRigaDelRiquadro) {
    const struct {
        const char* segnale;
        const char* riga;
    } casi[] = {{"segnale,       0,   1, 4, 1,  0, 0,    0,  0,0,0, 0", " Errore n. 1250"},
                {"segnale,       0,   1, 0, 1,  0, 0,    0,  0,0,0, 0", " Errore n. 1251"}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.riga);
        cartella_temporanea dir;
        ASSERT_EQ(strumento(dir.percorso(), {"sources"}).stato, 0);
        inserisci_riga(dir / "Valdesca_Morlano_52816-.txt", "segnale,    4950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
                       c.segnale);
        const esito e = esegui_in(dir.percorso(), "env",
                                  {"-u", "DISPLAY", "timeout", "-k", "5", "120", SCENARIO_TOOL_EXE, "compile", "--line",
                                   "Valdesca_Morlano_linea.txt", "--train-source", "Valdesca_Morlano_52816-.txt",
                                   "--route", "R", "--train", "1"});
        EXPECT_EQ(e.stato, 3) << e.err;
        ASSERT_FALSE(e.righe_err().empty());
        EXPECT_EQ(e.righe_err().back(), c.riga);
        EXPECT_FALSE(fs::exists(dir / "R_1.dat"));
    }
}

// One Xvfb per test process, on a display number it picks itself.
class FinestreX11 : public testing::Test {
protected:
    static void SetUpTestSuite() {
#ifndef SCENARIO_CON_X11
        motivo() = "built without X11";
        return;
#endif
        if (shell("command -v Xvfb && command -v xdotool && command -v xwininfo && command -v import && "
                  "command -v convert")
                .stato != 0) {
            motivo() = "Xvfb, xdotool, xwininfo or ImageMagick is missing";
            return;
        }
        cartella() = std::make_unique<cartella_temporanea>();
        const fs::path& c = cartella()->percorso();
        // -noreset: a server that resets whenever its last client goes
        // would drop a program that connects just then.
        shell("Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>numero 2>xvfb.err </dev/null & echo $! >pid");
        // A generous bound against a server that never comes up.
        for (int i = 0; i < 600 && !leggi(c / "numero").ends_with("\n"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string numero = leggi(c / "numero");
        // Present but not starting is a failure, not a reason to skip.
        if (numero.empty())
            guasto() = "Xvfb did not start: " + leggi(c / "xvfb.err");
        else
            schermo() = ":" + numero.substr(0, numero.size() - 1);
    }

    static void TearDownTestSuite() {
        // Gone before the next test's server looks for a free display.
        if (cartella() && !leggi(*cartella() / "pid").empty())
            shell("kill \"$(cat pid)\"; i=0; while kill -0 \"$(cat pid)\" 2>/dev/null && [ $i -lt 600 ]; do\n"
                  "  i=$((i+1)); sleep 0.05; done");
        cartella().reset();
    }

    void SetUp() override {
        if (!motivo().empty()) GTEST_SKIP() << motivo();
        ASSERT_FALSE(schermo().empty()) << guasto();
    }

    // A shell script in the suite's folder, with the display of its Xvfb.
    static esito shell(const std::string& script) {
        const fs::path dove = cartella() ? cartella()->percorso() : fs::temp_directory_path();
        const std::string ambiente = schermo().empty() ? "" : "export DISPLAY=" + schermo() + "\n";
        return esegui_in(dove, "sh", {"-c", ambiente + script});
    }

    static fs::path qui(const std::string& nome) { return *cartella() / nome; }

    // Waits for a top-level window with this exact title, shown by the
    // program whose pid is in $prova, and leaves its id in $id. Gives up
    // when the program ends, or after some minutes, saying what is there.
    static std::string trova(const std::string& titolo) {
        return "i=0\n"
               "until id=$(xdotool search --onlyvisible --name '^" +
               titolo +
               "$' 2>/dev/null | head -n1) && [ -n \"$id\" ]; do\n"
               "  i=$((i+1))\n"
               "  if ! kill -0 $prova 2>/dev/null || [ $i -ge 3000 ]; then\n"
               "    echo \"no window " +
               titolo +
               " after $i looks; the windows are:\" >&2; xwininfo -root -children >&2\n"
               "    kill $prova 2>/dev/null; exit 1\n"
               "  fi\n"
               "  sleep 0.05\n"
               "done\n";
    }

    // The image's width x height, or the number of colours in a part of it.
    static std::string immagine(const fs::path& png, const std::string& ritaglio, const std::string& formato) {
        const esito e =
            shell("convert " + tra_apici(png.string()) + " " + ritaglio + " -format '" + formato + "' info:");
        return e.stato == 0 ? e.out : "convert failed: " + e.err;
    }

    static void conserva(const fs::path& png, const std::string& nome) {
        fs::create_directories(SCENARIO_SCHERMATE);
        fs::copy_file(png, fs::path(SCENARIO_SCHERMATE) / nome, fs::copy_options::overwrite_existing);
    }

    static std::string& motivo() {
        static std::string m;
        return m;
    }
    static std::string& guasto() {
        static std::string g;
        return g;
    }
    static std::string& schermo() {
        static std::string s;
        return s;
    }
    static std::unique_ptr<cartella_temporanea>& cartella() {
        static std::unique_ptr<cartella_temporanea> c;
        return c;
    }
};

TEST_F(FinestreX11, LAttesaHaLaSuaMisuraELEtichettaDipinta) {
    const esito e = shell(
        "rm -f tenuta; mkfifo tenuta\n"
        "timeout -k 5 120 " +
        tra_apici(PROVA_FINESTRE_EXE) +
        " attesa <tenuta >pronta 2>attesa.err & prova=$!\n"
        "exec 3>tenuta\n"
        "i=0; until grep -q shown pronta; do i=$((i+1)); [ $i -lt 3000 ] || exit 1; sleep 0.05; done\n" +
        trova(titolo_attesa()) +
        "xwininfo -id \"$id\" >finestra.txt && xwininfo -id \"$id\" -children >figlie.txt &&\n"
        "import -window \"$id\" attesa.png\n"
        "esito=$?\nexec 3>&-\nwait $prova || exit 1\nexit $esito\n");
    ASSERT_EQ(e.stato, 0) << e.err << leggi(qui("attesa.err"));
    EXPECT_EQ(leggi(qui("attesa.err")), "Attendere\n");

    // The client area, from the window system: no window manager adds a frame.
    const std::string finestra = leggi(qui("finestra.txt"));
    EXPECT_NE(finestra.find("Width: 280\n"), std::string::npos) << finestra;
    EXPECT_NE(finestra.find("Height: 179\n"), std::string::npos) << finestra;
    // One child, the label, named by its caption, at its place.
    const std::string figlie = leggi(qui("figlie.txt"));
    EXPECT_NE(figlie.find("1 child:"), std::string::npos) << figlie;
    EXPECT_TRUE(std::regex_search(figlie, std::regex(R"("Attendere": \(\)\s+177x53\+64\+64)"))) << figlie;

    const fs::path png = qui("attesa.png");
    conserva(png, "attesa_x11.png");
    EXPECT_EQ(immagine(png, "", "%wx%h"), "280x179");
    // Painted: the label's area holds more than its background, and the
    // window around it is one colour.
    EXPECT_GT(std::stoi(immagine(png, "-crop 177x53+64+64 +repage", "%k")), 1);
    EXPECT_EQ(immagine(png, "-crop 280x64+0+0 +repage", "%k"), "1");
}

// How the box is closed: a click on OK, Return or Escape.
struct caso_chiusura {
    const char* nome;
    const char* comando;  // with $ok the OK button's window
};

class RiquadroX11 : public FinestreX11, public testing::WithParamInterface<caso_chiusura> {};

TEST_P(RiquadroX11, MostraIlTestoEsattoEFinisceAllOK) {
    const std::string png = std::string("riquadro_") + GetParam().nome + ".png";
    const esito e = shell("timeout -k 5 120 " + tra_apici(PROVA_FINESTRE_EXE) +
                          " errore 1250 >/dev/null 2>riquadro.err & prova=$!\n" + trova(titolo_programma) +
                          "xwininfo -id \"$id\" -children >figlie.txt\n"
                          "import -window \"$id\" " +
                          png +
                          "\n"
                          "ok=$(xdotool search --name '^OK$' | head -n1)\n"
                          "xdotool mousemove --window \"$id\" 2 2\n" +
                          GetParam().comando +
                          "\nwait $prova; echo $? >stato\n"
                          "xdotool search --name '^" +
                          titolo_programma + "$' >rimaste || true\n");
    ASSERT_EQ(e.stato, 0) << e.err << leggi(qui("riquadro.err"));
    EXPECT_EQ(leggi(qui("stato")), "0\n") << "the program did not end after the box was closed";
    EXPECT_EQ(leggi(qui("rimaste")), "") << "the box is still there";
    EXPECT_EQ(leggi(qui("riquadro.err")), " Errore n. 1250\n");

    // Two children: the text, exactly, and the button.
    const std::string figlie = leggi(qui("figlie.txt"));
    EXPECT_NE(figlie.find("2 children:"), std::string::npos) << figlie;
    EXPECT_NE(figlie.find("\" Errore n. 1250\": ()"), std::string::npos) << figlie;
    EXPECT_NE(figlie.find("\"OK\": ()  75x23+"), std::string::npos) << figlie;
    EXPECT_GT(std::stoi(immagine(qui(png), "", "%k")), 1);
    conserva(qui(png), "riquadro_x11.png");
}

INSTANTIATE_TEST_SUITE_P(Chiusure, RiquadroX11,
                         testing::Values(caso_chiusura{"clic", "xdotool mousemove --window \"$ok\" 10 10 click 1"},
                                         caso_chiusura{"invio", "xdotool key Return"},
                                         caso_chiusura{"esc", "xdotool key Escape"}),
                         [](const auto& info) { return std::string(info.param.nome); });

// The real builder with a display, and with one it cannot open: the same
// run, the same line, the same package.
TEST_F(FinestreX11, IlBuilderConESenzaSchermoFaLoStesso) {
    for (const std::string& schermo_figlio : {std::string("$DISPLAY"), std::string("")}) {
        SCOPED_TRACE("DISPLAY=" + schermo_figlio);
        cartella_temporanea c;
        fs::copy_file(SCENARIO_BUILDER_EXE, c / "scenario_builder");
        const esito e = shell("cd " + tra_apici(c.stringa()) + " && DISPLAY=\"" + schermo_figlio +
                              "\" timeout -k 5 120 ./scenario_builder");
        EXPECT_EQ(e.stato, 0);
        EXPECT_EQ(e.err, "Attendere\n");
        fs::remove(c / "scenario_builder");
        EXPECT_EQ(contenuto_cartella(c.percorso()).size(), 6u);
    }
}

}  // namespace
