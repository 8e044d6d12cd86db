#include "view/dati_pagina.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <utility>

#include "authoring/righe_lette.h"
#include "driver/windows1252.h"
#include "json.h"
#include "model/oggetti.h"
#include "reader/ascii.h"

namespace {

// About as many plan points as a page can carry for the longest route and
// still show its first view at once; the page thins them further per zoom.
constexpr std::int64_t punti_pianta_massimi = 100000;

constexpr double costanti_curva[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

using coppie = std::vector<std::pair<std::string, std::string>>;

std::string km_h(std::int64_t v) { return std::to_string(v) + " km/h"; }
std::string metri(std::int64_t m) { return std::to_string(m) + " m"; }
// A cell's four values as stored.
std::string valori_codificati(const cella& c) {
    return std::to_string(c.dato1) + ", " + std::to_string(c.dato2) + ", " + std::to_string(c.dato3) + ", " +
           std::to_string(c.dato4);
}

std::string orario_testo(std::int32_t secondi) {
    auto due = [](std::int64_t v) {
        std::string t = v < 10 ? "0" : "";
        return t += std::to_string(v);
    };
    const std::int64_t s = secondi;
    if (s < 0) return std::to_string(s) + " s";
    return due(s / 3600) + ":" + due(s / 60 % 60) + ":" + due(s % 60);
}

// The route's end: the length the record table keeps, else the cells'.
std::int64_t lunghezza_percorso(const ingresso_pagina& in) {
    const std::int64_t fine = (*in.voci)[voce_treno_dati].fine_tratto;
    if (fine > 0) return fine;
    return in.celle && !in.celle->empty() ? 50 * static_cast<std::int64_t>(in.celle->size()) : 50;
}

class scrittore_pagina {
public:
    scrittore_pagina(std::ostream& out, const ingresso_pagina& in)
        : j_(out, 1), in_(in), voci_(*in.voci), lunghezza_(lunghezza_percorso(in)) {
        if (in_.sorgenti) prepara_righe();
    }

    void scrivi() {
        j_.apri_oggetto();
        j_.campo("versione", in_.versione).campo("esito", in_.esito);
        j_.campo("percorso", in_.nome_percorso).campo("treno", in_.numero_treno);
        j_.campo("fonte", in_.sorgenti ? "sources" : "files");
        j_.chiave("file_sorgenti");
        if (in_.sorgenti)
            j_.apri_lista().testo(in_.sorgenti->nomi.linea).testo(in_.sorgenti->nomi.treno).chiudi_lista();
        else
            j_.nullo();
        j_.campo("lunghezza", lunghezza_);
        j_.campo("celle", in_.celle ? static_cast<std::int64_t>(in_.celle->size()) : 0);
        progressive();
        if (in_.celle) {
            profili();
            oggetti();
            marche();
        }
        stazioni();
        pianta();
        diagnostiche();
        conteggi();
        j_.chiudi_oggetto();
    }

private:
    // --- the record of rows ---------------------------------------------

    void prepara_righe() {
        const righe_pagina& r = *in_.sorgenti;
        if (!r.righe) return;
        righe_lette_ = {righe_lette(*r.righe, file_sorgente::linea), righe_lette(*r.righe, file_sorgente::treno)};
        // Station k came from the k-th station row that was read.
        for (const riga_letta& riga : righe_lette_[1])
            if (riga.riconosciuta() && minuscolo_ascii(riga.chiave().testo).find("stazione") != std::string::npos)
                righe_stazioni_.push_back(riga.dove());
        for (const diagnosi& d : r.elenco)
            if (d.file && d.riga > 0 && d.nome == "past-route-end") righe_oltre_.push_back({*d.file, d.riga});
    }

    std::string rif(const riga_sorgente& r) const {
        const nomi_sorgenti& n = in_.sorgenti->nomi;
        return (r.file == file_sorgente::linea ? n.linea : n.treno) + ":" + std::to_string(r.riga);
    }

    const origine_oggetto* origine(std::int64_t k) const {
        if (!in_.sorgenti || !in_.sorgenti->righe) return nullptr;
        return in_.sorgenti->righe->origine(k);
    }

    // Whether check warned that the row lies past the route's end.
    bool riga_oltre(const riga_sorgente* r) const {
        if (!r) return false;
        return std::any_of(righe_oltre_.begin(), righe_oltre_.end(), [&](const riga_sorgente& o) { return o == *r; });
    }

    void riga(const riga_sorgente* r) {
        j_.chiave("riga");
        if (r)
            j_.testo(rif(*r));
        else
            j_.nullo();
    }

    // --- the header -----------------------------------------------------

    void progressive() {
        j_.chiave("progressive").apri_lista();
        for (int slot = voce_progressiva_tre; slot <= voce_progressiva_uno; ++slot) {
            const voce& v = voci_[static_cast<std::size_t>(slot)];
            if (v.inizio_tratto == 0 && v.fine_tratto == 0 && v.punto == 0) continue;
            const std::int64_t scritta = std::int64_t{v.fine_tratto} - (v.punto == 1 ? 100 : 0);
            j_.apri_oggetto().campo("inizio", v.inizio_tratto).campo("chilometrica", scritta);
            j_.campo("flag", v.punto).chiudi_oggetto();
        }
        j_.chiudi_lista();
    }

    // --- the profiles ---------------------------------------------------

    // The runs of equal value over cells 1 to the last, each [from, to, value].
    template <typename F>
    void tratti(std::string_view nome, F valore) {
        const std::vector<cella>& c = *in_.celle;
        j_.chiave(nome).apri_lista();
        std::size_t i = 1;
        while (i < c.size()) {
            const int v = valore(c[i]);
            std::size_t k = i + 1;
            while (k < c.size() && valore(c[k]) == v) ++k;
            const auto da = static_cast<std::int64_t>(i), a = static_cast<std::int64_t>(k);
            j_.apri_lista().intero(inizio_cella(da)).intero(inizio_cella(a)).intero(v).chiudi_lista();
            i = k;
        }
        j_.chiudi_lista();
    }

    void profili() {
        tratti("pendenze", [](const cella& c) { return c.pendenza - 100; });
        tratti("velocita", [](const cella& c) { return c.velocita * 5; });
        tratti("aderenze", [](const cella& c) { return int{c.aderenza}; });
        tratti("montagne", [](const cella& c) { return int{c.montagna}; });
        // A mountain stretch is marked where the markers stand.
        j_.chiave("marcatori").apri_lista();
        for (std::size_t i = 0; i < in_.celle->size(); ++i)
            if ((*in_.celle)[i].oggetto == oggetto_marca_montagna) j_.intero(static_cast<std::int64_t>(i));
        j_.chiudi_lista();
    }

    void marche() {
        j_.chiave("marche").apri_lista();
        const std::vector<cella>& c = *in_.celle;
        for (std::size_t i = 0; i < c.size(); ++i)
            if (c[i].ripetizione != 0)
                j_.apri_lista().intero(static_cast<std::int64_t>(i)).intero(c[i].ripetizione).chiudi_lista();
        j_.chiudi_lista();
    }

    // --- the objects of the cells ---------------------------------------

    struct oggetto_pagina {
        std::string tipo;  // the page's lane and symbol
        std::string nome;  // what it is, in words
        std::int64_t da = 0;
        std::int64_t a = 0;
        int gruppo = 0;  // told apart within the lane (a signal's aspect, a board's side)
        coppie valori;
    };

    // The restriction runs to the next end cell (its own cell when start and
    // end fell together and the start overwrote the end).
    std::int64_t fine_rallentamento(std::size_t inizio) const {
        const std::vector<cella>& c = *in_.celle;
        std::size_t k = inizio + 1;
        while (k < c.size() && c[k].oggetto != oggetto_fine_rallentamento &&
               c[k].oggetto != oggetto_inizio_rallentamento)
            ++k;
        const std::size_t fine = k < c.size() && c[k].oggetto == oggetto_fine_rallentamento ? k : inizio;
        return static_cast<std::int64_t>(fine);
    }

    std::string testo_voce(std::int64_t slot) const {
        if (slot < 0 || slot >= numero_voci) return "";
        return windows1252_a_utf8(voci_[static_cast<std::size_t>(slot)].testo);
    }

    // Which row values the object's row gave, when the row is known.
    void valori_riga(coppie& v, const origine_oggetto* o, std::initializer_list<const char*> nomi) const {
        if (!o || o->automatico) return;
        const riga_letta* r = riga_di(o->riga);
        if (!r) return;
        std::string t;
        std::size_t i = 1;
        for (const char* nome : nomi) {
            const auto valore = r->valore(i++);
            if (!valore) break;
            t += (t.empty() ? "" : ", ") + std::string(nome) + " " + std::to_string(*valore);
        }
        if (!t.empty()) v.emplace_back("row values", t);
    }

    const riga_letta* riga_di(const riga_sorgente& dove) const {
        return riga_a(righe_lette_[dove.file == file_sorgente::linea ? 0 : 1], dove.riga);
    }

    std::optional<oggetto_pagina> descrivi(std::size_t i) const {
        const cella& c = (*in_.celle)[i];
        const auto k = static_cast<std::int64_t>(i);
        oggetto_pagina o{"", "", inizio_cella(k), inizio_cella(k) + 50, 0, {}};
        const origine_oggetto* da = origine(k);
        switch (c.oggetto) {
            case oggetto_segnale: {
                o.tipo = "segnale";
                o.gruppo = c.dato4 % 10;
                o.nome = "signal, aspect code " + std::to_string(o.gruppo);
                o.valori = {{"coded values", valori_codificati(c)},
                            {"aspect code (sx × 3 + dx)", std::to_string(o.gruppo)},
                            {"time value", c.tempo_segnale == 0 ? "none" : std::to_string(c.tempo_segnale)}};
                valori_riga(o.valori, da, {"sx", "s1", "s2", "s3", "rapp", "dx", "d1", "d2", "d3", "time"});
                break;
            }
            case oggetto_inizio_rallentamento: {
                o.tipo = "rallentamento";
                const std::int64_t fine = fine_rallentamento(i);
                o.a = std::max(inizio_cella(fine), o.da + 50);
                o.nome = "speed restriction at " + km_h(c.dato1);
                o.valori = {{"speed", km_h(c.dato1)},
                            {"end cell", std::to_string(fine) + " (" + metri(inizio_cella(fine)) + ")"},
                            {"length", metri(inizio_cella(fine) - o.da)},
                            {"f_tt", std::to_string(c.dato3)},
                            {"d_v", c.dato2 == 0 ? "0 (none)" : std::to_string(c.dato2)}};
                break;
            }
            case oggetto_fine_rallentamento:
                o.tipo = "fine_rallentamento";
                o.nome = "end of a speed restriction";
                o.valori = {{"speed", km_h(c.dato1)}};
                break;
            case oggetto_avviso_rallentamento:
                o.tipo = "avviso";
                o.nome = "warning board of a speed restriction";
                o.valori = {{"speed ahead", km_h(c.dato1)}, {"d_v", std::to_string(c.dato2)}};
                break;
            case oggetto_prima_avviso:
                o.tipo = "preavviso";
                o.nome = "approach cell " + std::to_string(c.dato1) + " of 4 before a warning board";
                o.valori = {{"count from the board", std::to_string(c.dato1)}};
                break;
            case oggetto_indicatore_v_max: {
                o.tipo = "indicatore";
                o.nome = "speed indicator board";
                auto lato = [&](int sinistra) {
                    std::string t;
                    for (std::int16_t d : {c.dato1, c.dato2, c.dato3}) {
                        const int v = sinistra ? d / 20 : d % 20 * 5;
                        t += (t.empty() ? "" : ", ") + std::to_string(v);
                    }
                    const int strisce = sinistra ? c.dato4 / 10 : c.dato4 % 10;
                    return t + " km/h, " + std::to_string(strisce) + " stripes";
                };
                o.valori = {{"side s", lato(1)},
                            {"side d", lato(0)},
                            {"coded values", valori_codificati(c)}};
                break;
            }
            case oggetto_punto_abbattimento:
            case oggetto_abbattimento_senza_valore: {
                o.tipo = "abbattimento";
                const bool automatico = da && da->automatico;
                o.gruppo = automatico ? 1 : 0;
                const bool valore = c.oggetto == oggetto_punto_abbattimento;
                o.nome = std::string(automatico     ? "automatic "
                                     : in_.sorgenti ? "authored "
                                                    : "") +
                         (valore ? "code abatement point" : "code abatement point without a value");
                o.valori = {{"value", valore ? std::to_string(c.dato1) : "none (the row's value was below 1)"}};
                break;
            }
            case oggetto_cartello_indicazione:
                o.tipo = "cartello";
                o.nome = "indication board";
                o.valori = {{"text", testo_voce(c.dato1)}, {"text slot", std::to_string(c.dato1)}};
                break;
            case oggetto_libero:
            case oggetto_marca_montagna:
            case oggetto_fermata_stazione: return std::nullopt;
            default:
                o.tipo = "ignoto";
                o.nome = "unknown object " + std::to_string(c.oggetto);
                break;
        }
        return o;
    }

    void oggetti() {
        j_.chiave("oggetti").apri_lista();
        for (std::size_t i = 0; i < in_.celle->size(); ++i) {
            const auto o = descrivi(i);
            if (!o) continue;
            const auto k = static_cast<std::int64_t>(i);
            const origine_oggetto* da = origine(k);
            const riga_sorgente* r = da ? &da->riga : nullptr;
            j_.apri_oggetto().campo("tipo", o->tipo).campo("nome", o->nome).campo("cella", k);
            j_.campo("da", o->da).campo("a", o->a).campo("gruppo", o->gruppo);
            riga(r);
            j_.chiave("automatico").intero(da && da->automatico ? 1 : 0);
            j_.chiave("oltre").intero(o->da >= lunghezza_ || (da && !da->automatico && riga_oltre(&da->riga)) ? 1 : 0);
            j_.chiave("valori").apri_lista();
            for (const auto& [etichetta, valore] : o->valori)
                j_.apri_lista().testo(etichetta).testo(valore).chiudi_lista();
            j_.chiudi_lista().chiudi_oggetto();
        }
        j_.chiudi_lista();
    }

    // --- stations -------------------------------------------------------

    std::optional<std::int64_t> fermata(std::size_t slot) const {
        if (!in_.celle) return std::nullopt;
        const std::vector<cella>& c = *in_.celle;
        for (std::size_t i = 0; i < c.size(); ++i)
            if (c[i].oggetto == oggetto_fermata_stazione && c[i].dato1 == static_cast<std::int64_t>(slot))
                return static_cast<std::int64_t>(i);
        return std::nullopt;
    }

    void stazioni() {
        j_.chiave("stazioni").apri_lista();
        // The stations fill the slots from 1 up to the first empty one.
        for (std::size_t k = 1; k <= prima_voce_testo && !(voci_[k] == voce{}); ++k) {
            const voce& v = voci_[k];
            const riga_sorgente* r = k - 1 < righe_stazioni_.size() ? &righe_stazioni_[k - 1] : nullptr;
            const auto stop = fermata(k);
            j_.apri_oggetto().campo("nome", windows1252_a_utf8(v.testo)).campo("slot", k);
            j_.campo("punto", v.punto).campo("da", v.inizio_tratto).campo("a", v.fine_tratto);
            j_.chiave("fermata");
            if (stop)
                j_.intero(*stop);
            else
                j_.nullo();
            riga(r);
            j_.chiave("oltre").intero(v.punto > lunghezza_ || riga_oltre(r) ? 1 : 0);
            j_.chiave("valori").apri_lista();
            const coppie valori{{"type (categoria)", std::to_string(v.categoria)},
                                {"stop cell", stop ? std::to_string(*stop) + " (" + metri(inizio_cella(*stop)) +
                                                         " to " + metri(inizio_cella(*stop) + 50) + ")"
                                                   : "none (type 25 and above)"},
                                {"time", orario_testo(v.orario)},
                                {"option", std::to_string(v.opzione)},
                                {"values 1 to 5", std::to_string(v.valore1) + ", " + std::to_string(v.valore2) + ", " +
                                                      std::to_string(v.valore3) + ", " + std::to_string(v.valore4) +
                                                      ", " + std::to_string(v.valore5)},
                                {"choices 1 to 4", std::to_string(v.scelta1) + ", " + std::to_string(v.scelta2) + ", " +
                                                       std::to_string(v.scelta3) + ", " + std::to_string(v.scelta4)}};
            for (const auto& [etichetta, valore] : valori)
                j_.apri_lista().testo(etichetta).testo(valore).chiudi_lista();
            j_.chiudi_lista().chiudi_oggetto();
        }
        j_.chiudi_lista();
    }

    // --- the plan -------------------------------------------------------

    std::optional<std::pair<double, double>> punto(std::int64_t m) const {
        const planimetria_percorso& pl = *in_.planimetria;
        const valore_planimetria a = pl(m, 0), b = pl(m, 1);
        if (a.etichetta == valore_planimetria::tipo::vuoto || b.etichetta == valore_planimetria::tipo::vuoto)
            return std::nullopt;
        const double x = a.come_reale(), y = b.come_reale();
        if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
        return std::pair{x, y};
    }

    // The curves as the plan turns: runs of metres of one class and side.
    void curve(const std::vector<std::optional<std::pair<double, double>>>& p) {
        j_.chiave("curve").apri_lista();
        std::int64_t inizio = 0;
        int in_corso = 0;
        auto chiudi = [&](std::int64_t fine) {
            if (in_corso != 0)
                j_.apri_lista()
                    .intero(inizio)
                    .intero(fine)
                    .intero(std::abs(in_corso))
                    .testo(in_corso < 0 ? "s" : "d")
                    .chiudi_lista();
        };
        for (std::size_t m = 2; m < p.size(); ++m) {
            int classe = 0;
            if (p[m] && p[m - 1] && p[m - 2]) {
                const double d0 = p[m - 1]->first - p[m - 2]->first, d1 = p[m - 1]->second - p[m - 2]->second;
                const double e0 = p[m]->first - p[m - 1]->first, e1 = p[m]->second - p[m - 1]->second;
                const double lungo = d0 * d0 + d1 * d1;
                if (lungo > 0) classe = classe_curva(-(d0 * e1 - d1 * e0) / lungo);
            }
            if (classe == in_corso) continue;
            chiudi(static_cast<std::int64_t>(m) - 1);
            inizio = static_cast<std::int64_t>(m) - 1;
            in_corso = classe;
        }
        chiudi(static_cast<std::int64_t>(p.size()) - 1);
        j_.chiudi_lista();
    }

    void pianta() {
        if (!in_.planimetria || !in_.planimetria->esiste()) {
            j_.chiave("pianta").nullo();
            j_.chiave("curve").apri_lista().chiudi_lista();
            return;
        }
        std::vector<std::optional<std::pair<double, double>>> p;
        p.reserve(static_cast<std::size_t>(in_.planimetria->metri));
        for (std::int64_t m = 0; m < in_.planimetria->metri; ++m) p.push_back(punto(m));
        while (!p.empty() && !p.back()) p.pop_back();
        const auto metri_pianta = static_cast<std::int64_t>(p.size());
        const std::int64_t passo =
            std::max<std::int64_t>(1, (metri_pianta + punti_pianta_massimi - 1) / punti_pianta_massimi);
        j_.chiave("pianta").apri_oggetto().campo("passo", passo).campo("metri", metri_pianta);
        // Every passo-th metre, rounded to the centimetre; an empty metre is null.
        j_.chiave("punti").apri_lista();
        auto scrivi_metro = [&](std::size_t m) {
            if (!p[m]) {
                j_.nullo().nullo();
                return;
            }
            j_.reale(std::round(p[m]->first * 100) / 100).reale(std::round(p[m]->second * 100) / 100);
        };
        for (std::int64_t m = 0; m < metri_pianta; m += passo) scrivi_metro(static_cast<std::size_t>(m));
        j_.chiudi_lista().chiudi_oggetto();
        curve(p);
    }

    // --- diagnostics and counts -----------------------------------------

    void diagnostiche() {
        j_.chiave("diagnosi").apri_lista();
        if (in_.sorgenti)
            for (const diagnosi& d : in_.sorgenti->elenco) {
                j_.apri_oggetto().campo("errore", d.errore ? 1 : 0);
                j_.chiave("riga");
                if (d.file && d.riga > 0)
                    j_.testo(rif({*d.file, d.riga}));
                else
                    j_.nullo();
                j_.chiave("posizione");
                if (d.posizione)
                    j_.intero(*d.posizione);
                else
                    j_.nullo();
                j_.campo("nome", d.nome).campo("testo", testo_diagnosi(d, in_.sorgenti->nomi)).chiudi_oggetto();
            }
        j_.chiudi_lista();
    }

    void conteggi() {
        std::map<std::uint8_t, std::int64_t> n;
        if (in_.celle)
            for (const cella& c : *in_.celle) ++n[c.oggetto];
        std::int64_t stazioni = 0;
        for (std::size_t k = 1; k <= prima_voce_testo && !(voci_[k] == voce{}); ++k) ++stazioni;
        j_.chiave("conteggi").apri_oggetto();
        j_.campo("stazioni", stazioni).campo("segnali", n[oggetto_segnale]);
        j_.campo("rallentamenti", n[oggetto_inizio_rallentamento]);
        j_.campo("abbattimenti", n[oggetto_punto_abbattimento] + n[oggetto_abbattimento_senza_valore]);
        j_.chiudi_oggetto();
    }

    scrittore_json j_;
    const ingresso_pagina& in_;
    const std::array<voce, numero_voci>& voci_;
    std::int64_t lunghezza_;
    std::vector<riga_sorgente> righe_stazioni_;
    std::vector<riga_sorgente> righe_oltre_;
    std::array<std::vector<riga_letta>, 2> righe_lette_;
};

}  // namespace

int classe_curva(double k) {
    // Halfway below the gentlest class is still straight.
    if (std::fabs(k) < costanti_curva[0] / 2) return 0;
    int migliore = 1;
    for (int c = 2; c <= 6; ++c)
        if (std::fabs(std::fabs(k) - costanti_curva[c - 1]) < std::fabs(std::fabs(k) - costanti_curva[migliore - 1]))
            migliore = c;
    return k < 0 ? -migliore : migliore;
}

void scrivi_dati_pagina(std::ostream& out, const ingresso_pagina& in) { scrittore_pagina(out, in).scrivi(); }

std::string dati_da_sorgenti(const compilazione_autore& c, const esito_verifica& e, const nomi_sorgenti& nomi,
                             std::int64_t versione, const std::string& esito) {
    const scenario& s = c.risultato.modello;
    ingresso_pagina in{s.nome_percorso, s.numero_treno,
                       &s.voci,         s.celle_create() ? &s.celle : nullptr,
                       &s.planimetria,  righe_pagina{&c.righe, nomi, e.elenco},
                       versione,        esito};
    std::ostringstream out;
    scrivi_dati_pagina(out, in);
    return out.str();
}

std::string dati_da_file(const std::string& nome_percorso, const std::string& numero_treno,
                         const std::array<voce, numero_voci>& voci, const std::vector<cella>& celle,
                         const planimetria_percorso* planimetria) {
    ingresso_pagina in{nome_percorso, numero_treno, &voci, &celle, planimetria, std::nullopt, 0, ""};
    std::ostringstream out;
    scrivi_dati_pagina(out, in);
    return out.str();
}
