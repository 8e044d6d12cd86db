"use strict";
// The route viewer: every lane and the plan share one visible stretch of the
// route (vista.da to vista.a, metres from the start); zooming or panning any
// of them changes it and everything is drawn again from the page's data.

const COLORI = {
  binario: "#37474f", stazione: "#1e5aa8", segnale: "#c62828", velocita: "#1565c0",
  rallentamento: "#ef6c00", abbattimento: "#7b1fa2", automatico: "#00897b", salita: "#c8693f",
  discesa: "#2f8f82", griglia: "#e3e8ea", tenue: "#55656d", testo: "#1f2a30", oltre: "#b71c1c",
  cartello: "#2e7d32", indicatore: "#4527a0", aderenza: "#6d4c41", altitudine: "#5d4037",
};
const ASPETTI = ["#607d8b", "#c62828", "#2e7d32", "#f9a825", "#6a1b9a", "#00838f", "#d84315", "#283593", "#795548", "#37474f"];
const MONTAGNE = ["#8d6e63", "#6d4c41", "#a1887f", "#4e342e", "#bcaaa4"];
const SPAZIO_MINIMO = 100;

let dati = JSON.parse(document.getElementById("dati").textContent);
const vista = { da: 0, a: 1 };
let corsie = [];
let pianta = null;

// --- distances and chainage ------------------------------------------------

function fineCelle() { return Math.max(dati.lunghezza, (dati.celle - 1) * 50); }

// Whole metres as the diagnostics write them.
function metri(m) { return Math.round(m) + " m"; }

function kmTesto(m, decimali = 3) { return "km " + (m / 1000).toFixed(decimali); }

// The chainage at p: the written chainage of the progressive with the
// greatest start at or before p, less the distance run since that start.
function chilometrica(p) {
  let scelta = null;
  for (const g of dati.progressive)
    if (g.inizio <= p && (!scelta || g.inizio > scelta.inizio)) scelta = g;
  return scelta ? scelta.chilometrica - (p - scelta.inizio) : null;
}

function dove(m) {
  const c = chilometrica(m);
  return metri(m) + (c === null ? "" : " · " + kmTesto(c));
}

function cellaTesto(k) { return "cell " + k + " (" + metri((k - 1) * 50) + " to " + metri(k * 50) + ")"; }

// --- the view ---------------------------------------------------------------

function ponVista(da, a, ridisegna = true) {
  const massimo = fineCelle() + 500;
  let span = Math.min(Math.max(a - da, SPAZIO_MINIMO), massimo + 500);
  da = Math.max(-500, Math.min(da, massimo - span));
  vista.da = da;
  vista.a = da + span;
  history.replaceState(null, "", "#da=" + Math.round(vista.da) + "&a=" + Math.round(vista.a));
  if (ridisegna) disegnaTutto();
}

function vistaDaIndirizzo() {
  const m = /da=(-?\d+(?:\.\d+)?)&a=(-?\d+(?:\.\d+)?)/.exec(location.hash);
  if (m && Number(m[2]) > Number(m[1])) ponVista(Number(m[1]), Number(m[2]), false);
  else ponVista(0, dati.lunghezza || 1000, false);
}

function zoom(fattore, centro) {
  const c = centro === undefined ? (vista.da + vista.a) / 2 : centro;
  ponVista(c - (c - vista.da) * fattore, c + (vista.a - c) * fattore);
}

function sposta(frazione) {
  const d = (vista.a - vista.da) * frazione;
  ponVista(vista.da + d, vista.a + d);
}

function vaiA(m, span) {
  const s = span || Math.min(vista.a - vista.da, 4000);
  ponVista(m - s / 2, m + s / 2);
}

// "12050", "12050 m", "km 70.150", "70.150 km", "70+150": a position or a chainage.
function leggiPosizione(testo) {
  const t = testo.trim().toLowerCase().replace(/,/g, ".");
  let m = /^(?:km\s*)?(\d+)\+(\d{1,3})$/.exec(t);
  let km = null;
  if (m) km = Number(m[1]) * 1000 + Number(m[2].padEnd(3, "0"));
  else if ((m = /^km\s*(-?\d+(?:\.\d+)?)$/.exec(t)) || (m = /^(-?\d+(?:\.\d+)?)\s*km$/.exec(t))) km = Math.round(Number(m[1]) * 1000);
  if (km !== null) {
    if (!dati.progressive.length) return km;
    for (const g of [...dati.progressive].sort((x, y) => y.inizio - x.inizio)) {
      const p = g.inizio + (g.chilometrica - km);
      if (p >= g.inizio && chilometrica(p) === km) return p;
    }
    return null;
  }
  m = /^(-?\d+(?:\.\d+)?)\s*m?$/.exec(t);
  return m ? Number(m[1]) : null;
}

// --- drawing helpers --------------------------------------------------------

function preparaCanvas(canvas, altezza) {
  const rapporto = window.devicePixelRatio || 1;
  const larghezza = canvas.clientWidth || 800;
  if (canvas.width !== Math.round(larghezza * rapporto) || canvas.height !== Math.round(altezza * rapporto)) {
    canvas.width = Math.round(larghezza * rapporto);
    canvas.height = Math.round(altezza * rapporto);
    canvas.style.height = altezza + "px";
  }
  const g = canvas.getContext("2d");
  g.setTransform(rapporto, 0, 0, rapporto, 0, 0);
  g.clearRect(0, 0, larghezza, altezza);
  g.font = '11px "DejaVu Sans", Arial, sans-serif';
  return { g, larghezza, altezza };
}

function passoTondo(campo, n) {
  const grezzo = Math.max(campo / n, 1e-9);
  const potenza = Math.pow(10, Math.floor(Math.log10(grezzo)));
  for (const f of [1, 2, 5, 10]) if (f * potenza >= grezzo) return f * potenza;
  return 10 * potenza;
}

// The runs [from, to, value] that meet the visible stretch.
function visibili(tratti) {
  let basso = 0, alto = tratti.length;
  while (basso < alto) {
    const mezzo = (basso + alto) >> 1;
    if (tratti[mezzo][1] < vista.da) basso = mezzo + 1; else alto = mezzo;
  }
  const r = [];
  for (let i = basso; i < tratti.length && tratti[i][0] <= vista.a; ++i) r.push(tratti[i]);
  return r;
}

