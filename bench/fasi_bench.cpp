// The compile's stages one by one on the benchmark route (the one that
// genera_percorso.sh writes), at the route lengths given as the argument:
// the field reader, the line half, the plan, the train half, the post-pass
// and each encoder.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "line/memorizza_linea.h"
#include "line/planimetria.h"
#include "model/modello.h"
#include "model/problemi.h"
#include "output/file_binari.h"
#include "postpass/post_passo.h"
#include "reader/lettore_campi.h"
#include "train/memorizza_treno.h"

namespace {

// Rows every 50 m, a 20 m curve every 100 m up to 90 % of the route, a signal
// every 500 m from 450 m.
std::string sorgente_linea(std::int64_t lunghezza) {
    std::string t = "[generale]\r\nlunghezza percorso,    " + std::to_string(lunghezza) +
                    "\r\nprogressiva chilometrica uno,    0,    82200,    1\r\n"
                    "ripetizione segnali 4 codici,    0,    " +
                    std::to_string(lunghezza) + "\r\n[pendenze]\r\n";
    for (std::int64_t i = 0; 50 * i < lunghezza; ++i)
        t += "pendenza,  " + std::to_string(50 * i) + ",   " + std::to_string(i % 21 - 10) + "\r\n";
    t += "[curve]\r\n";
    for (std::int64_t i = 0; i < 9 * lunghezza / 1000; ++i)
        t += "curvad" + std::to_string(i % 6 + 1) + ",  " + std::to_string(10 + 100 * i) + ",  20\r\n";
    return t + "[fine]\r\n";
}

std::string sorgente_treno(std::int64_t lunghezza) {
    std::string t = "[generale]\r\nnumero vetture,    9\r\n[vel_limite]\r\n";
    for (std::int64_t i = 0; 50 * i < lunghezza; ++i)
        t += "velocita,   " + std::to_string(50 * i) + ",   " + std::to_string(60 + 5 * (i % 19)) + "\r\n";
    t += "[segnali]\r\n";
    for (std::int64_t p = 450; p <= lunghezza - 4550; p += 500)
        t += "segnale,   " + std::to_string(p) + ",   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n";
    return t + "[fine]\r\n";
}

scenario nuovo(std::int32_t j) {
    scenario s;
    s.nome_percorso = "bench";
    s.numero_treno = "1";
    s.j = j;
    return s;
}

// The model after the line half, and the state it hands on.
struct dopo_linea {
    scenario s;
    stato_linea stato;
};

dopo_linea linea(const std::string& sorgente, std::int32_t j) {
    dopo_linea d{nuovo(j), {}};
    registro_problemi log;
    memorizza_linea(d.s, log, sorgente, d.stato);
    completa_linea(d.s, d.stato);
    fai_passi_planimetria(d.s, d.stato);
    return d;
}

scenario intero(std::int64_t lunghezza, std::int32_t j) {
    dopo_linea d = linea(sorgente_linea(lunghezza), j);
    registro_problemi log;
    stato_treno treno;
    memorizza_treno(d.s, log, sorgente_treno(lunghezza), d.stato.voce_testo, treno);
    completa_treno(d.s, log, treno);
    post_passo(d.s, log);
    return d.s;
}

void metri_al_secondo(benchmark::State& stato) {
    const double metri = static_cast<double>(stato.range(0)) * static_cast<double>(stato.iterations());
    stato.counters["m/s"] = benchmark::Counter(metri, benchmark::Counter::kIsRate);
}

void lettore(benchmark::State& stato) {
    const std::string sorgente = sorgente_linea(stato.range(0));
    for (auto _ : stato) {
        lettore_campi l(sorgente);
        std::size_t campi = 0;
        while (!l.fine()) campi += l.leggi_testo().size();
        benchmark::DoNotOptimize(campi);
    }
    stato.SetBytesProcessed(static_cast<std::int64_t>(sorgente.size()) * stato.iterations());
}

void meta_linea(benchmark::State& stato) {
    const std::string sorgente = sorgente_linea(stato.range(0));
    for (auto _ : stato) benchmark::DoNotOptimize(linea(sorgente, 0));
    metri_al_secondo(stato);
}

// The line half with the plan: less meta_linea, the plan's cost.
void planimetria(benchmark::State& stato) {
    const std::string sorgente = sorgente_linea(stato.range(0));
    for (auto _ : stato) benchmark::DoNotOptimize(linea(sorgente, 1));
    metri_al_secondo(stato);
}

void meta_treno(benchmark::State& stato) {
    const dopo_linea base = linea(sorgente_linea(stato.range(0)), 0);
    const std::string sorgente = sorgente_treno(stato.range(0));
    for (auto _ : stato) {
        stato.PauseTiming();
        scenario s = base.s;
        stato.ResumeTiming();
        registro_problemi log;
        stato_treno treno;
        memorizza_treno(s, log, sorgente, base.stato.voce_testo, treno);
        completa_treno(s, log, treno);
        benchmark::DoNotOptimize(s);
    }
    metri_al_secondo(stato);
}

void post_passo_celle(benchmark::State& stato) {
    const scenario base = intero(stato.range(0), 0);
    for (auto _ : stato) {
        stato.PauseTiming();
        scenario s = base;
        stato.ResumeTiming();
        registro_problemi log;
        post_passo(s, log);
        benchmark::DoNotOptimize(s);
    }
    metri_al_secondo(stato);
}

template <typename F>
void codifica(benchmark::State& stato, std::int32_t j, F&& codifica_file) {
    const scenario s = intero(stato.range(0), j);
    std::size_t byte = 0;
    const scrittore_blocchi scrivi = [&](std::string_view blocco) { byte += blocco.size(); };
    for (auto _ : stato) {
        byte = 0;
        codifica_file(s, scrivi);
        benchmark::DoNotOptimize(byte);
    }
    stato.SetBytesProcessed(static_cast<std::int64_t>(byte) * stato.iterations());
}

void codifica_planimetria_file(benchmark::State& stato) {
    codifica(stato, 1,
             [](const scenario& s, const scrittore_blocchi& w) { codifica_planimetria_a_blocchi(s.planimetria, w); });
}
void codifica_voci_file(benchmark::State& stato) {
    codifica(stato, 0, [](const scenario& s, const scrittore_blocchi& w) { codifica_voci_a_blocchi(s.voci, w); });
}
void codifica_celle_file(benchmark::State& stato) {
    codifica(stato, 0, [](const scenario& s, const scrittore_blocchi& w) { codifica_celle_a_blocchi(s.celle, w); });
}

// 10 km and the longest route.
void lunghezze(benchmark::internal::Benchmark* b) { b->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond); }

}  // namespace

BENCHMARK(lettore)->Apply(lunghezze);
BENCHMARK(meta_linea)->Apply(lunghezze);
BENCHMARK(planimetria)->Apply(lunghezze);
BENCHMARK(meta_treno)->Apply(lunghezze);
BENCHMARK(post_passo_celle)->Apply(lunghezze);
BENCHMARK(codifica_planimetria_file)->Apply(lunghezze);
BENCHMARK(codifica_voci_file)->Apply(lunghezze);
BENCHMARK(codifica_celle_file)->Apply(lunghezze);
