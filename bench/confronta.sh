#!/usr/bin/env bash
# The whole-program comparison: scenario_tool compile of the benchmark route
# into an empty folder against cp -r of its three output files into another
# empty folder on the same file system, page cache warm, interleaved, medians.
# Usage: confronta.sh SCENARIO_TOOL [REPETITIONS] [LENGTH]
# Prints the two medians, their ratio and the compile's peak resident memory.
set -euo pipefail
strumento=$(realpath "$1")
ripetizioni=${2:-15}
lunghezza=${3:-1000000}
qui=$(dirname "$(realpath "$0")")
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

"$qui/genera_percorso.sh" "$lavoro/sorgenti" "$lunghezza"
compila() {
    "$strumento" compile --line "$lavoro/sorgenti/bench_linea.txt" --train-source "$lavoro/sorgenti/bench_treno-.txt" \
        --route bench --train 1 --out "$1" >/dev/null
}
adesso() { date +%s%N; }

# The reference files, and a warm page cache for the sources and the program.
mkdir "$lavoro/riferimento"
compila "$lavoro/riferimento" || { echo "error: the benchmark route did not compile with status 0" >&2; exit 1; }

tempi_compila=()
tempi_cp=()
for ((i = 0; i < ripetizioni; i++)); do
    rm -rf "$lavoro/c" "$lavoro/k"
    mkdir "$lavoro/c" "$lavoro/k"
    t0=$(adesso); compila "$lavoro/c"; t1=$(adesso)
    cp -r "$lavoro/riferimento/." "$lavoro/k/"; t2=$(adesso)
    tempi_compila+=($((t1 - t0)))
    tempi_cp+=($((t2 - t1)))
    cmp -s "$lavoro/c/bench_linea.dat" "$lavoro/riferimento/bench_linea.dat"
done

mediana() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
m_compila=$(mediana "${tempi_compila[@]}")
m_cp=$(mediana "${tempi_cp[@]}")

rm -rf "$lavoro/c" && mkdir "$lavoro/c"
picco=$( { /usr/bin/time -f '%M' "$strumento" compile --line "$lavoro/sorgenti/bench_linea.txt" \
    --train-source "$lavoro/sorgenti/bench_treno-.txt" --route bench --train 1 --out "$lavoro/c" >/dev/null; } 2>&1 | tail -1)

awk -v c="$m_compila" -v k="$m_cp" -v p="$picco" -v n="$ripetizioni" -v l="$lunghezza" 'BEGIN {
    printf "route %d m, %d interleaved repetitions, medians\n", l, n
    printf "compile  %8.2f ms\n", c / 1e6
    printf "cp -r    %8.2f ms\n", k / 1e6
    printf "ratio    %8.2f\n", c / k
    printf "peak     %8.1f MB (%d kB)\n", p / 1024, p
}'