function testoConAlone(g, testo, x, y, colore) {
  g.lineWidth = 3;
  g.strokeStyle = "rgba(255,255,255,0.9)";
  g.strokeText(testo, x, y);
  g.fillStyle = colore;
  g.fillText(testo, x, y);
}

// --- lanes ------------------------------------------------------------------

// A lane: its name, its height, how it draws, and what it shows under the
// pointer (each drawn object leaves a box with its description).
function corsia(id, nome, unita, altezza, disegna) {
  return { id, nome, unita, altezza, disegna, scatole: [] };
}

function creaCorsie() {
  const l = [
    corsia("distanza", "Distance", dati.progressive.length ? "km from the start · chainage" : "km from the start", 48, disegnaDistanza),
    corsia("altitudine", "Altitude", "m, from the gradients", 70, disegnaAltitudine),
    corsia("pendenza", "Gradient", "per mille", 80, disegnaPendenza),
    corsia("curve", "Curvature", "class 1–6, right up", 46, disegnaCurve),
    corsia("velocita", "Speed", "km/h · restrictions", 110, disegnaVelocita),
    corsia("aderenza", "Adhesion", "value", 44, disegnaAderenza),
    corsia("montagne", "Mountains", "and tunnels", 34, disegnaMontagne),
    corsia("stazioni", "Stations", "stretch, stop cell", 64, disegnaStazioni),
    corsia("segnali", "Signals", "aspect · repetition marks", 50, disegnaSegnali),
    corsia("abbattimenti", "Abatement", "◆ authored · ◇ automatic", 34, disegnaAbbattimenti),
    corsia("cartelli", "Boards", "speed indicator · indication", 40, disegnaCartelli),
  ];
  if (dati.fonte === "sources") l.push(corsia("problemi", "Problems", "rows with an error", 30, disegnaProblemi));
  const contenitore = document.getElementById("corsie");
  contenitore.textContent = "";
  for (const c of l) {
    const div = document.createElement("div");
    div.className = "corsia";
    div.id = "corsia-" + c.id;
    div.dataset.corsia = c.id;
    const nome = document.createElement("div");
    nome.className = "nome-corsia";
    nome.innerHTML = "<b></b><span></span>";
    nome.firstChild.textContent = c.nome;
    nome.lastChild.textContent = c.unita;
    c.canvas = document.createElement("canvas");
    div.append(nome, c.canvas);
    contenitore.append(div);
    c.div = div;
    collegaPuntatore(c.canvas, () => c);
  }
  corsie = l;
}

function scala(c) {
  const w = c.larghezza;
  return { x: (m) => ((m - vista.da) / (vista.a - vista.da)) * w, m: (x) => vista.da + (x / w) * (vista.a - vista.da) };
}

function oltreLaFine(g, s, larghezza, altezza) {
  const x = s.x(dati.lunghezza);
  if (x >= larghezza) return;
  g.fillStyle = "rgba(120,130,135,0.13)";
  g.fillRect(Math.max(x, 0), 0, larghezza - Math.max(x, 0), altezza);
  if (x >= 0) {
    g.strokeStyle = COLORI.oltre;
    g.setLineDash([4, 3]);
    g.beginPath(); g.moveTo(x, 0); g.lineTo(x, altezza); g.stroke();
    g.setLineDash([]);
  }
}

function griglia(g, s, larghezza, altezza) {
  const passo = passoTondo(vista.a - vista.da, 10);
  g.strokeStyle = COLORI.griglia;
  g.lineWidth = 1;
  g.beginPath();
  for (let m = Math.ceil(vista.da / passo) * passo; m <= vista.a; m += passo) {
    const x = Math.round(s.x(m)) + 0.5;
    g.moveTo(x, 0); g.lineTo(x, altezza);
  }
  g.stroke();
}

function disegnaDistanza(c, g, s) {
  const passo = passoTondo(vista.a - vista.da, 10);
  const decimali = passo >= 1000 ? 0 : passo >= 100 ? 1 : 2;
  g.fillStyle = COLORI.testo;
  g.strokeStyle = "#78909c";
  g.textAlign = "center";
  for (let m = Math.ceil(vista.da / passo) * passo; m <= vista.a; m += passo) {
    const x = s.x(m);
    g.beginPath(); g.moveTo(x, 0); g.lineTo(x, 6); g.stroke();
    const t = (m / 1000).toFixed(decimali), w = g.measureText(t).width;
    g.fillText(t, Math.min(Math.max(x, w / 2 + 2), c.larghezza - w / 2 - 2), 17);
  }
  if (!dati.progressive.length) { g.textAlign = "left"; return; }
  // Kilometre posts where the chainage is a round number.
  const ordinati = [...dati.progressive].sort((x, y) => x.inizio - y.inizio);
  const pali = [];
  for (let i = 0; i < ordinati.length; ++i) {
    const p = ordinati[i];
    if (i + 1 < ordinati.length && ordinati[i + 1].inizio === p.inizio) continue;
    const da = Math.max(p.inizio, vista.da), a = Math.min(i + 1 < ordinati.length ? ordinati[i + 1].inizio : Infinity, vista.a);
    if (a < da) continue;
    const cAlta = p.chilometrica - (da - p.inizio), cBassa = p.chilometrica - (a - p.inizio);
    for (let k = Math.ceil(cBassa / passo) * passo; k <= cAlta; k += passo) pali.push([p.inizio + (p.chilometrica - k), k]);
  }
  g.fillStyle = "#263238";
  for (const [m, k] of pali) {
    const x = s.x(m);
    g.fillStyle = "#fdd835";
    g.fillRect(x - 1, 24, 3, 10);
    g.fillStyle = COLORI.testo;
    const t = kmTesto(k, decimali), w = g.measureText(t).width;
    g.fillText(t, Math.min(Math.max(x, w / 2 + 2), c.larghezza - w / 2 - 2), 45);
    c.scatole.push({ x1: x - 4, x2: x + 4, y1: 22, y2: 48, ogg: { nome: "kilometre post " + kmTesto(k), da: m, valori: [["chainage", kmTesto(k)], ["from the route's start", metri(m)]] } });
  }
  g.textAlign = "left";
}

