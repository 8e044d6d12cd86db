#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/modello.h"

namespace {

using tipo = valore_planimetria::tipo;

[[noreturn]] void fuori(std::size_t da, std::size_t a, std::size_t n) {
    throw std::out_of_range("plan elements " + std::to_string(da) + " to " + std::to_string(a) + " of " +
                            std::to_string(n));
}

double valore_di(const valore_planimetria& v) {
    switch (v.etichetta) {
        case tipo::intero: return v.intero;
        case tipo::reale: return v.reale;
        case tipo::vuoto: break;
    }
    return 0.0;
}

}  // namespace

void elementi_planimetria::assign(std::size_t n) {
    // A fresh vector: its zeros are the memory's own, never written.
    valori_ = decltype(valori_)(n);
    tratti_.clear();
    if (n > 0) tratti_.push_back({0, tipo::vuoto});
}

void elementi_planimetria::clear() {
    valori_.clear();
    tratti_.clear();
}

void elementi_planimetria::push_back(const valore_planimetria& v) {
    if (tratti_.empty() || tratti_.back().etichetta != v.etichetta) tratti_.push_back({valori_.size(), v.etichetta});
    valori_.push_back(valore_di(v));
}

valore_planimetria elementi_planimetria::operator[](std::size_t i) const {
    controlla(i, i + 1);
    switch (etichetta_di(i)) {
        case tipo::intero: return valore_planimetria::da_intero(static_cast<std::int16_t>(valori_[i]));
        case tipo::reale: return valore_planimetria::da_reale(valori_[i]);
        case tipo::vuoto: break;
    }
    return {};
}

void elementi_planimetria::poni(std::size_t i, const valore_planimetria& v) {
    controlla(i, i + 1);
    valori_[i] = valore_di(v);
    etichetta(i, i + 1, v.etichetta);
}

std::span<double> elementi_planimetria::passi(std::size_t da, std::size_t a) {
    if (da < 2) fuori(da, a, size());
    controlla(da, a);
    etichetta(da, a, tipo::reale);
    return std::span<double>(valori_).subspan(da - 2, a - da + 2);
}

void elementi_planimetria::controlla(std::size_t da, std::size_t a) const {
    if (da > a || a > size()) fuori(da, a, size());
}

elementi_planimetria::tipo elementi_planimetria::etichetta_di(std::size_t i) const {
    auto dopo = std::upper_bound(tratti_.begin(), tratti_.end(), i,
                                 [](std::size_t x, const tratto& t) { return x < t.inizio; });
    return std::prev(dopo)->etichetta;
}

// Runs that start inside da .. a give way to one run from da and, when the
// elements go on past a, one from a with the tag that stood there.
void elementi_planimetria::etichetta(std::size_t da, std::size_t a, tipo t) {
    if (da == a) return;
    const bool segue = a < size();
    const tipo dopo = segue ? etichetta_di(a) : t;
    auto primo = std::lower_bound(tratti_.begin(), tratti_.end(), da,
                                  [](const tratto& r, std::size_t x) { return r.inizio < x; });
    auto oltre = std::upper_bound(primo, tratti_.end(), a, [](std::size_t x, const tratto& r) { return x < r.inizio; });
    auto qui = tratti_.insert(tratti_.erase(primo, oltre), tratto{da, t});
    if (segue) tratti_.insert(std::next(qui), tratto{a, dopo});
    auto uguali = [](const tratto& x, const tratto& y) { return x.etichetta == y.etichetta; };
    tratti_.erase(std::unique(tratti_.begin(), tratti_.end(), uguali), tratti_.end());
}

void planimetria_percorso::controlla_passi(std::int64_t da, std::int64_t a) const {
    if (da < 2 || a < da || a >= metri)
        fuori(static_cast<std::size_t>(da), static_cast<std::size_t>(a), elementi.size());
}

std::span<double> planimetria_percorso::passi(int coordinata, std::int64_t da, std::int64_t a) {
    controlla_passi(da, a);
    return elementi.passi(indice(da, coordinata), indice(a, coordinata) + 1);
}
