#!/usr/bin/env bash
# Writes the benchmark route's two sources into a folder: a line of LENGTH
# metres (default 1000000, the longest the format allows) with a gradient row
# every 50 m and a 20 m curve every 100 m up to 90 % of the length, and a train
# with a speed row every 50 m and a signal every 500 m from 450 m.
# Usage: genera_percorso.sh FOLDER [LENGTH]
set -euo pipefail
cartella=$1
lunghezza=${2:-1000000}
mkdir -p "$cartella"

awk -v L="$lunghezza" 'BEGIN {
    ORS = "\r\n"
    print "[generale]"
    print "lunghezza percorso,    " L
    print "progressiva chilometrica uno,    0,    82200,    1"
    print "progressiva chilometrica due,    0,    0,    0"
    print "progressiva chilometrica tre,    0,    0,    0"
    print "sfondo uno,    1"
    print "sfondo due,    0"
    print "sfondo tre,    0"
    print "ripetizione segnali 4 codici,    0,    " L
    print "[pendenze]"
    for (i = 0; 50 * i < L; i++) print "pendenza,  " 50 * i ",   " (i % 21) - 10
    print "[curve]"
    for (i = 0; i < 9 * L / 1000; i++) print "curvad" (i % 6) + 1 ",  " 10 + 100 * i ",  20"
    print "[fine]"
}' > "$cartella/bench_linea.txt"

awk -v L="$lunghezza" 'BEGIN {
    ORS = "\r\n"
    print "[generale]"
    print "numero vetture,    9"
    print "percentuale massa frenata,    130"
    print "sabbia,    300"
    print "orologio,    19              21            30 "
    print "[aderenze]"
    print "aderenza,       0,    90"
    print "[vel_limite]"
    for (i = 0; 50 * i < L; i++) print "velocita,   " 50 * i ",   " 60 + 5 * (i % 19)
    print "[segnali]"
    for (p = 450; p <= L - 4550; p += 500) print "segnale,   " p ",   2, 4, 1,  0, 0,    0,  0,0,0, 0"
    print "[fine]"
}' > "$cartella/bench_treno-.txt"