function disegnaAltitudine(c, g, s, larghezza, altezza) {
  const punti = altitudini();
  if (!punti.length) return;
  let minimo = Infinity, massimo = -Infinity;
  for (const [m, h] of punti) if (m >= vista.da - 50 && m <= vista.a + 50) { minimo = Math.min(minimo, h); massimo = Math.max(massimo, h); }
  if (minimo === Infinity) return;
  if (massimo - minimo < 2) { minimo -= 1; massimo += 1; }
  const y = (h) => altezza - 10 - ((h - minimo) / (massimo - minimo)) * (altezza - 22);
  g.beginPath();
  let primo = true;
  for (const [m, h] of punti) {
    if (m < vista.da - 5000 || m > vista.a + 5000) continue;
    if (primo) { g.moveTo(s.x(m), y(h)); primo = false; } else g.lineTo(s.x(m), y(h));
  }
  g.strokeStyle = COLORI.altitudine;
  g.lineWidth = 1.6;
  g.stroke();
  testoConAlone(g, Math.round(massimo) + " m", 4, 12, COLORI.tenue);
  testoConAlone(g, Math.round(minimo) + " m", 4, altezza - 2, COLORI.tenue);
  c.valoreIn = (m) => {
    if (m < punti[0][0]) return null;
    const h = altitudineA(m);
    return { nome: "altitude", da: Math.round(m), valori: [["altitude", Math.abs(h).toFixed(1) + (h < 0 ? " m below" : " m above") + " the start"]] };
  };
}

let cacheAltitudini = null;
function altitudini() {
  if (cacheAltitudini) return cacheAltitudini;
  const punti = [];
  let h = 0;
  for (const [da, a, v] of dati.pendenze || []) {
    if (!punti.length) punti.push([da, h]);
    h += (v / 1000) * (a - da);
    punti.push([a, h]);
  }
  cacheAltitudini = punti;
  return punti;
}

function altitudineA(m) {
  const punti = altitudini();
  for (let i = 1; i < punti.length; ++i)
    if (punti[i][0] >= m) {
      const [m0, h0] = punti[i - 1], [m1, h1] = punti[i];
      return h0 + ((h1 - h0) * (m - m0)) / (m1 - m0 || 1);
    }
  return punti.length ? punti[punti.length - 1][1] : 0;
}

// A lane of stretches with a value: the stretch under the pointer says it.
function trattoSotto(tratti, m, nome, unita, riga) {
  for (const t of visibili(tratti))
    if (t[0] <= m && m < t[1]) return { nome, da: t[0], a: t[1], valori: [[nome, t[2] + unita]], riga };
  return null;
}

function disegnaPendenza(c, g, s, larghezza, altezza) {
  const tratti = visibili(dati.pendenze || []);
  let minimo = -1, massimo = 1;
  for (const t of tratti) { minimo = Math.min(minimo, t[2]); massimo = Math.max(massimo, t[2]); }
  const y = (v) => 8 + ((massimo - v) / (massimo - minimo)) * (altezza - 16);
  for (const [da, a, v] of tratti) {
    if (v === 0) continue;
    g.fillStyle = v > 0 ? COLORI.salita : COLORI.discesa;
    g.globalAlpha = 0.6;
    const x1 = s.x(da), x2 = s.x(a);
    g.fillRect(x1, Math.min(y(0), y(v)), Math.max(x2 - x1, 0.6), Math.abs(y(v) - y(0)));
  }
  g.globalAlpha = 1;
  g.strokeStyle = "#78909c";
  g.beginPath(); g.moveTo(0, y(0)); g.lineTo(larghezza, y(0)); g.stroke();
  // The scale's values stand inside the lane, clear of its name, and the
  // stretches' values start past them.
  testoConAlone(g, "+" + massimo + " ‰", 4, 12, COLORI.tenue);
  testoConAlone(g, minimo + " ‰", 4, altezza - 3, COLORI.tenue);
  if (vista.a - vista.da < 30000)
    for (const [da, a, v] of tratti) {
      const x1 = Math.max(s.x(da), 48), x2 = Math.min(s.x(a), larghezza);
      const t = (v > 0 ? "+" : "") + v;
      if (x2 - x1 > g.measureText(t).width + 6 && v !== 0) testoConAlone(g, t, x1 + 3, v > 0 ? y(v) + 11 : y(v) - 3, COLORI.testo);
    }
  c.valoreIn = (m) => trattoSotto(dati.pendenze || [], m, "gradient", " per mille");
}

function disegnaCurve(c, g, s, larghezza, altezza) {
  const mezzo = altezza / 2;
  g.strokeStyle = "#90a4ae";
  g.beginPath(); g.moveTo(0, mezzo); g.lineTo(larghezza, mezzo); g.stroke();
  for (const [da, a, classe, lato] of visibili(dati.curve || [])) {
    const h = (classe / 6) * (mezzo - 3);
    const x1 = s.x(da), x2 = s.x(a);
    g.fillStyle = lato === "d" ? "#3949ab" : "#00897b";
    g.fillRect(x1, lato === "d" ? mezzo - h : mezzo, Math.max(x2 - x1, 0.8), h);
  }
  testoConAlone(g, "right (d)", 4, 11, "#3949ab");
  testoConAlone(g, "left (s)", 4, altezza - 3, "#00897b");
  c.valoreIn = (m) => {
    for (const [da, a, classe, lato] of visibili(dati.curve || []))
      if (da <= m && m < a) {
        const raggi = [10000, 5000, 2500, 1000, 500, 333];
        return { nome: "curve to the " + (lato === "d" ? "right (d)" : "left (s)"), da, a,
          valori: [["class", classe + " (radius about " + raggi[classe - 1] + " m)"], ["length", metri(a - da)], ["read from", "the plan"]] };
      }
    return dati.pianta ? { nome: "straight", da: m, valori: [["curvature", "none"]] } : null;
  };
}

// A value that holds over runs, as steps.
function lineaAGradini(g, s, tratti, y, colore, spessore) {
  g.beginPath();
  tratti.forEach(([da, a, v], i) => {
    if (i === 0) g.moveTo(s.x(da), y(v)); else g.lineTo(s.x(da), y(v));
    g.lineTo(s.x(a), y(v));
  });
  g.strokeStyle = colore;
  g.lineWidth = spessore;
  g.stroke();
  g.lineWidth = 1;
}

