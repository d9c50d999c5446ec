// Makes the course site from the module, the faces and web/'s pages: the files that change from
// build to build (the module, the scripts, the style, the faces) are named by a digest of their
// bytes, so that a browser keeps them for good and never mixes an old module with a new script;
// the pages keep their names and are asked for again each time. Every file of a few kilobytes
// or more lies beside itself compressed with gzip and brotli, for a server that sends those
// (scripts/serve.sh, or the lines docs/browser.md gives for Apache and nginx). files.json
// lists what the site holds, for the tests and the benchmark. Each program's page ends with
// the program's own code, highlighted beforehand (web/highlight_code.py) into
// <code folder>/<program>.html.
// The manifest lets a browser install the course as an app, and sw.js, made from web/sw.js.in
// with every file's digest, keeps this build in the browser for visits with the network off.
// Usage: node build_site.mjs --config <site.json> --web <web/> --module <bin/course>
//                            --faces <folder> --code <folder> --out <site>
import {createHash} from 'node:crypto';
import {existsSync, mkdirSync, readFileSync, readdirSync, rmSync, statSync,
        writeFileSync} from 'node:fs';
import {basename, dirname, join, relative} from 'node:path';
import {fileURLToPath} from 'node:url';
import {parseArgs} from 'node:util';
import {brotliCompressSync, constants, gzipSync} from 'node:zlib';

const {values: args} = parseArgs({options: {config: {type: 'string'}, web: {type: 'string'},
  module: {type: 'string'}, faces: {type: 'string'}, code: {type: 'string'},
  out: {type: 'string'}}});
const config = JSON.parse(readFileSync(args.config, 'utf8'));
const out = args.out;
const kCompressFrom = 4096;
const kCompressed = /\.(png|gz|br)$/;
// The course's name, on its own page and for the app a browser installs.
const kCourse = '课程程序';

const digestOf = (...contents) => {
  const hash = createHash('sha256');
  for (const bytes of contents) hash.update(bytes);
  return hash.digest('hex').slice(0, 12);
};
const digest = (...files) => digestOf(...files.map(file => readFileSync(file)));
const stamped = (name, stamp) => name.replace(/(\.[^./]+)$/, `.${stamp}$1`);

// Site name -> where its bytes come from, or the bytes themselves.
const site = new Map();
// The names the pages ask for by their plain names (@site.css@), as stamped.
const names = {};
const addStamped = (name, source) => {
  names[name] = stamped(name, digest(source));
  site.set(names[name], source);
};
// The module's script and its wasm are one pair: one digest for both.
const moduleStamp = digest(args.module + '.js', args.module + '.wasm');
names.course = `course.${moduleStamp}`;
site.set(`${names.course}.js`, args.module + '.js');
site.set(`${names.course}.wasm`, args.module + '.wasm');
addStamped('qtloader.js', join(dirname(args.module), 'qtloader.js'));
addStamped('keyboard.js', join(args.web, 'keyboard.js'));
addStamped('program.js', join(args.web, 'program.js'));
addStamped('site.css', join(args.web, 'site.css'));
addStamped('fonts/course-first.ttf', join(args.faces, 'course-first.ttf'));
addStamped('fonts/course-cjk.ttf', join(args.faces, 'course-cjk.ttf'));
for (const p of config.programs) addStamped(`icons/${p.name}.svg`, p.icon);
for (const file of config.files) site.set(basename(file), file);
for (const picture of config.pictures) site.set('pictures/' + basename(picture), picture);

