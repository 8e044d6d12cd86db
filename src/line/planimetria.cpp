#include "line/planimetria.h"

#include <algorithm>
#include <array>

#include "reader/lettore_campi.h"

namespace {

constexpr std::int64_t ultimo_metro_curve = 1000000;

// d = P(m - 1) - P(m - 2), one coordinate.
double differenza(const scenario& s, std::int64_t m, int coordinata) {
    return s.planimetria(m - 1, coordinata).come_reale() - s.planimetria(m - 2, coordinata).come_reale();
}

void poni(scenario& s, std::int64_t m, int coordinata, double incremento) {
    s.planimetria(m, coordinata) = valore_planimetria::da_reale(s.planimetria(m - 1, coordinata).come_reale() + incremento);
}

void passo_dritto(scenario& s, std::int64_t m) {
    double d0 = differenza(s, m, 0);
    double d1 = differenza(s, m, 1);
    poni(s, m, 0, d0);
    poni(s, m, 1, d1);
}

// Each curve step turns the last step by atan(k) and lengthens it by
// sqrt(1 + k^2); both increments use the previous d, in exactly this order.
void passo_curva(scenario& s, std::int64_t m, double k) {
    double d0 = differenza(s, m, 0);
    double d1 = differenza(s, m, 1);
    poni(s, m, 0, d0 + k * d1);
    poni(s, m, 1, d1 - k * d0);
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

    auto& m = stato.cursore_planimetria;
    while (m <= inizio) {
        passo_dritto(s, m);
        if (++m > ultimo_metro_curve) return ferma(log, problema_curva);
    }
    while (m <= fine) {
        passo_curva(s, m, k);
        if (++m > ultimo_metro_curve) return ferma(log, problema_curva);
    }
    return esito_riga::prosegui;
}

void completa_planimetria(scenario& s, stato_linea& stato) {
    if (s.j == 0) return;
    for (auto& m = stato.cursore_planimetria; m <= std::int64_t{s.lunghezza_estesa} - 2; ++m) passo_dritto(s, m);
}