function disegnaVelocita(c, g, s, larghezza, altezza) {
  const limiti = visibili(dati.velocita || []);
  let massimo = 40;
  for (const t of limiti) massimo = Math.max(massimo, t[2]);
  massimo = Math.ceil((massimo * 1.15) / 20) * 20;
  const y = (v) => altezza - 6 - (v / massimo) * (altezza - 14);
  g.strokeStyle = COLORI.griglia;
  g.beginPath();
  const passo = massimo > 160 ? 40 : 20;
  for (let v = passo; v < massimo; v += passo) { g.moveTo(0, y(v)); g.lineTo(larghezza, y(v)); }
  g.stroke();
  for (let v = passo; v < massimo; v += passo) testoConAlone(g, String(v), larghezza - 26, y(v) + 4, COLORI.tenue);
  lineaAGradini(g, s, limiti, y, COLORI.velocita, 2);
  if (vista.a - vista.da < 60000)
    for (const [da, a, v] of limiti) {
      const x1 = Math.max(s.x(da), 0), x2 = Math.min(s.x(a), larghezza);
      if (x2 - x1 > 30) testoConAlone(g, String(v), x1 + 3, y(v) - 4, COLORI.velocita);
    }
  for (const o of oggettiIn(["rallentamento", "avviso", "preavviso", "fine_rallentamento"])) {
    const x1 = s.x(o.da), x2 = s.x(o.a);
    if (o.tipo === "rallentamento") {
      const v = Number(/(\d+) km\/h/.exec(o.nome)?.[1] || 0);
      g.fillStyle = "rgba(239,108,0,0.22)";
      g.fillRect(x1, y(v), Math.max(x2 - x1, 2), altezza - 6 - y(v));
      g.strokeStyle = COLORI.rallentamento;
      g.lineWidth = 2.5;
      g.beginPath(); g.moveTo(x1, y(v)); g.lineTo(Math.max(x2, x1 + 2), y(v)); g.stroke();
      g.lineWidth = 1;
      testoConAlone(g, v + "", x1 + 2, y(v) + 12, COLORI.rallentamento);
      segna(c, o, x1, Math.max(x2, x1 + 4), y(v) - 4, altezza);
    } else if (o.tipo === "avviso") {
      const xm = (x1 + x2) / 2;
      g.fillStyle = "#fff3e0";
      g.strokeStyle = COLORI.rallentamento;
      g.lineWidth = 1.5;
      g.beginPath(); g.moveTo(xm, altezza - 22); g.lineTo(xm - 6, altezza - 9); g.lineTo(xm + 6, altezza - 9); g.closePath();
      g.fill(); g.stroke();
      g.lineWidth = 1;
      segna(c, o, xm - 7, xm + 7, altezza - 24, altezza - 6);
    } else if (o.tipo === "preavviso") {
      g.fillStyle = COLORI.rallentamento;
      g.fillRect(x1, altezza - 6, Math.max(x2 - x1 - 1, 1), 4);
      segna(c, o, x1, Math.max(x2, x1 + 3), altezza - 8, altezza);
    } else {
      g.fillStyle = COLORI.rallentamento;
      g.fillRect(x1, altezza - 30, 2, 24);
      segna(c, o, x1 - 3, x1 + 4, altezza - 30, altezza);
    }
    contornoOltre(g, o, x1, x2, 2, altezza - 2);
  }
  c.valoreIn = (m) => trattoSotto(dati.velocita || [], m, "line speed limit", " km/h");
}

function disegnaAderenza(c, g, s, larghezza, altezza) {
  const tratti = visibili(dati.aderenze || []);
  let massimo = 1;
  for (const t of tratti) massimo = Math.max(massimo, t[2]);
  const y = (v) => altezza - 5 - (v / massimo) * (altezza - 16);
  lineaAGradini(g, s, tratti, y, COLORI.aderenza, 1.8);
  for (const [da, a, v] of tratti) {
    const x1 = Math.max(s.x(da), 0), x2 = Math.min(s.x(a), larghezza);
    if (x2 - x1 > 28) testoConAlone(g, String(v), x1 + 3, y(v) - 3 < 10 ? y(v) + 11 : y(v) - 3, COLORI.aderenza);
  }
  c.valoreIn = (m) => trattoSotto(dati.aderenze || [], m, "adhesion", "");
}

function disegnaMontagne(c, g, s, larghezza, altezza) {
  const marcatori = new Set(dati.marcatori || []);
  for (const [da, a, v] of visibili(dati.montagne || [])) {
    if (v === 0) continue;
    const x1 = s.x(da), x2 = Math.max(s.x(a), x1 + 2);
    g.fillStyle = MONTAGNE[v % MONTAGNE.length];
    g.fillRect(x1, 6, x2 - x1, altezza - 12);
    const t = "kind " + v;
    // Light letters on the dark fills, with room to spare or beside the stretch.
    if (x2 - x1 > g.measureText(t).width + 8) { g.fillStyle = v % MONTAGNE.length === 2 || v % MONTAGNE.length === 4 ? "#263238" : "#ffffff"; g.fillText(t, Math.max(x1, 0) + 4, altezza / 2 + 4); }
  }
  for (const k of marcatori) {
    const x = s.x((k - 1) * 50 + 25);
    if (x < 0 || x > larghezza) continue;
    g.fillStyle = "#ffeb3b";
    g.fillRect(x - 1, 3, 2, 4);
  }
  c.valoreIn = (m) => {
    const t = trattoSotto(dati.montagne || [], m, "mountain kind", "");
    if (!t || t.valori[0][1] === "0") return null;
    let marcati = 0;
    for (const k of marcatori) if ((k - 1) * 50 >= t.da && (k - 1) * 50 < t.a) ++marcati;
    t.nome = "mountain or tunnel stretch";
    t.valori.push(["markers", marcati ? marcati + " (every fourth cell)" : "none"]);
    return t;
  };
}

