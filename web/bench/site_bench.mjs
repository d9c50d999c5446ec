// What a student's browser moves and waits for, program by program: the bytes over the wire
// and the time from navigation to the window, on a fresh profile and again warm (the same
// profile, the page opened anew), on the local server and with Chromium's network emulation at
// a school's 20 Mbit/s and 40 ms; then the seven programs opened one after another in one
// visit. The site is served by web/serve.mjs, as a school's web space should serve it, and on
// the school's line also by a plain server (Python's), which sends the files as they are.
// Figures from a quiet machine only: another build running beside it doubles them.
// Usage: node site_bench.mjs <site folder> [rounds]       (rounds: runs per figure, median)
import {spawn} from 'node:child_process';
import {readFileSync} from 'node:fs';
import {dirname, join} from 'node:path';
import {launchChromium, serveSite, sleep} from '../../tests/browser/chromium.mjs';

const [site, roundsArgument] = process.argv.slice(2);
const rounds = Number(roundsArgument ?? 3);
const programs = JSON.parse(readFileSync(join(dirname(site), 'programs.json'), 'utf8'))
  .map(program => program.name);
const port = 9000 + Math.floor(Math.random() * 500);
const school = {offline: false, latency: 40, downloadThroughput: 20e6 / 8,
                uploadThroughput: 20e6 / 8};
// Each line: where the site is served from, and the network between.
const lines = {
  local: {origin: `http://127.0.0.1:${port}`, network: null},
  school: {origin: `http://127.0.0.1:${port}`, network: school},
  'school, plain server': {origin: `http://127.0.0.1:${port + 500}`, network: school},
};

const servers = [
  await serveSite(site, port),
  spawn('python3', ['-m', 'http.server', String(port + 500), '--bind', '127.0.0.1', '--directory',
                    site], {stdio: 'ignore'}),
];
await sleep(1000);
const browser = await launchChromium();

// A page in a profile of its own on the given line, counting what comes over the wire.
async function profile(line) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 900, height: 800});
  page.origin = line.origin;
  const session = await page.createCDPSession();
  await session.send('Network.enable');
  if (line.network) await session.send('Network.emulateNetworkConditions', line.network);
  page.bytes = 0;
  session.on('Network.loadingFinished', event => { page.bytes += event.encodedDataLength; });
  return page;
}

// Opens a program's page: the bytes and milliseconds to its window, and the bytes once the
// whole face has come too.
async function visit(page, program) {
  const bytesBefore = page.bytes;
  const begin = Date.now();
  await page.goto(`${page.origin}/${program}.html`);
  await page.waitForFunction(() => document.querySelector('#qtstatus').textContent === '',
                             {timeout: 60000, polling: 20});
  const ms = Date.now() - begin;
  const toWindow = page.bytes - bytesBefore;
  await page.waitForFunction(() => document.documentElement.dataset.face === 'whole',
                             {timeout: 120000});
  await sleep(200);
  return {ms, toWindow, inAll: page.bytes - bytesBefore};
}

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const mb = bytes => (bytes / 1e6).toFixed(2);
const s = ms => (ms / 1000).toFixed(2);

console.log(`${new Date().toISOString().slice(0, 10)}, ${rounds} rounds, median of each`);
console.log('| program | line | fresh: MB to the window | MB in all | s to the window | warm: MB | s |');
console.log('|---|---|---|---|---|---|---|');
for (const program of programs)
  for (const [name, line] of Object.entries(lines)) {
    // The plain server costs the same for every program: shown once.
    if (name.includes('plain') && program !== programs[0]) continue;
    const fresh = [], warm = [];
    for (let round = 0; round < rounds; ++round) {
      const page = await profile(line);
      fresh.push(await visit(page, program));
      warm.push(await visit(page, program));
      await page.browserContext().close();
    }
    const pick = (runs, key) => median(runs.map(run => run[key]));
    console.log(`| ${program} | ${name} | ${mb(pick(fresh, 'toWindow'))} | ${mb(pick(fresh, 'inAll'))} ` +
                `| ${s(pick(fresh, 'ms'))} | ${mb(pick(warm, 'inAll'))} | ${s(pick(warm, 'ms'))} |`);
  }

console.log('\nAll the programs in one visit, one after another in one fresh profile:');
console.log('| line | MB in all | s to each window |');
console.log('|---|---|---|');
for (const [name, line] of Object.entries(lines)) {
  if (name.includes('plain')) continue;
  const page = await profile(line);
  const times = [];
  for (const program of programs) times.push((await visit(page, program)).ms);
  console.log(`| ${name} | ${mb(page.bytes)} | ${times.map(s).join(', ')} |`);
  await page.browserContext().close();
}
await browser.close();
for (const server of servers) server.kill();