const fill = (template, values) =>
  readFileSync(join(args.web, template), 'utf8').replace(/@([^@\s"<>]+)@/g, (all, key) => {
    const value = values[key] ?? names[key];
    if (value === undefined) throw new Error(`${template}: nothing for ${all}`);
    return value;
  });
const html = text => text.replace(/[&<>"]/g, c => `&#${c.charCodeAt(0)};`);
// The pictures differ in size; each stands in a box of this one, so the index lines up and
// does not move as they come.
const kPicture = 'width="320" height="240"';
const items = config.programs.map(p =>
  `<li><a href="${p.name}.html"><img src="pictures/${p.name}.png" alt="" ${kPicture}><br>` +
  `${html(p.title)} (${p.name})</a><br>${html(p.comment)}</li>`).join('\n');
// The course's own page shows the first program's icon, and so does the installed app; each
// program's page its own.
const courseIcon = names[`icons/${config.programs[0].name}.svg`];
site.set('index.html', Buffer.from(fill('index.html.in', {
  PROGRAM_ITEMS: items, ICON: courseIcon, COURSE: kCourse})));
for (const p of config.programs)
  site.set(`${p.name}.html`, Buffer.from(fill('program.html.in', {
    PROGRAM: p.name, TITLE: html(p.title), COMMENT: html(p.comment),
    KEEPS_FILES: String(p.keepsFiles), ICON: names[`icons/${p.name}.svg`],
    CODE: readFileSync(join(args.code, `${p.name}.html`), 'utf8')})));
site.set('manifest.webmanifest', Buffer.from(JSON.stringify({
  name: kCourse, short_name: kCourse, lang: 'zh-CN', dir: 'ltr',
  start_url: 'index.html', scope: './', display: 'standalone',
  // The window's bar in the blue of the course's icon, over the pages' white.
  theme_color: '#3f7fbf', background_color: '#ffffff',
  // Chromium installs the course with a scalable icon alone, no picture of fixed sizes.
  icons: [{src: courseIcon, sizes: 'any', type: 'image/svg+xml'}],
}, null, 1)));
site.set('files.json', Buffer.from(JSON.stringify(
  {names, files: [...site.keys(), 'sw.js'].sort()}, null, 1)));
// The worker keeps every file but itself; its version changes with any file's bytes.
const bytesOf = source => (Buffer.isBuffer(source) ? source : readFileSync(source));
const kept = Object.fromEntries([...site.keys()].sort().map(name =>
  [name, digestOf(bytesOf(site.get(name)))]));
site.set('sw.js', Buffer.from(fill('sw.js.in', {
  SITE: JSON.stringify({version: digestOf(JSON.stringify(kept)), files: kept}, null, 1)})));

// Written where the bytes differ; compressed where the file is new or changed, or the copy older
// than this script (which says how to compress).
const thisScript = statSync(fileURLToPath(import.meta.url)).mtimeMs;
const same = (path, bytes) => existsSync(path) && readFileSync(path).equals(bytes);
const wanted = new Set();
for (const [name, source] of site) {
  const path = join(out, name);
  const bytes = bytesOf(source);
  mkdirSync(dirname(path), {recursive: true});
  const changed = !same(path, bytes);
  if (changed) writeFileSync(path, bytes);
  wanted.add(path);
  if (bytes.length < kCompressFrom || kCompressed.test(name)) continue;
  for (const [suffix, compress] of [
    ['.gz', () => gzipSync(bytes, {level: 9})],
    ['.br', () => brotliCompressSync(bytes, {params: {
      [constants.BROTLI_PARAM_QUALITY]: 11, [constants.BROTLI_PARAM_LGWIN]: 24,
      [constants.BROTLI_PARAM_SIZE_HINT]: bytes.length}})],
  ]) {
    wanted.add(path + suffix);
    if (changed || !existsSync(path + suffix) || statSync(path + suffix).mtimeMs < thisScript)
      writeFileSync(path + suffix, compress());
  }
}
// What an earlier build left and this one no longer has: an old module, an old face.
const walk = folder => readdirSync(folder).flatMap(entry => {
  const path = join(folder, entry);
  return statSync(path).isDirectory() ? walk(path) : [path];
});
for (const path of walk(out))
  if (!wanted.has(path)) rmSync(path);
console.log(`site: ${relative(process.cwd(), out) || out}, module ${names.course}`);
