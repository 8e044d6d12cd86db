// A dense route for the viewer's tests: 120 km with 18 stations, 70 signals,
// restrictions, boards, mountains, curves of every class, and a signal and a
// station past the route's end. Objects are kept off each other's cells so
// that the compile takes every row.

const CRLF = "\r\n";
const NOMI = ["VALLE SAN MARTINO DI SOTTO", "ROCCA", "PIANO ALTO", "BORGO NUOVO SCALO", "FIUME", "COLLE DI MEZZO",
  "SANTA LUCIA", "PONTE", "CASE SPARSE BIVIO", "MONTE", "VILLA", "LAGO", "SELVA DEI PINI", "PORTO", "CERRO",
  "SAN DONATO IN VAL", "ARCO", "TORRE"];

export const LUNGHEZZA = 120000;

function riga(chiave, ...valori) { return [chiave, ...valori].join(", ") + CRLF; }

export function sorgentiDense() {
  const occupate = new Set();
  const cellaPunto = (p) => Math.round(p / 50 + 1);
  const occupa = (k) => { for (let d = -3; d <= 3; ++d) occupate.add(k + d); };

  let linea = "[generale]" + CRLF + riga("lunghezza percorso", LUNGHEZZA);
  linea += riga("progressiva chilometrica uno", 0, 82200, 1) + riga("progressiva chilometrica due", 0, 0, 0);
  linea += riga("progressiva chilometrica tre", 0, 0, 0) + riga("sfondo uno", 1) + riga("sfondo due", 0) + riga("sfondo tre", 0);
  linea += riga("ripetizione segnali 4 codici", 0, LUNGHEZZA) + "[pendenze]" + CRLF;
  for (let i = 0; 2000 * i < LUNGHEZZA; ++i) linea += riga("pendenza", 2000 * i, ((i * 7) % 25) - 12);
  linea += "[curve]" + CRLF;
  for (let i = 0; i < 39; ++i) linea += riga("curva" + (i % 2 ? "s" : "d") + ((i % 6) + 1), 1000 + 3000 * i, 400);
  linea += "[cartelli]" + CRLF;
  for (let i = 0; i < 7; ++i) {
    const p = 2300 + 15000 * i;
    occupa(cellaPunto(p));
    linea += riga("indicatori_vmax", p, 100, 110, 120, 2, "", "", "", 0);
  }
  linea += "[montagne]" + CRLF + riga("montagna", 30000, 32000, 11) + riga("montagna", 60000, 61500, 2);
  linea += "[indicazioni]" + CRLF;
  occupa(cellaPunto(90150));
  linea += riga("cartello_indicatore", 90150, "(DENSE)(BOARD)") + "[fine]" + CRLF;

  let treno = "[generale]" + CRLF + riga("numero vetture", 9) + riga("percentuale massa frenata", 130);
  treno += riga("sabbia", 300) + "orologio,    8   0   0" + CRLF + "[aderenze]" + CRLF + riga("aderenza", 0, 90);
  treno += riga("aderenza", 50000, 70) + "[vel_limite]" + CRLF;
  treno += riga("velocita", 0, 120) + riga("velocita", 40000, 100) + riga("velocita", 80000, 140);

  const stazioni = [];
  for (let i = 0; i < 18; ++i) stazioni.push([6500 * i, i === 0 ? 8 : 12, i === 0 ? 500 : 300, NOMI[i]]);
  stazioni.push([123000, 12, 300, "OLTRE LA FINE"]);
  for (const [p, , lunghezza] of stazioni) occupa(Math.round((p + lunghezza / 2) / 50 - 1));

  const rallentamenti = [25000, 55000, 85000];
  for (const x of rallentamenti)
    for (let k = cellaPunto(x - 1200) - 26; k <= cellaPunto(x + 800) + 14; ++k) occupate.add(k);

  treno += "[segnali]" + CRLF;
  let segnali = 0;
  for (let p = 1150; segnali < 70; p += 1550) {
    while (occupate.has(cellaPunto(p))) p += 100;
    occupa(cellaPunto(p));
    treno += riga("segnale", p, 1 + (segnali % 2), 4, 1, segnali % 3, 0, 0, 0, 0, 0, 0);
    ++segnali;
  }
  treno += riga("segnale", 121050, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0);
  treno += "[rallentamenti]" + CRLF;
  for (const x of rallentamenti) treno += riga("rallentamento", x, 60, 800, 1, 1, 0);
  treno += riga("abbattimento", 100025, 180);
  treno += "[stazioni]" + CRLF;
  for (const [p, categoria, lunghezza, nome] of stazioni)
    treno += riga("stazione", p, categoria, lunghezza, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 8, 0, 0, nome);
  treno += "[fine]" + CRLF;
  return { linea, treno };
}