function disegnaStazioni(c, g, s, larghezza, altezza) {
  const righe = [];
  g.font = 'bold 11px "DejaVu Sans", Arial, sans-serif';
  for (const st of dati.stazioni) {
    const x1 = s.x(st.da), x2 = s.x(st.a), xp = s.x(st.punto);
    if (x2 < -200 || x1 > larghezza + 200) continue;
    g.fillStyle = "rgba(30,90,168,0.28)";
    g.fillRect(x1, altezza - 20, Math.max(x2 - x1, 2), 10);
    if (st.fermata !== null) {
      const xf = s.x((st.fermata - 1) * 50), xf2 = s.x(st.fermata * 50);
      g.fillStyle = COLORI.stazione;
      g.fillRect(xf, altezza - 24, Math.max(xf2 - xf, 2.5), 18);
    }
    g.strokeStyle = COLORI.stazione;
    g.lineWidth = 1.5;
    g.beginPath(); g.moveTo(xp, altezza - 26); g.lineTo(xp, altezza - 4); g.stroke();
    g.lineWidth = 1;
    // Names in as many rows as they need not to overlap.
    const nome = (st.oltre ? "⚑ " : "") + st.nome;
    const w = g.measureText(nome).width;
    const x = Math.min(Math.max(xp - w / 2, 2), larghezza - w - 2);
    let r = 0;
    while (r < righe.length && righe[r] > x - 6) ++r;
    righe[r] = x + w;
    if (r < 3) testoConAlone(g, nome, x, 12 + r * 12, st.oltre ? COLORI.oltre : COLORI.stazione);
    contornoOltre(g, st, x1, x2, altezza - 26, altezza - 4);
    segna(c, descriviStazione(st), Math.min(x1, xp - 4), Math.max(x2, xp + 4), 0, altezza);
  }
}

function descriviStazione(st) {
  return { nome: "station " + st.nome, da: st.da, a: st.a, punto: st.punto, riga: st.riga, oltre: st.oltre,
    valori: [["position", dove(st.punto)], ...st.valori] };
}

function disegnaSegnali(c, g, s, larghezza, altezza) {
  const mezzo = 18;
  for (const o of oggettiIn(["segnale"])) {
    const x = s.x(o.da + 25);
    g.strokeStyle = COLORI.binario;
    g.beginPath(); g.moveTo(x, mezzo + 10); g.lineTo(x, mezzo); g.stroke();
    g.fillStyle = ASPETTI[o.gruppo % ASPETTI.length];
    g.beginPath();
    // The aspect code tells the kinds apart: colour, and a square for the odd ones.
    if (o.gruppo % 2) g.rect(x - 4, mezzo - 8, 8, 8); else g.arc(x, mezzo - 4, 4.5, 0, 2 * Math.PI);
    g.fill();
    g.strokeStyle = "#ffffff";
    g.stroke();
    contornoOltre(g, o, x - 5, x + 5, mezzo - 10, mezzo + 11);
    segna(c, o, x - 6, x + 6, 0, mezzo + 12);
    if (vista.a - vista.da < 20000) testoConAlone(g, String(o.gruppo), x + 6, mezzo - 2, COLORI.tenue);
  }
  // The code-repetition marks below: one tick per cell, its value under the pointer.
  const marche = dati.marche || [];
  for (const [k, v] of marche) {
    const x1 = s.x((k - 1) * 50), x2 = s.x(k * 50);
    if (x2 < 0 || x1 > larghezza) continue;
    g.fillStyle = v > 80 ? COLORI.stazione : "#8e6d00";
    g.fillRect(x1, altezza - 12, Math.max(x2 - x1 - 1, 1), 8);
    segna(c, { nome: v > 80 ? "station approach mark" : "code-repetition mark", cella: k, da: (k - 1) * 50, a: k * 50,
      valori: [["mark", String(v)], ["meaning", v > 80 ? "approach mark " + (v - 80) + " of a station's stop" : "aspect code " + Math.floor(v / 10) + ", mark " + (v % 10) + " before its signal"]] },
      x1, Math.max(x2, x1 + 3), altezza - 14, altezza);
  }
  testoConAlone(g, "marks", 4, altezza - 14, COLORI.tenue);
}

function disegnaAbbattimenti(c, g, s, larghezza, altezza) {
  const y = altezza / 2;
  for (const o of oggettiIn(["abbattimento"])) {
    const x = s.x(o.da + 25);
    const automatico = o.automatico === 1;
    g.beginPath();
    g.moveTo(x, y - 7); g.lineTo(x + 5, y); g.lineTo(x, y + 7); g.lineTo(x - 5, y); g.closePath();
    g.lineWidth = 1.6;
    g.strokeStyle = automatico ? COLORI.automatico : COLORI.abbattimento;
    g.fillStyle = automatico ? "#ffffff" : COLORI.abbattimento;
    if (!automatico && /without a value/.test(o.nome)) g.fillStyle = "#e1bee7";
    g.fill(); g.stroke();
    g.lineWidth = 1;
    contornoOltre(g, o, x - 6, x + 6, y - 9, y + 9);
    segna(c, o, x - 6, x + 6, 0, altezza);
  }
}

function disegnaCartelli(c, g, s, larghezza, altezza) {
  for (const o of oggettiIn(["indicatore", "cartello", "ignoto"])) {
    const x = s.x(o.da + 25);
    if (o.tipo === "indicatore") {
      g.fillStyle = COLORI.indicatore;
      g.fillRect(x - 5, 6, 10, 10);
      g.fillStyle = "#ffffff";
      g.fillText("v", x - 3, 15);
    } else if (o.tipo === "cartello") {
      g.strokeStyle = COLORI.cartello;
      g.beginPath(); g.moveTo(x, 34); g.lineTo(x, 20); g.stroke();
      g.fillStyle = COLORI.cartello;
      g.fillRect(x, 20, 9, 6);
      const testo = o.valori[0][1];
      if (vista.a - vista.da < 20000) testoConAlone(g, testo, x + 12, 30, COLORI.cartello);
    } else {
      g.fillStyle = "#000000";
      g.fillRect(x - 4, 14, 8, 8);
    }
    contornoOltre(g, o, x - 6, x + 10, 4, altezza - 4);
    segna(c, o, x - 6, x + 10, 0, altezza);
  }
}

function disegnaProblemi(c, g, s) {
  for (const d of dati.diagnosi) {
    if (d.posizione === null) continue;
    const x = s.x(d.posizione);
    g.fillStyle = d.errore ? COLORI.oltre : "#f9a825";
    g.beginPath(); g.moveTo(x, 4); g.lineTo(x + 6, 26); g.lineTo(x - 6, 26); g.closePath(); g.fill();
    g.fillStyle = "#ffffff";
    g.fillText("!", x - 2, 23);
    segna(c, { nome: d.errore ? "dropped row: error" : "warning", da: d.posizione, riga: d.riga, valori: [["diagnostic", d.testo]] }, x - 7, x + 7, 0, 30);
  }
}

