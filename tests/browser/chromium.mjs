// What the browser tests and the benchmark share: the site served by web/serve.mjs, as a
// school's web space should serve it, and the system's Chromium, headless, started so that it
// reaches for nothing beyond this machine.
import {spawn} from 'node:child_process';
import {createInterface} from 'node:readline';
import puppeteer from 'puppeteer-core';

export const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// The site on 127.0.0.1:port; kill() the process it returns when done. Its sent lists what it
// has answered, {status, bytes, path} each: what went over the wire to every page and worker of
// the browser.
export async function serveSite(site, port) {
  const server = spawn('node', [new URL('../../web/serve.mjs', import.meta.url).pathname, site,
                                '--port', String(port), '--log'],
                       {stdio: ['ignore', 'pipe', 'ignore']});
  server.sent = [];
  createInterface({input: server.stdout}).on('line', line => {
    const [, status, bytes, path] = line.match(/^(\d{3}) (\d+) (.+)$/) ?? [];
    if (path) server.sent.push({status: Number(status), bytes: Number(bytes), path});
  });
  await sleep(1000);
  return server;
}

export function launchChromium() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: 'new',
    args: ['--no-sandbox', '--use-gl=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run'],
  });
}
