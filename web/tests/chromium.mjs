// What the browser tests and the benchmark share: the site served by web/serve.mjs, as a
// school's web space should serve it, and the system's Chromium, headless, started so that it
// reaches for nothing beyond this machine.
import {spawn} from 'node:child_process';
import puppeteer from 'puppeteer-core';

export const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// The site on 127.0.0.1:port; kill() the process it returns when done.
export async function serveSite(site, port) {
  const server = spawn('node', [new URL('../serve.mjs', import.meta.url).pathname, site,
                                '--port', String(port)], {stdio: 'ignore'});
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
