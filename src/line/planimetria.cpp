#include "line/planimetria.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "reader/lettore_campi.h"

namespace {

constexpr std::int64_t ultimo_metro_curve = 1000000;

// Straight steps at metres da .. a: P(m) = P(m - 1) + (P(m - 1) - P(m - 2)).
void passi_dritti(scenario& s, std::int64_t da, std::int64_t a) {
    for (int coordinata : {0, 1}) {
        std::span<double> p = s.planimetria.passi(coordinata, da, a);
        for (std::size_t i = 2; i < p.size(); ++i) p[i] = p[i - 1] + (p[i - 1] - p[i - 2]);
    }
}

// Curve steps at metres da .. a. Each turns the last step by atan(k) and
// lengthens it by sqrt(1 + k^2); both increments use the previous d, in
// exactly this order.
void passi_curva(scenario& s, std::int64_t da, std::int64_t a, double k) {
    std::span<double> x = s.planimetria.passi(0, da, a);
    std::span<double> y = s.planimetria.passi(1, da, a);
    for (std::size_t i = 2; i < x.size(); ++i) {
        double d0 = x[i - 1] - x[i - 2];
        double d1 = y[i - 1] - y[i - 2];
        x[i] = x[i - 1] + (d0 + k * d1);
        y[i] = y[i - 1] + (d1 - k * d0);
    }
}

// Takes down the run da .. a (nothing when da > a), its metres checked now,
// as the row is read, so that a run outside the plan fails at its row.
void prenota(scenario& s, stato_linea& stato, std::int64_t da, std::int64_t a, std::optional<double> k) {
    if (da > a) return;
    s.planimetria.controlla_passi(da, a);
    stato.passi_da_fare.push_back({da, a, k});
}

// Steps from the cursor up to metre a, but never past the last metre a curve
// may reach (at least one step once the cursor is past it); false when the
// cursor then lies beyond that metre.
bool avanza(scenario& s, stato_linea& stato, std::int64_t a, std::optional<double> k) {
    std::int64_t& m = stato.cursore_planimetria;
    if (m > a) return true;
    std::int64_t ultimo = std::max(m, std::min(a, ultimo_metro_curve));
    prenota(s, stato, m, ultimo, k);
    m = ultimo + 1;
    return m <= ultimo_metro_curve;
}

double costante_classe(const std::string& chiave, bool& trovata) {
    constexpr std::array<double, 6> costanti{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
    for (std::size_t classe = 0; classe < costanti.size(); ++classe) {
        if (chiave.find(static_cast<char>('1' + classe)) != std::string::npos) {
            trovata = true;
            return costanti[classe];
        }
    }
    trovata = false;
    return 0.0;
}

}  // namespace

void avvia_planimetria(scenario& s, stato_linea& stato) {
    stato.cursore_planimetria = 2;
    if (s.j == 0) return;
    s.planimetria(0, 0) = valore_planimetria::da_intero(0);
    s.planimetria(0, 1) = valore_planimetria::da_intero(0);
    s.planimetria(1, 0) = valore_planimetria::da_intero(0);
    s.planimetria(1, 1) = valore_planimetria::da_intero(1);
}

esito_riga memo_curva(scenario& s, registro_problemi& log, stato_linea& stato, const std::string& chiave, std::int32_t inizio,
                      std::int32_t lunghezza) {
    bool trovata = false;
    double k = costante_classe(chiave, trovata);
    if (!trovata) return ferma(log, problema_curva);
    if (contiene_senza_maiuscole(chiave, "s")) k = -k;
    std::int64_t fine = std::int64_t{inizio} + lunghezza;
    if (std::min(fine, ultimo_metro_curve) > s.lunghezza_estesa) return rifiuta_fuori_celle(log, inizio);

    if (!avanza(s, stato, inizio, std::nullopt)) return ferma(log, problema_curva);
    if (!avanza(s, stato, fine, k)) return ferma(log, problema_curva);
    return esito_riga::prosegui;
}

void completa_planimetria(scenario& s, stato_linea& stato) {
    if (s.j == 0) return;
    auto& m = stato.cursore_planimetria;
    const std::int64_t ultimo = std::int64_t{s.lunghezza_estesa} - 2;
    prenota(s, stato, m, ultimo, std::nullopt);
    m = std::max(m, ultimo + 1);
}

void fai_passi_planimetria(scenario& s, stato_linea& stato) {
    for (const passi_planimetria& p : stato.passi_da_fare) {
        if (p.k)
            passi_curva(s, p.da, p.a, *p.k);
        else
            passi_dritti(s, p.da, p.a);
    }
    stato.passi_da_fare.clear();
}

std::int64_t metri_da_fare(const stato_linea& stato) {
    std::int64_t metri = 0;
    for (const passi_planimetria& p : stato.passi_da_fare) metri += p.a - p.da + 1;
    return metri;
}
