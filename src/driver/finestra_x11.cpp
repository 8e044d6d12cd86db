// The wait window and the box through X11. The library is loaded at run time
// and never linked: without it, or without a display, there is no window and
// the program runs as it does anywhere else.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>

#include "driver/finestra.h"

namespace {

// Xlib has no resolution worth trusting: the windows are laid out at 96 dpi.
constexpr int dpi_x11 = 96;

// The calls the windows make, looked up in the loaded library.
// clang-format off
#define FUNZIONI_XLIB(F) \
    F(XOpenDisplay) F(XCloseDisplay) F(XDefaultScreen) F(XRootWindow) F(XDisplayWidth) F(XDisplayHeight) \
    F(XBlackPixel) F(XWhitePixel) F(XDefaultColormap) F(XAllocColor) F(XCreateSimpleWindow) F(XDestroyWindow) \
    F(XStoreName) F(XSetWMNormalHints) F(XSelectInput) F(XMapWindow) F(XMapSubwindows) F(XLoadQueryFont) \
    F(XFreeFont) F(XCreateGC) F(XFreeGC) F(XSetForeground) F(XSetFont) F(XDrawString) F(XDrawRectangle) \
    F(XTextWidth) F(XPending) F(XNextEvent) F(XConnectionNumber) F(XSync) F(XInternAtom) F(XSetWMProtocols) \
    F(XLookupKeysym) F(XSetInputFocus) F(XSetErrorHandler) F(XSetIOErrorHandler) F(XSetIOErrorExitHandler)
// clang-format on

struct xlib {
#define CAMPO_XLIB(nome) decltype(&::nome) nome = nullptr;
    FUNZIONI_XLIB(CAMPO_XLIB)
#undef CAMPO_XLIB
};

// A failed request is no reason to end the build, as Xlib's own handlers
// would; a lost server only ends the window (see connessione).
int ignora_errore(Display*, XErrorEvent*) { return 0; }
int ignora_errore_io(Display*) { return 0; }

std::unique_ptr<xlib> carica_xlib() {
    void* libreria = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (libreria == nullptr) return nullptr;
    auto x = std::make_unique<xlib>();
    bool completa = true;
#define CARICA_XLIB(nome)                                                    \
    x->nome = reinterpret_cast<decltype(&::nome)>(::dlsym(libreria, #nome)); \
    completa = completa && x->nome != nullptr;
    FUNZIONI_XLIB(CARICA_XLIB)
#undef CARICA_XLIB
    // An Xlib too old to survive its server is not used.
    if (!completa) {
        ::dlclose(libreria);
        return nullptr;
    }
    x->XSetErrorHandler(ignora_errore);
    x->XSetIOErrorHandler(ignora_errore_io);
    return x;
}

// The library, loaded once and kept; nullptr where there is no display to
// open or no library to open it with.
const xlib* libreria_x() {
    if (std::getenv("DISPLAY") == nullptr) return nullptr;
    static const std::unique_ptr<xlib> x = carica_xlib();
    return x.get();
}

// A connection to the display. When the server goes away, Xlib calls the
// exit handler instead of ending the program, and every later call on the
// connection does nothing.
class connessione {
public:
    explicit connessione(const xlib& x) : x_(x), d_(x.XOpenDisplay(nullptr)) {
        if (d_ != nullptr) x.XSetIOErrorExitHandler(d_, perdita, &persa_);
    }
    ~connessione() {
        if (d_ != nullptr) x_.XCloseDisplay(d_);
    }
    connessione(const connessione&) = delete;
    connessione& operator=(const connessione&) = delete;

    Display* get() const { return d_; }
    bool persa() const { return persa_; }

    // The next event, waiting until `scadenza` at most (forever without
    // one); nothing when none came in time or the server is gone.
    std::optional<XEvent> prossimo_evento(std::optional<std::chrono::steady_clock::time_point> scadenza) {
        using namespace std::chrono;
        while (!persa_) {
            if (x_.XPending(d_) > 0) {
                XEvent e;
                x_.XNextEvent(d_, &e);
                return e;
            }
            if (persa_) break;
            int attesa = -1;
            if (scadenza) {
                const auto resta = duration_cast<milliseconds>(*scadenza - steady_clock::now()).count();
                if (resta <= 0) break;
                attesa = static_cast<int>(std::min<long long>(resta, 1000));
            }
            pollfd p{x_.XConnectionNumber(d_), POLLIN, 0};
            if (::poll(&p, 1, attesa) < 0 && errno != EINTR) break;
        }
        return std::nullopt;
    }

private:
    static void perdita(Display*, void* persa) { *static_cast<bool*>(persa) = true; }

    const xlib& x_;
    Display* d_;
    bool persa_ = false;
};

// A font of the core protocol: the first of the names the server has, else
// its "fixed", which every server has.
XFontStruct* carica_carattere(const xlib& x, Display* d, const std::string& stile, int pixel) {
    const std::string misura = "--" + std::to_string(pixel) + "-*-*-*-*-*-iso8859-1";
    for (const std::string& nome :
         {"-*-helvetica-" + stile + "-r-normal" + misura, "-*-*-" + stile + "-r-normal" + misura})
        if (XFontStruct* f = x.XLoadQueryFont(d, nome.c_str())) return f;
    return x.XLoadQueryFont(d, "fixed");
}

// What the windows of one connection share: the screen, the colours, one
// font and a GC to draw with.
class disegno {
public:
    disegno(const xlib& x, connessione& c, const std::string& stile, int pixel)
        : x(x), c(c), d(c.get()), schermo(x.XDefaultScreen(d)) {
        XColor grigio{};
        grigio.red = grigio.green = grigio.blue = 0xc0c0;
        sfondo =
            x.XAllocColor(d, x.XDefaultColormap(d, schermo), &grigio) != 0 ? grigio.pixel : x.XWhitePixel(d, schermo);
        inchiostro = x.XBlackPixel(d, schermo);
        carattere = carica_carattere(x, d, stile, pixel);
    }
    ~disegno() {
        if (gc != nullptr) x.XFreeGC(d, gc);
        if (carattere != nullptr) x.XFreeFont(d, carattere);
        if (principale != 0) x.XDestroyWindow(d, principale);
    }
    disegno(const disegno&) = delete;
    disegno& operator=(const disegno&) = delete;

    // The top-level window, centred, of a fixed client size, with the title;
    // closing it from the title bar only asks (the program decides).
    void apri(const std::string& titolo, int larghezza, int altezza, long eventi) {
        const Window radice = x.XRootWindow(d, schermo);
        const int sx = std::max(0, (x.XDisplayWidth(d, schermo) - larghezza) / 2);
        const int sy = std::max(0, (x.XDisplayHeight(d, schermo) - altezza) / 2);
        principale = x.XCreateSimpleWindow(d, radice, sx, sy, static_cast<unsigned>(larghezza),
                                           static_cast<unsigned>(altezza), 0, inchiostro, sfondo);
        XSizeHints misure{};
        misure.flags = PPosition | PSize | PMinSize | PMaxSize;
        misure.x = sx;
        misure.y = sy;
        misure.width = misure.min_width = misure.max_width = larghezza;
        misure.height = misure.min_height = misure.max_height = altezza;
        x.XSetWMNormalHints(d, principale, &misure);
        x.XStoreName(d, principale, titolo.c_str());
        chiusura = x.XInternAtom(d, "WM_DELETE_WINDOW", False);
        x.XSetWMProtocols(d, principale, &chiusura, 1);
        x.XSelectInput(d, principale, eventi);
        gc = x.XCreateGC(d, principale, 0, nullptr);
        x.XSetForeground(d, gc, inchiostro);
        if (carattere != nullptr) x.XSetFont(d, gc, carattere->fid);
    }

    // A child window named by what it shows, so that the window system can
    // tell what it says.
    Window figlia(int sinistra, int alto, int larghezza, int altezza, const std::string& nome, long eventi) {
        const Window w = x.XCreateSimpleWindow(d, principale, sinistra, alto, static_cast<unsigned>(larghezza),
                                               static_cast<unsigned>(altezza), 0, inchiostro, sfondo);
        x.XStoreName(d, w, nome.c_str());
        x.XSelectInput(d, w, eventi);
        return w;
    }

    void mostra() {
        x.XMapSubwindows(d, principale);
        x.XMapWindow(d, principale);
    }

    int larghezza_testo(const std::string& testo) const {
        return carattere != nullptr ? x.XTextWidth(carattere, testo.data(), static_cast<int>(testo.size())) : 0;
    }
    int ascesa() const { return carattere != nullptr ? carattere->ascent : 0; }
    int altezza_riga() const { return carattere != nullptr ? carattere->ascent + carattere->descent : 0; }

    void scrivi(Window w, int sinistra, int alto, const std::string& testo) {
        x.XDrawString(d, w, gc, sinistra, alto + ascesa(), testo.data(), static_cast<int>(testo.size()));
    }

    const xlib& x;
    connessione& c;
    Display* d;
    int schermo;
    unsigned long sfondo = 0;
    unsigned long inchiostro = 0;
    XFontStruct* carattere = nullptr;
    GC gc = nullptr;
    Window principale = 0;
    Atom chiusura = 0;
};

class attesa_x11 final : public finestra_attesa {
public:
    attesa_x11(const xlib& x, const std::string& titolo, const std::string& etichetta)
        : c_(x), disegno_(c_.get() != nullptr ? std::make_unique<disegno>(x, c_, "bold", punti_px()) : nullptr) {
        if (!disegno_) return;
        const auto px = [](int twip) { return pixel_da_twip(twip, dpi_x11); };
        disegno_->apri(titolo, px(larghezza_attesa_twip), px(altezza_attesa_twip), ExposureMask);
        const rettangolo_twip& e = etichetta_attesa_twip;
        const Window w =
            disegno_->figlia(px(e.sinistra), px(e.alto), px(e.larghezza), px(e.altezza), etichetta, ExposureMask);
        disegno_->mostra();
        dipingi(w, etichetta);
    }

    bool aperta() const { return disegno_ != nullptr && !c_.persa(); }

private:
    static int punti_px() { return pixel_da_punti(punti_etichetta, dpi_x11); }

    // The label is drawn once, when it is first on screen; nothing is drawn
    // again while the build runs. A window manager that never shows the
    // window is not waited for beyond a few seconds.
    void dipingi(Window etichetta, const std::string& testo) {
        const auto scadenza = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (auto e = c_.prossimo_evento(scadenza)) {
            if (e->type == Expose && e->xexpose.window == etichetta) {
                disegno_->scrivi(etichetta, 0, 0, testo);
                break;
            }
        }
        disegno_->x.XSync(c_.get(), False);
    }

    connessione c_;
    std::unique_ptr<disegno> disegno_;
};

// The box's layout in pixels: margins, and the OK button of a Windows box.
constexpr int margine = 24;
constexpr int larghezza_pulsante = 75;
constexpr int altezza_pulsante = 23;
constexpr int larghezza_minima = 160;

class riquadro_x11 {
public:
    riquadro_x11(const xlib& x, connessione& c, const std::string& titolo, const std::string& testo)
        : d_(x, c, "medium", pixel_da_punti(9, dpi_x11)), testo_(testo) {
        const int riga = d_.altezza_riga();
        const int larghezza = std::max(d_.larghezza_testo(testo) + 2 * margine, larghezza_minima);
        const int altezza = margine + riga + margine + altezza_pulsante + margine / 2;
        d_.apri(titolo, larghezza, altezza, ExposureMask | KeyPressMask);
        testo_w_ =
            d_.figlia(margine, margine, std::max(1, d_.larghezza_testo(testo)), std::max(1, riga), testo, ExposureMask);
        pulsante_ = d_.figlia((larghezza - larghezza_pulsante) / 2, margine + riga + margine, larghezza_pulsante,
                              altezza_pulsante, "OK", ExposureMask | ButtonReleaseMask);
        d_.mostra();
    }

    // Until OK is pressed, Return or Escape is typed, or the title bar's
    // close is used; or until the server goes away.
    void attendi() {
        while (auto e = d_.c.prossimo_evento(std::nullopt))
            if (chiude(*e)) return;
    }

private:
    bool chiude(const XEvent& e) {
        switch (e.type) {
            case Expose:
                if (e.xexpose.count == 0) dipingi(e.xexpose.window);
                return false;
            case KeyPress: {
                XKeyEvent tasto = e.xkey;
                const KeySym k = d_.x.XLookupKeysym(&tasto, 0);
                return k == XK_Return || k == XK_KP_Enter || k == XK_Escape;
            }
            case ButtonRelease:
                return e.xbutton.window == pulsante_ && e.xbutton.button == Button1 && e.xbutton.x >= 0 &&
                       e.xbutton.y >= 0 && e.xbutton.x < larghezza_pulsante && e.xbutton.y < altezza_pulsante;
            case ClientMessage: return static_cast<Atom>(e.xclient.data.l[0]) == d_.chiusura;
            default: return false;
        }
    }

    void dipingi(Window w) {
        if (w == d_.principale) {
            // On screen: the keys go to the box.
            d_.x.XSetInputFocus(d_.d, d_.principale, RevertToParent, CurrentTime);
        } else if (w == testo_w_) {
            d_.scrivi(w, 0, 0, testo_);
        } else if (w == pulsante_) {
            d_.x.XDrawRectangle(d_.d, w, d_.gc, 0, 0, larghezza_pulsante - 1, altezza_pulsante - 1);
            d_.scrivi(w, (larghezza_pulsante - d_.larghezza_testo("OK")) / 2,
                      (altezza_pulsante - d_.altezza_riga()) / 2, "OK");
        }
    }

    disegno d_;
    std::string testo_;
    Window testo_w_ = 0;
    Window pulsante_ = 0;
};

}  // namespace

std::unique_ptr<finestra_attesa> apri_attesa(const std::string& titolo, const std::string& etichetta) {
    const xlib* x = libreria_x();
    if (x == nullptr) return nullptr;
    auto f = std::make_unique<attesa_x11>(*x, titolo, etichetta);
    if (!f->aperta()) return nullptr;
    return f;
}

void mostra_riquadro(const std::string& titolo, const std::string& testo) {
    const xlib* x = libreria_x();
    if (x == nullptr) return;
    connessione c(*x);
    if (c.get() == nullptr) return;
    riquadro_x11 r(*x, c, titolo, testo);
    r.attendi();
}