// The objects of the cells of these kinds that meet the visible stretch.
let oggettiPerTipo = null;
function oggettiIn(tipi) {
  if (!oggettiPerTipo) {
    oggettiPerTipo = {};
    for (const o of dati.oggetti || []) (oggettiPerTipo[o.tipo] ||= []).push(o);
  }
  const r = [];
  for (const t of tipi) for (const o of oggettiPerTipo[t] || []) if (o.a >= vista.da && o.da <= vista.a) r.push(o);
  return r;
}

function segna(c, ogg, x1, x2, y1, y2) { c.scatole.push({ x1, x2, y1, y2, ogg }); }

function contornoOltre(g, o, x1, x2, y1, y2) {
  if (!o.oltre) return;
  g.strokeStyle = COLORI.oltre;
  g.lineWidth = 1.5;
  g.setLineDash([3, 2]);
  g.strokeRect(x1 - 2, y1, Math.max(x2 - x1, 2) + 4, y2 - y1);
  g.setLineDash([]);
  g.lineWidth = 1;
}

function disegnaCorsia(c) {
  const { g, larghezza, altezza } = preparaCanvas(c.canvas, c.altezza);
  c.larghezza = larghezza;
  c.scatole = [];
  c.valoreIn = null;
  const s = scala(c);
  griglia(g, s, larghezza, altezza);
  oltreLaFine(g, s, larghezza, altezza);
  if (dati.celle > 0 || c.id === "stazioni" || c.id === "problemi") c.disegna(c, g, s, larghezza, altezza);
  c.div.dataset.da = String(Math.round(vista.da));
  c.div.dataset.a = String(Math.round(vista.a));
}

// --- the plan -----------------------------------------------------------------

// The plan thinned into levels: each keeps every second point of the one
// before, so that a view draws about the same number of points at any zoom.
function preparaPianta() {
  if (!dati.pianta) return null;
  const { passo, punti } = dati.pianta;
  const n = punti.length / 2;
  const base = new Float64Array(2 * n);
  for (let i = 0; i < 2 * n; ++i) base[i] = punti[i] === null ? NaN : punti[i];
  const livelli = [{ passo, xy: base }];
  while (livelli[livelli.length - 1].xy.length / 2 > 2000) {
    const prima = livelli[livelli.length - 1];
    const m = Math.ceil(prima.xy.length / 4);
    const xy = new Float64Array(2 * m);
    for (let i = 0; i < m; ++i) { xy[2 * i] = prima.xy[4 * i]; xy[2 * i + 1] = prima.xy[4 * i + 1]; }
    livelli.push({ passo: prima.passo * 2, xy });
  }
  return { livelli };
}

function puntoPianta(m) {
  const l = pianta.livelli[0];
  const i = Math.round(m / l.passo);
  if (i < 0 || 2 * i + 1 >= l.xy.length || Number.isNaN(l.xy[2 * i])) return null;
  return [l.xy[2 * i], l.xy[2 * i + 1]];
}

function disegnaPianta() {
  const canvas = document.getElementById("pianta");
  const { g, larghezza, altezza } = preparaCanvas(canvas, 260);
  const c = { scatole: [], larghezza };
  canvas.corsia = c;
  canvas.parentElement.dataset.da = String(Math.round(vista.da));
  canvas.parentElement.dataset.a = String(Math.round(vista.a));
  document.getElementById("pianta-nota").textContent = pianta ? "turned so that the view runs left to right" : "no plan file";
  if (!pianta) return;
  const span = vista.a - vista.da;
  // The thinnest level that still gives about 1500 points over the view.
  let livello = pianta.livelli[0];
  for (const l of pianta.livelli) if (span / l.passo >= 1500) livello = l;
  const da = Math.max(0, Math.floor(vista.da / livello.passo)), a = Math.min(livello.xy.length / 2 - 1, Math.ceil(vista.a / livello.passo));
  // Turned so that the visible stretch runs from left to right.
  let primo = -1, ultimo = -1;
  for (let i = da; i <= a; ++i) if (!Number.isNaN(livello.xy[2 * i])) { if (primo < 0) primo = i; ultimo = i; }
  if (primo < 0) return;
  const dx = livello.xy[2 * ultimo] - livello.xy[2 * primo], dy = livello.xy[2 * ultimo + 1] - livello.xy[2 * primo + 1];
  const angolo = Math.hypot(dx, dy) > 1 ? Math.atan2(dy, dx) : 0;
  const cs = Math.cos(angolo), sn = Math.sin(angolo);
  const ruota = (x, y) => [cs * x + sn * y, -sn * x + cs * y];
  let xmin = Infinity, xmax = -Infinity, ymin = Infinity, ymax = -Infinity;
  for (let i = da; i <= a; ++i) {
    if (Number.isNaN(livello.xy[2 * i])) continue;
    const [x, y] = ruota(livello.xy[2 * i], livello.xy[2 * i + 1]);
    xmin = Math.min(xmin, x); xmax = Math.max(xmax, x); ymin = Math.min(ymin, y); ymax = Math.max(ymax, y);
  }
  if (xmin === Infinity) return;
  const margine = 30;
  const sc = Math.min((larghezza - 2 * margine) / Math.max(xmax - xmin, 1), (altezza - 2 * margine - 20) / Math.max(ymax - ymin, 1));
  const cx = larghezza / 2, cy = (altezza - 20) / 2;
  const schermo = (x0, y0) => {
    const [x, y] = ruota(x0, y0);
    return [cx + (x - (xmin + xmax) / 2) * sc, cy - (y - (ymin + ymax) / 2) * sc];
  };
  // The stretch on either side of the view, faint, then the view itself.
  const traccia = (i1, i2, colore, spessore) => {
    g.beginPath();
    let su = false;
    for (let i = Math.max(0, i1); i <= Math.min(livello.xy.length / 2 - 1, i2); ++i) {
      const x = livello.xy[2 * i], y = livello.xy[2 * i + 1];
      if (Number.isNaN(x)) { su = false; continue; }
      const [px, py] = schermo(x, y);
      if (su) g.lineTo(px, py); else { g.moveTo(px, py); su = true; }
    }
    g.strokeStyle = colore;
    g.lineWidth = spessore;
    g.lineJoin = "round";
    g.stroke();
  };
  const n = a - da;
  traccia(da - n, da, "#cfd8dc", 2);
  traccia(a, a + n, "#cfd8dc", 2);
  traccia(da, a, "#ffffff", 7);
  traccia(da, a, COLORI.binario, 3);
  g.lineWidth = 1;
  const suSchermo = (m) => { const p = puntoPianta(m); return p ? schermo(p[0], p[1]) : null; };
  for (const o of oggettiIn(["segnale"])) {
    const p = suSchermo(o.da + 25);
    if (!p) continue;
    g.fillStyle = ASPETTI[o.gruppo % ASPETTI.length];
    g.beginPath(); g.arc(p[0], p[1], 3.5, 0, 2 * Math.PI); g.fill();
    segna(c, o, p[0] - 5, p[0] + 5, p[1] - 5, p[1] + 5);
  }
  const punti = [];
  for (const st of dati.stazioni) {
    if (st.punto < vista.da || st.punto > vista.a || st.punto > dati.lunghezza) continue;
    const p = suSchermo(st.punto);
    if (!p) continue;
    g.fillStyle = "#ffffff";
    g.strokeStyle = COLORI.stazione;
    g.lineWidth = 2.5;
    g.beginPath(); g.arc(p[0], p[1], 6, 0, 2 * Math.PI); g.fill(); g.stroke();
    g.lineWidth = 1;
    segna(c, descriviStazione(st), p[0] - 7, p[0] + 7, p[1] - 7, p[1] + 7);
    punti.push([st, p]);
  }
  // Each name takes the first free place around its point: above, below,
  // then further out; a name with no room is left to the stations' lane.
  const occupati = punti.map(([, p]) => [p[0] - 7, p[0] + 7, p[1] - 7, p[1] + 7]);
  g.font = 'bold 11px "DejaVu Sans", Arial, sans-serif';
  for (const [st, p] of punti) {
    const w = g.measureText(st.nome).width;
    const x = Math.min(Math.max(p[0] - w / 2, 2), larghezza - w - 2);
    for (const dy of [-11, 20, -24, 33]) {
      const r = [x - 3, x + w + 3, p[1] + dy - 10, p[1] + dy + 2];
      if (r[2] < 0 || r[3] > altezza - 24) continue;
      if (occupati.some((o) => r[0] < o[1] && o[0] < r[1] && r[2] < o[3] && o[2] < r[3])) continue;
      occupati.push(r);
      testoConAlone(g, st.nome, x, p[1] + dy, COLORI.stazione);
      break;
    }
  }
  g.font = '11px "DejaVu Sans", Arial, sans-serif';
  // The scale bar.
  const metriBarra = passoTondo(larghezza / sc / 6, 1);
  const bx = 14, by = altezza - 12, fine = bx + metriBarra * sc;
  g.strokeStyle = COLORI.binario;
  g.lineWidth = 2;
  g.beginPath(); g.moveTo(bx, by); g.lineTo(fine, by); g.moveTo(bx, by - 4); g.lineTo(bx, by + 4); g.moveTo(fine, by - 4); g.lineTo(fine, by + 4); g.stroke();
  g.lineWidth = 1;
  g.fillStyle = COLORI.testo;
  g.fillText(metriBarra >= 1000 ? metriBarra / 1000 + " km" : metriBarra + " m", fine + 6, by + 4);
}

