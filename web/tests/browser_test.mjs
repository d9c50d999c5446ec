// Starts each program of the course site in headless Chromium (the system's, driven by
// puppeteer-core) and takes its picture once its window is drawn.
// Usage: node browser_test.mjs <site folder> <pictures folder>
import {spawn} from 'node:child_process';
import {mkdirSync} from 'node:fs';
import puppeteer from 'puppeteer-core';

const [site, pictures] = process.argv.slice(2);
const programs = ['stuledger', 'tapkey', 'sigtrail', 'glyphmix', 'pairfactor', 'arrtidy', 'bmi'];
const port = 8000 + Math.floor(Math.random() * 1000);

const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1',
                                  '--directory', site], {stdio: 'ignore'});
await new Promise(resolve => setTimeout(resolve, 1000));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: 'new',
  args: ['--no-sandbox', '--use-gl=swiftshader', '--enable-unsafe-swiftshader',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--no-first-run'],
});
mkdirSync(pictures, {recursive: true});
let failed = false;
try {
  for (const program of programs) {
    const page = await browser.newPage();
    await page.setViewport({width: 900, height: 700});
    const errors = [];
    page.on('pageerror', error => errors.push(String(error)));
    const start = Date.now();
    await page.goto(`http://127.0.0.1:${port}/${program}.html`);
    // The loader empties the status line once the program's window is on the canvas.
    await page.waitForFunction(() => document.querySelector('#qtstatus').textContent === '',
                               {timeout: 30000});
    const shown = Date.now() - start;
    await new Promise(resolve => setTimeout(resolve, 1000));
    await (await page.$('#screen')).screenshot({path: `${pictures}/${program}.png`});
    console.log(`${program}: window after ${shown} ms${errors.length ? ', errors: ' + errors : ''}`);
    failed ||= errors.length > 0;
    await page.close();
  }
} finally {
  await browser.close();
  server.kill();
}
process.exit(failed ? 1 : 0);
