// The route viewer in a real browser (Debian's chromium driven by
// playwright-core): the pages of the embedded scenario and of a dense route,
// from the sources and from the compiled files, and watch's live reload.
//   node vista.test.mjs SCENARIO_TOOL [SCREENSHOT.png]
// Exits 77 (ctest's skip) when chromium or playwright-core is missing.

import { spawn, spawnSync } from "node:child_process";
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import assert from "node:assert/strict";
import { sorgentiDense } from "./percorso_denso.mjs";

const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium";
const [strumento, schermata] = process.argv.slice(2);
let chromium;
try {
  ({ chromium } = await import("playwright-core"));
} catch {
  console.log("skipped: playwright-core is not installed (npm ci in tests/view)");
  process.exit(77);
}
if (!existsSync(CHROMIUM)) {
  console.log("skipped: no chromium at " + CHROMIUM);
  process.exit(77);
}

const cartella = mkdtempSync(join(tmpdir(), "vista-"));
let riusciti = 0, falliti = 0;

function esegui(argomenti, atteso = [0]) {
  const r = spawnSync(strumento, argomenti, { cwd: cartella, encoding: "utf8" });
  assert.ok(atteso.includes(r.status), `scenario_tool ${argomenti.join(" ")} gave ${r.status}: ${r.stderr}`);
  return r.stdout;
}

function conteggiDump(percorso, treno) {
  const celle = JSON.parse(esegui(["dump", `${percorso}_${treno}.dat`, "--json"])).celle;
  const voci = JSON.parse(esegui(["dump", `${percorso}_${treno}.sim`, "--json"])).voci;
  const quante = (...o) => celle.filter((c) => o.includes(c.oggetto)).length;
  let stazioni = 0;
  while (stazioni + 1 <= 80 && JSON.stringify(Object.values(voci[stazioni + 1]).slice(1)) !== JSON.stringify(Object.values(voci[0]).slice(1))) ++stazioni;
  return { stazioni, segnali: quante(1), rallentamenti: quante(3), abbattimenti: quante(12, 13) };
}

const browser = await chromium.launch({
  executablePath: CHROMIUM,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync"],
});

// A page opened from disk, with every console error, page error and request
// that leaves the file system noted.
async function apri(file, frammento = "") {
  const page = await browser.newPage({ viewport: { width: 1400, height: 1100 } });
  const guai = [];
  page.on("console", (m) => { if (m.type() === "error") guai.push("console: " + m.text()); });
  page.on("pageerror", (e) => guai.push("page error: " + e.message));
  page.on("request", (r) => { if (!r.url().startsWith("file:")) guai.push("request: " + r.url()); });
  await page.goto("file://" + join(cartella, file) + frammento);
  await page.waitForSelector("body[data-pronta='1']");
  page.guai = guai;
  return page;
}

const dati = (page) => page.evaluate(() => JSON.parse(document.getElementById("dati").textContent));

async function campi(page) {
  return page.evaluate(() => [...document.querySelectorAll("[data-corsia], #pianta-sezione")].map((e) => [e.dataset.da, e.dataset.a]));
}

// Moves the pointer over the metre m of a lane and gives what the page says.
async function sopra(page, corsia, m, dy = null) {
  const { x, y } = await page.evaluate(([c, m, dy]) => {
    const div = document.querySelector(`[data-corsia='${c}'] canvas`);
    const r = div.getBoundingClientRect();
    const da = Number(div.parentElement.dataset.da), a = Number(div.parentElement.dataset.a);
    return { x: r.left + ((m - da) / (a - da)) * r.width, y: r.top + (dy === null ? r.height / 2 : dy) };
  }, [corsia, m, dy]);
  await page.mouse.move(x, y);
  return page.evaluate(() => (document.getElementById("suggerimento").hidden ? "" : document.getElementById("suggerimento").innerText));
}

async function prova(nome, corpo) {
  const inizio = Date.now();
  try {
    await corpo();
    ++riusciti;
    console.log(`ok   ${nome} (${((Date.now() - inizio) / 1000).toFixed(1)} s)`);
  } catch (e) {
    ++falliti;
    console.log("FAIL " + nome + "\n     " + String(e.stack || e).split("\n").slice(0, 4).join("\n     "));
  }
}