// --- under the pointer ------------------------------------------------------

function descrizione(ogg) {
  const div = document.createElement("div");
  const titolo = document.createElement("div");
  titolo.className = "titolo-ogg";
  titolo.textContent = ogg.nome;
  div.append(titolo);
  const righe = [];
  if (ogg.cella !== undefined) righe.push(["cell", cellaTesto(ogg.cella)]);
  if (ogg.a !== undefined && ogg.a !== ogg.da) righe.push(["stretch", metri(ogg.da) + " to " + metri(ogg.a)]);
  else if (ogg.da !== undefined) righe.push(["at", dove(ogg.da)]);
  if (ogg.a !== undefined && ogg.a !== ogg.da && chilometrica(ogg.da) !== null) righe.push(["chainage", kmTesto(chilometrica(ogg.da)) + " to " + kmTesto(chilometrica(ogg.a))]);
  const tabella = document.createElement("table");
  for (const [k, v] of [...righe, ...(ogg.valori || [])]) {
    const tr = tabella.insertRow();
    tr.insertCell().textContent = k;
    tr.insertCell().textContent = v;
  }
  div.append(tabella);
  if (ogg.oltre) {
    const o = document.createElement("div");
    o.className = "oltre";
    o.textContent = "⚑ past the route's end (" + metri(dati.lunghezza) + "), in the spare cells";
    div.append(o);
  }
  if (ogg.riga) {
    const r = document.createElement("div");
    r.className = "riga-sorgente";
    r.textContent = (ogg.automatico ? "placed by the post-pass for the restriction row " : "placed by ") + ogg.riga;
    div.append(r);
  }
  return div;
}

function mostra(ogg, ex, ey) {
  const s = document.getElementById("suggerimento");
  if (!ogg) { s.hidden = true; return; }
  s.textContent = "";
  s.append(descrizione(ogg));
  s.hidden = false;
  const w = s.offsetWidth, h = s.offsetHeight;
  s.style.left = Math.min(ex + 14, window.innerWidth - w - 6) + "px";
  s.style.top = (ey + 16 + h > window.innerHeight ? ey - h - 10 : ey + 16) + "px";
}

function sotto(c, x, y) {
  let migliore = null, distanza = Infinity;
  for (const b of c.scatole) {
    if (y < b.y1 - 2 || y > b.y2 + 2) continue;
    const d = x < b.x1 ? b.x1 - x : x > b.x2 ? x - b.x2 : 0;
    if (d <= 3 && d < distanza) { migliore = b.ogg; distanza = d; }
  }
  if (!migliore && c.valoreIn) migliore = c.valoreIn(scala(c).m(x));
  return migliore;
}