const avvio = Date.now();
// The pages: the embedded scenario and the dense route, each from its
// sources and from its compiled files.
esegui(["sources", "--out", "."]);
esegui(["compile", "--line", "Valdesca_Morlano_linea.txt", "--train-source", "Valdesca_Morlano_52816-.txt", "--route", "Valdesca_Morlano", "--train", "52816"]);
esegui(["view", "--route", "Valdesca_Morlano", "--train", "52816", "--out", "incorporato_file.html"]);
esegui(["view", "--route", "Valdesca_Morlano", "--train", "52816", "--line", "Valdesca_Morlano_linea.txt", "--train-source", "Valdesca_Morlano_52816-.txt", "--out", "incorporato.html"]);
const denso = sorgentiDense();
writeFileSync(join(cartella, "Denso_linea.txt"), denso.linea, "latin1");
writeFileSync(join(cartella, "Denso_7-.txt"), denso.treno, "latin1");
esegui(["compile", "--line", "Denso_linea.txt", "--train-source", "Denso_7-.txt", "--route", "Denso", "--train", "7"]);
esegui(["view", "--route", "Denso", "--train", "7", "--out", "denso_file.html"]);
esegui(["view", "--route", "Denso", "--train", "7", "--line", "Denso_linea.txt", "--train-source", "Denso_7-.txt", "--out", "denso.html"]);

console.log(`the pages written in ${((Date.now() - avvio) / 1000).toFixed(1)} s`);
for (const [file, percorso, treno] of [["incorporato.html", "Valdesca_Morlano", "52816"], ["incorporato_file.html", "Valdesca_Morlano", "52816"],
  ["denso.html", "Denso", "7"], ["denso_file.html", "Denso", "7"]]) {
  await prova(file + ": no error, no request, the counts of dump --json", async () => {
    const page = await apri(file);
    const mostrati = await page.evaluate(() => ({ ...document.getElementById("conteggi").dataset }));
    const attesi = conteggiDump(percorso, treno);
    assert.deepEqual(Object.fromEntries(Object.entries(mostrati).map(([k, v]) => [k, Number(v)])), attesi);
    assert.match(await page.textContent("#conteggi"), new RegExp(`${attesi.stazioni} stations · ${attesi.segnali} signals`));
    await page.close();
    assert.deepEqual(page.guai, []);
  });
}

await prova("zoom and pan move every lane and the plan together", async () => {
  const page = await apri("denso.html");
  const prima = await campi(page);
  assert.ok(prima.every((c) => c[0] === prima[0][0] && c[1] === prima[0][1]), JSON.stringify(prima));
  // The wheel over the speed lane, the keyboard, and a drag over the plan.
  const box = await page.locator("[data-corsia='velocita'] canvas").boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.wheel(0, -300);
  const dopo = await campi(page);
  assert.ok(dopo.every((c) => c[0] === dopo[0][0] && c[1] === dopo[0][1]), JSON.stringify(dopo));
  assert.ok(Number(dopo[0][1]) - Number(dopo[0][0]) < Number(prima[0][1]) - Number(prima[0][0]));
  await page.keyboard.press("ArrowRight");
  const spostato = await campi(page);
  assert.ok(Number(spostato[0][0]) > Number(dopo[0][0]));
  const pianta = await page.locator("#pianta").boundingBox();
  await page.mouse.move(pianta.x + 600, pianta.y + 100);
  await page.mouse.down();
  await page.mouse.move(pianta.x + 300, pianta.y + 100, { steps: 4 });
  await page.mouse.up();
  const trascinato = await campi(page);
  assert.ok(trascinato.every((c) => c[0] === trascinato[0][0]) && Number(trascinato[0][0]) > Number(spostato[0][0]));
  // The view stands in the address, and a page opened on it keeps it.
  const indirizzo = new URL(page.url()).hash;
  assert.match(indirizzo, /^#da=-?\d+&a=\d+$/);
  const altra = await apri("denso.html", indirizzo);
  assert.deepEqual((await campi(altra))[0], trascinato[0]);
  await altra.close();
  await page.close();
  assert.deepEqual(page.guai, []);
});

await prova("a station, a signal and a restriction say what they are, with their rows", async () => {
  const page = await apri("denso.html", "#da=20000&a=30000");
  const d = await dati(page);
  const st = d.stazioni.find((s) => s.punto >= 20000 && s.punto <= 30000);
  const testoStazione = await sopra(page, "stazioni", st.punto);
  assert.match(testoStazione, new RegExp("station " + st.nome));
  assert.match(testoStazione, /stop cell\s+\d+ \(/);
  assert.match(testoStazione, /Denso_7-\.txt:\d+/);
  const sg = d.oggetti.find((o) => o.tipo === "segnale" && o.da > 20500 && o.da < 29500);
  const testoSegnale = await sopra(page, "segnali", sg.da + 25, 14);
  assert.match(testoSegnale, /signal, aspect code/);
  assert.match(testoSegnale, new RegExp(`cell\\s+cell ${sg.cella} \\(${sg.da} m to ${sg.a} m\\)`));
  assert.match(testoSegnale, new RegExp(sg.riga.replace(".", "\\.")));
  const rl = d.oggetti.find((o) => o.tipo === "rallentamento");
  const testoRallentamento = await sopra(page, "velocita", (rl.da + rl.a) / 2, 80);
  assert.match(testoRallentamento, /speed restriction at 60 km\/h/);
  assert.match(testoRallentamento, new RegExp(rl.riga.replace(".", "\\.")));
  await page.close();
  assert.deepEqual(page.guai, []);
});

await prova("from the files alone a station says its stretch, without a row", async () => {
  const page = await apri("incorporato_file.html");
  const st = (await dati(page)).stazioni[2];
  await page.selectOption("#stazioni", "2");
  const testo = await sopra(page, "stazioni", st.punto);
  assert.match(testo, new RegExp("station " + st.nome));
  assert.match(testo, /km \d+\.\d{3}/);
  assert.doesNotMatch(testo, /placed by/);
  await page.close();
  assert.deepEqual(page.guai, []);
});

await prova("the station list and the go-to field jump there, by metres or by chainage", async () => {
  const page = await apri("incorporato.html");
  const d = await dati(page);
  await page.selectOption("#stazioni", "4");
  const [da, a] = (await campi(page))[0].map(Number);
  assert.ok(da < d.stazioni[4].punto && d.stazioni[4].punto < a && a - da < 10000, `${da} ${a}`);
  // The train card's reading: 12050 m from the start is km 70.150.
  for (const scritto of ["km 70.150", "12050"]) {
    await page.fill("#vai", scritto);
    await page.press("#vai", "Enter");
    const [da2, a2] = (await campi(page))[0].map(Number);
    assert.equal(Math.round((da2 + a2) / 2), 12050, scritto);
  }
  assert.match(await page.textContent("[data-corsia='distanza'] .nome-corsia"), /chainage/);
  await page.close();
  assert.deepEqual(page.guai, []);
});

await prova("objects past the route's end are flagged", async () => {
  for (const file of ["denso.html", "denso_file.html"]) {
    const page = await apri(file, "#da=115000&a=127000");
    const d = await dati(page);
    const sg = d.oggetti.find((o) => o.tipo === "segnale" && o.da >= d.lunghezza);
    assert.equal(sg.oltre, 1);
    assert.match(await sopra(page, "segnali", sg.da + 25, 14), /past the route's end/);
    assert.match(await page.textContent("#segnalati"), /station OLTRE LA FINE at 123000 m: past the route's end/);
    await page.close();
    assert.deepEqual(page.guai, []);
  }
});

await prova("authored and automatic abatement points are told apart from sources only", async () => {
  const sorgenti = (await (async () => { const p = await apri("denso.html"); const d = await dati(p); await p.close(); return d; })()).oggetti.filter((o) => o.tipo === "abbattimento");
  assert.ok(sorgenti.some((o) => o.automatico === 1 && /^automatic/.test(o.nome)));
  assert.ok(sorgenti.some((o) => o.automatico === 0 && /^authored/.test(o.nome) && o.riga));
  const file = (await (async () => { const p = await apri("denso_file.html"); const d = await dati(p); await p.close(); return d; })()).oggetti.filter((o) => o.tipo === "abbattimento");
  assert.equal(file.length, sorgenti.length);
  assert.ok(file.every((o) => o.automatico === 0 && /^code abatement point/.test(o.nome)));
});

await prova("a page from sources with errors lists them with their rows", async () => {
  writeFileSync(join(cartella, "Rotto_1-.txt"), readFileSync(join(cartella, "Valdesca_Morlano_52816-.txt"), "latin1").replace(/segnale,\s+4950,/, "segnale,    4975,"), "latin1");
  esegui(["view", "--route", "Rotto", "--train", "1", "--line", "Valdesca_Morlano_linea.txt", "--train-source", "Rotto_1-.txt", "--out", "rotto.html"], [0, 2]);
  const page = await apri("rotto.html");
  const elenco = await page.textContent("#diagnosi");
  const d = await dati(page);
  for (const diagnosi of d.diagnosi) assert.ok(elenco.includes(diagnosi.testo));
  await page.close();
  assert.deepEqual(page.guai, []);
});

await prova("watch: a saved source changes the open page's data", async () => {
  const uscita = join(cartella, "osservato");
  mkdirSync(uscita);
  esegui(["sources", "--out", "osservato"]);
  const linea = join(uscita, "Valdesca_Morlano_linea.txt"), treno = join(uscita, "Valdesca_Morlano_52816-.txt");
  const w = spawn(strumento, ["watch", "--line", linea, "--train-source", treno, "--route", "Osservato", "--train", "1", "--out", uscita], { stdio: ["ignore", "pipe", "pipe"] });
  let detto = "";
  w.stdout.on("data", (b) => { detto += b; });
  const finito = new Promise((fatto) => w.on("exit", (codice) => fatto(codice)));
  try {
    const attendi = async (prova, motivo) => {
      for (let t = 0; t < 100; ++t) { if (await prova()) return; await new Promise((f) => setTimeout(f, 100)); }
      throw new Error("waited 10 s for " + motivo + "; watch said: " + detto);
    };
    await attendi(() => existsSync(join(uscita, "Osservato_1.dati.js")) && existsSync(join(uscita, "Osservato_1.html")), "the first page");
    const page = await browser.newPage();
    page.guai = [];
    page.on("pageerror", (e) => page.guai.push(e.message));
    await page.goto("file://" + join(uscita, "Osservato_1.html") + "#da=4000&a=9000");
    await page.waitForSelector("body[data-pronta='1']");
    const segnali = Number(await page.getAttribute("#conteggi", "data-segnali"));
    // An editor that saves by rename: a new file takes the old one's place.
    const testo = readFileSync(treno, "latin1").replace("[segnali]", "[segnali]\r\nsegnale,    30050,   1, 4, 1,  0, 0,    0,  0,0,0, 0");
    writeFileSync(treno + ".nuovo", testo, "latin1");
    spawnSync("mv", [treno + ".nuovo", treno]);
    await attendi(async () => Number(await page.getAttribute("#conteggi", "data-segnali")) === segnali + 1, "the page to show the new signal");
    assert.equal((await campi(page))[0].join("-"), "4000-9000");
    // A source that makes no cells keeps the last good data and says why.
    writeFileSync(linea, "[generale]\r\n", "latin1");
    await attendi(async () => !(await page.locator("#esito").isHidden()), "the page to show the failed compile");
    assert.equal(Number(await page.getAttribute("#conteggi", "data-segnali")), segnali + 1);
    assert.ok((await page.textContent("#diagnosi")).length > 0);
    await page.close();
    assert.deepEqual(page.guai, []);
  } finally {
    w.kill("SIGINT");
  }
  assert.equal(await finito, 0);
  assert.match(detto, /stopped watching/);
});

if (schermata) {
  const page = await apri("denso.html", "#da=18000&a=34000");
  await sopra(page, "stazioni", (await dati(page)).stazioni.find((s) => s.punto > 18000).punto);
  await page.screenshot({ path: schermata, fullPage: true });
  await page.close();
}

await browser.close();
rmSync(cartella, { recursive: true, force: true });
console.log(`${riusciti} passed, ${falliti} failed`);
process.exit(falliti ? 1 : 0);