function collegaPuntatore(canvas, corsiaDi) {
  let trascina = null;
  canvas.addEventListener("pointerdown", (e) => {
    trascina = { x: e.clientX, da: vista.da, a: vista.a };
    canvas.setPointerCapture(e.pointerId);
    canvas.classList.add("trascina");
  });
  canvas.addEventListener("pointermove", (e) => {
    const c = corsiaDi();
    if (trascina) {
      const dx = e.clientX - trascina.x;
      if (Math.abs(dx) > 1) {
        const m = (dx / (c.larghezza || 1)) * (trascina.a - trascina.da);
        ponVista(trascina.da - m, trascina.a - m);
        mostra(null);
      }
      return;
    }
    const r = canvas.getBoundingClientRect();
    mostra(c ? sotto(c, e.clientX - r.left, e.clientY - r.top) : null, e.clientX, e.clientY);
  });
  const fine = () => { trascina = null; canvas.classList.remove("trascina"); };
  canvas.addEventListener("pointerup", fine);
  canvas.addEventListener("pointercancel", fine);
  canvas.addEventListener("pointerleave", () => mostra(null));
  canvas.addEventListener("wheel", (e) => {
    e.preventDefault();
    const c = corsiaDi();
    const r = canvas.getBoundingClientRect();
    const centro = canvas.id === "pianta" ? undefined : scala(c).m(e.clientX - r.left);
    zoom(e.deltaY > 0 ? 1.25 : 0.8, centro);
  }, { passive: false });
}

// --- the page -----------------------------------------------------------------

function intestazione() {
  document.title = dati.percorso + " — train " + dati.treno;
  document.getElementById("titolo").textContent = dati.percorso + " — train " + dati.treno;
  const n = dati.conteggi;
  const conteggi = document.getElementById("conteggi");
  conteggi.textContent = (dati.lunghezza / 1000).toFixed(2) + " km · " + n.stazioni + " stations · " + n.segnali + " signals · " +
    n.rallentamenti + " speed restrictions · " + n.abbattimenti + " abatement points" +
    (dati.fonte === "sources" ? " · from " + dati.file_sorgenti.join(" and ") : " · from the compiled files");
  for (const k of ["stazioni", "segnali", "rallentamenti", "abbattimenti"]) conteggi.dataset[k] = String(n[k]);
  const esito = document.getElementById("esito");
  esito.hidden = !dati.esito;
  esito.textContent = dati.esito || "";

  const elenco = document.getElementById("stazioni");
  elenco.length = 1;
  dati.stazioni.forEach((st, i) => {
    const o = document.createElement("option");
    o.value = String(i);
    o.textContent = st.nome + " (" + dove(st.punto) + ")" + (st.oltre ? " ⚑ past the end" : "");
    elenco.append(o);
  });

  const diagnosi = document.getElementById("diagnosi");
  diagnosi.textContent = "";
  for (const d of dati.diagnosi) {
    const li = document.createElement("li");
    li.className = d.errore ? "errore" : "avviso";
    li.textContent = d.testo;
    if (d.posizione !== null) li.addEventListener("click", () => vaiA(d.posizione));
    diagnosi.append(li);
  }
  document.getElementById("diagnosi-sezione").hidden = dati.diagnosi.length === 0;

  const segnalati = document.getElementById("segnalati");
  segnalati.textContent = "";
  const oltre = [...dati.stazioni.filter((s) => s.oltre).map(descriviStazione), ...(dati.oggetti || []).filter((o) => o.oltre)];
  for (const o of oltre) {
    const li = document.createElement("li");
    li.textContent = o.nome + " at " + metri(o.punto ?? o.da) + ": past the route's end" + (o.riga ? " (" + o.riga + ")" : "");
    li.addEventListener("click", () => vaiA(o.punto ?? o.da));
    segnalati.append(li);
  }
  document.getElementById("segnalati-sezione").hidden = oltre.length === 0;
}

function disegnaTutto() {
  for (const c of corsie) disegnaCorsia(c);
  disegnaPianta();
  document.getElementById("campo-visibile").textContent = "showing " + dove(vista.da) + " to " + dove(vista.a);
}

function carica(nuovi) {
  dati = nuovi;
  cacheAltitudini = null;
  oggettiPerTipo = null;
  pianta = preparaPianta();
  intestazione();
  creaCorsie();
  document.body.dataset.versione = String(dati.versione);
}

// watch rewrites the data script beside the page: it is loaded again every
// half second, and a new version is drawn keeping the view.
window.dati_scenario = (nuovi) => {
  if (nuovi.versione === dati.versione) return;
  carica(nuovi);
  disegnaTutto();
};

function ricaricaDati(nome) {
  setInterval(() => {
    const vecchio = document.getElementById("script-dati");
    if (vecchio) vecchio.remove();
    const s = document.createElement("script");
    s.id = "script-dati";
    s.src = nome + "?v=" + Date.now();
    document.body.append(s);
  }, 500);
}

function avvia() {
  carica(dati);
  vistaDaIndirizzo();
  disegnaTutto();
  collegaPuntatore(document.getElementById("pianta"), () => document.getElementById("pianta").corsia);
  document.getElementById("piu").addEventListener("click", () => zoom(0.5));
  document.getElementById("meno").addEventListener("click", () => zoom(2));
  document.getElementById("tutto").addEventListener("click", () => ponVista(0, dati.lunghezza));
  document.getElementById("stazioni").addEventListener("change", (e) => {
    const st = dati.stazioni[Number(e.target.value)];
    if (st) vaiA(st.punto, Math.max(2000, (st.a - st.da) * 3));
  });
  document.getElementById("vai-modulo").addEventListener("submit", (e) => {
    e.preventDefault();
    const campo = document.getElementById("vai");
    const m = leggiPosizione(campo.value);
    campo.setCustomValidity(m === null ? "a position in metres (12050) or a chainage (km 70.150)" : "");
    campo.reportValidity();
    if (m !== null) vaiA(m);
  });
  document.addEventListener("keydown", (e) => {
    if (e.target instanceof HTMLInputElement || e.target instanceof HTMLSelectElement) return;
    if (e.key === "ArrowLeft") sposta(-0.2);
    else if (e.key === "ArrowRight") sposta(0.2);
    else if (e.key === "+" || e.key === "=") zoom(0.5);
    else if (e.key === "-") zoom(2);
    else if (e.key === "Home") ponVista(0, dati.lunghezza);
    else return;
    e.preventDefault();
  });
  window.addEventListener("resize", disegnaTutto);
  window.addEventListener("hashchange", () => { vistaDaIndirizzo(); disegnaTutto(); });
  const script = document.getElementById("codice").dataset.scriptDati;
  if (script) ricaricaDati(script);
  document.body.dataset.pronta = "1";
}

avvia();
