// The programs in headless Chromium (the system's, driven by puppeteer-core), as a user
// meets them: each page is opened in a fresh profile, the window's caption and its Chinese
// text must be seen in the picture in the course's face, and each program's first action is
// done with real mouse and keyboard events. stuledger then loads, sorts by age and saves; the
// student2.dat taken from its page must equal the Linux build's byte for byte, outlast a
// reload, and a bad student1.dat put in through the page must give its message and change
// nothing. A picture of each program is left in the pictures folder. The programs are the
// build's list (programs.json beside the site); one without checks of its own here must open
// its page and show its window. Then the site as its server gives it (names by digest,
// compressed copies, headers), and as a class meets it: in the seven pages one after another
// in one profile the server sends the module once, the worker that keeps the course for the
// network off included; and on a line where the whole face comes late, the first window is
// drawn in the first face at once, and a name outside it is drawn once the whole face has
// come. By keyboard and input method: Chinese typed into the text boxes, the menus by keys
// alone, Tab into the program and out. The pages themselves: each program's code below it,
// the index's pictures in boxes of one size, and each page for everyone (axe-core, and the
// canvas named for a screen reader). With the server gone after a first visit, the course's
// page and each program's open from the copy the worker keeps; a new build reaches a student
// whole at a later visit, never mixed with the one kept. The site is served by web/serve.mjs,
// as a school's web space should serve it.
// Usage: node browser_test.mjs <site folder> <pictures folder> <the Linux build's references>
//                              [<pattern>]
// The Linux build's references (linux_references, tests/lib/common.sh) are its student2.dat
// and its layouts.json, every window by control name, by which controls are found here. With
// a pattern (a regular expression), only the tests whose names it finds run.
import {createHash} from 'node:crypto';
import {execFileSync} from 'node:child_process';
import {appendFileSync, copyFileSync, cpSync, existsSync, mkdirSync, mkdtempSync, readdirSync,
        readFileSync, rmSync, statSync, writeFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {get} from 'node:http';
import {tmpdir} from 'node:os';
import {dirname, join} from 'node:path';
import {brotliDecompressSync, gunzipSync} from 'node:zlib';
import {launchChromium, serveSite, sleep} from './chromium.mjs';
import {textFinder} from './seeing.mjs';

const [site, pictures, linuxReferences, pattern = ''] = process.argv.slice(2);
const linuxStudent2 = join(linuxReferences, 'student2.dat');
const layouts = JSON.parse(readFileSync(join(linuxReferences, 'layouts.json'), 'utf8'));
const chosen = name => new RegExp(pattern).test(name);
const programs = JSON.parse(readFileSync(join(dirname(site), 'programs.json'), 'utf8'))
  .map(program => program.name);
const port = 8000 + Math.floor(Math.random() * 1000);
const origin = `http://127.0.0.1:${port}`;

// Logical pixels from points, as the programs draw their texts.
const px = points => Math.round((points * 96) / 72);
// Where a program's client area stands on the canvas (a screen of 720 × 560). The toolkit
// draws a framed window's frame and title bar itself, the window at the screen's top left, and
// the menu bar below them; a window without a frame that starts in the middle of the screen
// is its client area alone.
const screen = {width: 720, height: 560};
const menuBarHeight = 20;
function clientOf(program) {
  const window = layouts[program];
  if (window.border === 'None' && window.centered)
    return {x: (screen.width - window.width) / 2, y: (screen.height - window.height) / 2};
  const menuBar = window.menus.some(item => !item.parent && item.visible);
  return {x: 4, y: 25 + (menuBar ? menuBarHeight : 0)};
}
// A control's row in the layouts, by name; '-' for the window itself.
const control = (program, name) => (name === '-' ? layouts[program]
                                                  : layouts[program].controls[name]);
// The rectangle of a control on the canvas (or of the client area, '-'), with room. A label
// that sizes itself to its caption may reach as far as the window's right edge.
function around(program, name, room = 6) {
  const at = clientOf(program);
  const {x, y, width, height, autoSize} = control(program, name);
  const wide = autoSize ? layouts[program].width - x : width;
  return {x: at.x + x - room, y: at.y + y - room, width: wide + 2 * room,
          height: height + 2 * room};
}
const middleOf = ({x, y, width, height}) => ({x: x + width / 2, y: y + height / 2});
// The title bar, where the caption stands.
const captionStrip = program => ({x: 0, y: 0, width: layouts[program].width + 10, height: 26});
const menuBar = program => ({x: 0, y: clientOf(program).y - menuBarHeight - 5,
                             width: layouts[program].width + 10, height: menuBarHeight + 10});

const server = await serveSite(site, port);
const browser = await launchChromium();
mkdirSync(pictures, {recursive: true});
const find = await textFinder(browser, origin);

// A profile of its own. Chromium may still be letting go of one closed a moment before with
// the course's worker starting in it, and refuse the first try ("Session with given id not
// found"); the second is served.
async function freshProfile() {
  try {
    return await browser.createBrowserContext();
  } catch (error) {
    if (!/Session with given id not found/.test(error.message)) throw error;
    await sleep(1000);
    return browser.createBrowserContext();
  }
}

class Failure extends Error {}
function check(condition, message) {
  if (!condition) throw new Failure(message);
}

// A page of the site in a profile's context, with its errors kept. On a tablet: a touch
// screen.
async function pageOf(context, program, {tablet = false} = {}) {
  const page = await context.newPage();
  await page.setViewport({width: 900, height: 800, hasTouch: tablet});
  page.program = program;
  page.tablet = tablet;
  page.errors = [];
  page.on('pageerror', error => page.errors.push(String(error)));
  return page;
}

// A program's page in a profile of its own, so that stuledger's folder starts empty; on a
// tablet, one that says it is an iPad.
async function open(program, {tablet = false} = {}) {
  const page = await pageOf(await freshProfile(), program, {tablet});
  // A browser set to Chinese: the program takes its language from the browser.
  await page.evaluateOnNewDocument(tablet => {
    Object.defineProperty(navigator, 'language', {get: () => 'zh-CN'});
    Object.defineProperty(navigator, 'languages', {get: () => ['zh-CN', 'zh']});
    if (tablet) {
      Object.defineProperty(navigator, 'platform', {get: () => 'MacIntel'});
      Object.defineProperty(navigator, 'maxTouchPoints', {get: () => 5});
    }
  }, tablet);
  page.shownAfter = await start(page);
  return page;
}

// Loads the page and waits for the loader to say the window is on the canvas; the time
// from the request to then.
async function start(page, at = origin) {
  const begin = Date.now();
  await page.goto(`${at}/${page.program}.html`);
  await page.waitForFunction(() => document.querySelector('#qtstatus').textContent === '',
                             {timeout: 30000});
  const shown = Date.now() - begin;
  await sleep(500);
  return shown;
}

// Waits until a worker keeps the course for the page's site: every file of its build in its
// cache (installed), and serving the site's pages (active).
const courseKept = page => page.waitForFunction(
  async () => (await navigator.serviceWorker.getRegistration())?.active?.state === 'activated',
  {timeout: 30000, polling: 200});

const picture = page => page.$('#qtcanvas').then(canvas => canvas.screenshot());
// The program's picture for the pictures folder, once it shows what it does.
const keep = async page => writeFileSync(`${pictures}/${page.program}.png`, await picture(page));

// The pixel sizes a face of so many points may be drawn at.
const sizesOf = points => [px(points) - 1, px(points), px(points) + 1];
// Seen: the whole text correlates well, and so does each character where it stands (the
// same text scores 0.85 to 0.98 and its weakest character 0.75 or more; a character of
// another text 0.6 or less).
const seen = found => found.score >= 0.85 && found.weakest >= 0.7;
const scores = found => `${found.score.toFixed(2)}, weakest character ${found.weakest?.toFixed(2)}`;

// Waits up to a few seconds for the text to be seen in the box; where it was seen. The text
// may be a function, asked again at each look (a clock).
async function see(page, text, box, points, bold = false) {
  const sizes = sizesOf(points);
  let best;
  for (let attempt = 0; attempt < 15; ++attempt) {
    const wanted = typeof text === 'function' ? text() : text;
    best = await find(await picture(page), wanted, box, sizes, bold);
    if (seen(best)) return best;
    await sleep(300);
  }
  const name = `${pictures}/${page.program}-failed.png`;
  writeFileSync(name, await picture(page));
  throw new Failure(`"${text}" not seen (${scores(best)}); picture in ${name}`);
}

async function notSeen(page, text, box, points, bold = false) {
  const best = await find(await picture(page), text, box, sizesOf(points), bold);
  check(!seen(best), `"${text}" is still seen (${scores(best)})`);
}

// A click at a point of the canvas.
async function click(page, x, y, options = {}) {
  const canvas = await (await page.$('#qtcanvas')).boundingBox();
  await page.mouse.click(canvas.x + x, canvas.y + y, options);
}
// A click in the middle of a control, by its name ('-': of the client area).
const clickControl = (page, name, options = {}) => {
  const {x, y} = middleOf(around(page.program, name, 0));
  return click(page, x, y, options);
};
// Sees a line of the control's own text (the caption or first text its row gives) in it,
// drawn in its font.
const seeText = (page, name, line = 0) => {
  const {text, font} = control(page.program, name);
  return see(page, text.split('\r\n')[line], around(page.program, name), font.points, font.bold);
};

const below = item => ({x: item.x - 10, y: item.y, width: 200, height: 120});
const beside = item => ({x: item.x, y: item.y - 10, width: 220, height: 80});
const clickOn = (page, found) => click(page, found.x + found.width / 2, found.y + found.height / 2);

// Through the menu bar with the mouse: the item, then each item of its submenus.
async function chooseMenu(page, title, ...items) {
  let found = await see(page, title, menuBar(page.program), 9);
  await clickOn(page, found);
  let box = below(found);
  for (const item of items) {
    found = await see(page, item, box, 9);
    await clickOn(page, found);
    box = beside(found);
  }
}

// stuledger's page: what the download button gives, or null when nothing came in time.
async function download(page) {
  const folder = mkdtempSync(join(tmpdir(), 'download-'));
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior',
                     {behavior: 'allow', downloadPath: folder, browserContextId:
                      page.browserContext().id});
  await page.click('#download');
  const file = join(folder, 'student2.dat');
  for (let i = 0; i < 50 && !existsSync(file); ++i) await sleep(100);
  await sleep(200);
  const bytes = existsSync(file) ? readFileSync(file) : null;
  rmSync(folder, {recursive: true, force: true});
  return bytes;
}

// "犇淼鑫","男",20: a record whose name none of the programs shows.
const rareRecord = Buffer.from('22a0c4edb5f6ce222c22c4d0222c32300d0a', 'hex');

// stuledger's page: puts a student1.dat of these bytes in, as the user does with its upload.
async function putIn(page, bytes) {
  const uploads = mkdtempSync(join(tmpdir(), 'upload-'));
  const file = join(uploads, 'student1.dat');
  writeFileSync(file, bytes);
  await page.evaluate(() => { document.querySelector('#filestatus').textContent = ''; });
  await (await page.$('#upload')).uploadFile(file);
  await page.waitForFunction(
      () => document.querySelector('#filestatus').textContent.includes('student1.dat'));
  rmSync(uploads, {recursive: true});
}

// The programs whose first action is a button: the button, the first line its caption is
// drawn in where that is Chinese and wraps (glyphmix's), and what its click shows in which
// control, in that control's font.
const buttonFirst = {
  sigtrail: {button: 'Command1', shows: ['单击了命令按钮Command1', 'List1']},
  glyphmix: {button: 'Command2', says: '统计text1和', shows: ['数字字符个数', 'Picture1']},
  pairfactor: {button: 'Command1', says: '求最大公因数', shows: ['最大公因数为2', 'Label1']},
};
const seeIn = (page, text, name) =>
  see(page, text, around(page.program, name), control(page.program, name).font.points);
const pressButton = ({button, says, shows}) => async page => {
  if (says) await seeIn(page, says, button);
  await clickControl(page, button);
  await seeIn(page, ...shows);
  await keep(page);
};

// What each program's window shows first, seen before the program's own test and with the
// network off: its caption in its title bar; where a timer takes the title over (bmi's clock)
// or there is none (tapkey), a control's text instead, a line of it.
const firstSight = {tapkey: ['Command2', 1], bmi: ['Label1']};
const seeFirst = page => {
  if (!layouts[page.program]) return null;
  const [name, line] = firstSight[page.program] ?? ['-'];
  if (name === '-') return see(page, layouts[page.program].caption, captionStrip(page.program), 9);
  return seeText(page, name, line);
};

const tests = {
  ...Object.fromEntries(Object.entries(buttonFirst).map(([name, row]) => [name, pressButton(row)])),

  async stuledger(page) {
    for (const item of layouts.stuledger.menus.filter(item => !item.parent && item.visible))
      await see(page, item.caption, menuBar('stuledger'), 9);
    const text1 = around('stuledger', 'Text1');
    await chooseMenu(page, '文件', '打开');
    await see(page, '张伟', text1, 9);
    await chooseMenu(page, '排序', '年龄', '升序');
    await see(page, '马', {...text1, height: 40}, 9);
    await keep(page);
    // The right button's pop-up menu waits for a choice; Escape closes it.
    const inText1 = middleOf(text1);
    const popup = {x: inText1.x - 10, y: inText1.y - 10, width: 150, height: 80};
    await click(page, inText1.x, inText1.y, {button: 'right'});
    await see(page, '字体', popup, 9);
    await page.keyboard.press('Escape');
    await sleep(300);
    await notSeen(page, '字体', popup, 9);
    await chooseMenu(page, '文件', '保存');
    await sleep(500);
    const expected = readFileSync(linuxStudent2);
    const saved = await download(page);
    check(saved !== null, 'the page gave no student2.dat');
    check(saved.equals(expected), 'the student2.dat saved in the browser differs from Linux\'s');

    // The folder outlasts a reload; the program starts afresh with an empty box, its files
    // and the face now from the browser's cache.
    page.shownAgain = await start(page);
    await notSeen(page, '张伟', text1, 9);
    check((await download(page))?.equals(expected), 'student2.dat was lost by the reload');

    // A records file with an age that is no number: its message, and nothing changes.
    await putIn(page, Buffer.from([0x22, 0xd5, 0xc5, 0xc8, 0xfd, 0x22, 0x2c, 0x22, 0xc4, 0xd0,
                                   0x22, 0x2c, 0x61, 0x62, 0x63, 0x0d, 0x0a])); // "张三","男",abc
    await click(page, inText1.x, inText1.y);
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyO');
    await page.keyboard.up('Control');
    // The box stands over the window and reaches past it.
    const window = {x: 0, y: 0, width: 380, height: 290};
    await see(page, '类型不匹配', window, 9);
    await see(page, '确定', window, 9);
    await page.keyboard.press('Enter');
    await sleep(500);
    await notSeen(page, '类型不匹配', window, 9);
    await notSeen(page, '张三', text1, 9);
    check((await download(page))?.equals(expected), 'the bad records file changed student2.dat');
    // 退出 asks whether to save, in a box with 是 and 否 in the middle of the screen.
    await chooseMenu(page, '文件', '退出');
    const middle = {x: 255, y: 215, width: 210, height: 110};
    await see(page, '是否需要保存', middle, 9);
    await clickOn(page, await see(page, '否', {...middle, y: middle.y + 60, height: 50}, 9));
    await page.waitForFunction(
        () => document.querySelector('#qtstatus').textContent.includes('已结束'), {timeout: 5000});
  },

  async tapkey(page) {
    await seeText(page, 'Command9', 1); // wxyz
    for (const key of ['Command2', 'Command3', 'Command11']) await clickControl(page, key);
    const display = around('tapkey', 'Text1', 0);
    const {points, bold} = layouts.tapkey.controls.Text1.font;
    await see(page, '230', display, points, bold);
    await clickControl(page, 'Command10'); // c takes the last digit back
    await see(page, '23', display, points, bold);
    await notSeen(page, '230', display, points, bold);
    await keep(page);
    // A double click on the background ends the program. Both clicks go in one call: a look-up
    // of the canvas between them could take longer than a double click may.
    const firstKey = around('tapkey', 'Command1', 0);
    await click(page, (clientOf('tapkey').x + firstKey.x) / 2, middleOf(firstKey).y, {count: 2});
    await page.waitForFunction(
        () => document.querySelector('#qtstatus').textContent.includes('已结束'), {timeout: 5000});
  },

  async arrtidy(page) {
    await clickControl(page, '-');
    await see(page, '删除重复元素后的数列', around('arrtidy', '-', 0), layouts.arrtidy.font.points);
    await keep(page);
  },

  async bmi(page) {
    await seeText(page, 'Label2');
    // The clock takes the caption over within a second, in the browser's language's form.
    const now = () => new Date().toTimeString().slice(0, 5); // 08:05
    await see(page, now, captionStrip('bmi'), 9);
    await notSeen(page, layouts.bmi.caption, captionStrip('bmi'), 9);
    await clickControl(page, 'Command1');
    await seeIn(page, '的BMI是17.93', 'Picture1');
    await keep(page);
    // A weight of nothing: the modal box with its Chinese button, closed by Enter.
    await clickControl(page, 'Text1');
    await page.keyboard.press('End');
    for (let i = 0; i < 3; ++i) await page.keyboard.press('Backspace');
    await clickControl(page, 'Command1');
    const window = around('bmi', '-', 0);
    await see(page, '输入错误', window, 9);
    await see(page, '确定', window, 9);
    await page.keyboard.press('Enter');
    await sleep(500);
    await notSeen(page, '输入错误', window, 9);
  },
};

// The site as its server gives it: each digest in a name is that of the file's bytes, so a
// browser that keeps the file keeps those bytes; every file of 4 kB or more lies beside itself
// compressed, and a browser that takes brotli or gzip gets that copy, the module as wasm, kept
// for good; a page is asked for again, and a path out of the site is not served.
async function siteFiles() {
  const {files} = JSON.parse(readFileSync(join(site, 'files.json'), 'utf8'));
  for (const file of files) {
    const bytes = readFileSync(join(site, file));
    const digest = file.match(/\.([0-9a-f]{12})\.[a-z]+$/)?.[1];
    if (digest && !file.startsWith('course.'))
      check(createHash('sha256').update(bytes).digest('hex').startsWith(digest),
            `${file} does not hold the bytes its name says`);
    if (bytes.length < 4096 || file.endsWith('.png')) continue;
    check(brotliDecompressSync(readFileSync(join(site, file + '.br'))).equals(bytes) &&
          gunzipSync(readFileSync(join(site, file + '.gz'))).equals(bytes),
          `${file}'s compressed copies are not its bytes`);
  }
  const ask = (path, headers = {}) => new Promise((resolve, reject) =>
    get({host: '127.0.0.1', port, path, headers}, response => {
      response.resume();
      response.on('end', () => resolve(response));
    }).on('error', reject));
  const module = files.find(file => file.endsWith('.wasm'));
  const wasm = await ask('/' + module, {'Accept-Encoding': 'gzip, deflate, br'});
  check(wasm.headers['content-encoding'] === 'br' &&
        wasm.headers['content-type'] === 'application/wasm' &&
        wasm.headers['content-length'] === String(statSync(join(site, module + '.br')).size) &&
        /immutable/.test(wasm.headers['cache-control']),
        `the module came as ${JSON.stringify(wasm.headers)}`);
  const gzip = await ask('/' + module, {'Accept-Encoding': 'gzip'});
  check(gzip.headers['content-encoding'] === 'gzip', 'no gzip copy for a browser without brotli');
  const page = await ask('/stuledger.html');
  check(page.headers['cache-control'] === 'no-cache', 'a page is kept without asking again');
  const again = await ask('/stuledger.html', {'If-None-Match': page.headers.etag});
  check(again.statusCode === 304, 'an unchanged page is sent again');
  // Every page names its icon (so the browser asks for no favicon.ico), and it is there.
  for (const name of ['index', ...programs]) {
    const icon = readFileSync(join(site, name + '.html'), 'utf8').match(/rel="icon" href="([^"]+)"/);
    check(icon, `${name}.html names no icon`);
    const answer = await ask('/' + icon[1]);
    check(answer.statusCode === 200 && answer.headers['content-type'] === 'image/svg+xml',
          `${name}.html's icon is not served`);
  }
  for (const outside of ['/../programs.json', '/%2e%2e/programs.json', '/..%2fprograms.json'])
    check((await ask(outside)).statusCode === 404, `${outside} is served`);
}

// The seven pages one after another in one profile, from the course's own page on, counted
// where the bytes leave the server: what the pages fetch and what the worker keeps for visits
// with the network off together send the module once in the whole visit, and nothing any of
// them asks for is missing (a page's icon among them, which a browser asks for by itself).
async function oneVisit() {
  const context = await freshProfile();
  const page = await context.newPage();
  const sentFrom = [];
  for (const program of ['index', ...programs]) {
    sentFrom.push(server.sent.length);
    await page.goto(`${origin}/${program}.html`);
    if (program === 'index') continue;
    await page.waitForFunction(() => document.querySelector('#qtstatus').textContent === '',
                               {timeout: 30000});
  }
  await courseKept(page);
  await context.close();
  await sleep(200); // the server's last lines
  const isModule = ({path}) => /^\/course\.[0-9a-f]+\.(js|wasm)$/.test(path);
  const bytes = answers => answers.filter(isModule).reduce((sum, answer) => sum + answer.bytes, 0);
  console.log('module bytes sent while each page was open in one visit: ' +
              ['index', ...programs].map((name, i) =>
                `${name} ${bytes(server.sent.slice(sentFrom[i], sentFrom[i + 1]))}`).join(', '));
  const sent = server.sent.slice(sentFrom[0]);
  const module = sent.filter(isModule);
  check(new Set(module.map(answer => answer.path)).size === 2, 'the module was not sent');
  for (const {path} of module)
    check(module.filter(answer => answer.path === path && answer.status === 200).length === 1,
          `${path} was sent more than once`);
  const refused = sent.filter(answer => answer.status >= 400);
  check(!refused.length,
        'refused: ' + refused.map(({path, status}) => `${path} (${status})`).join(', '));
}

// stuledger where the whole face comes late: held back until the test lets it through.
async function wholeFaceLate() {
  const context = await freshProfile();
  const page = await pageOf(context, 'stuledger');
  await page.setRequestInterception(true);
  let release;
  const held = new Promise(resolve => { release = resolve; });
  page.on('request', request => {
    // The page asks first whether the browser has the whole face already (and it has not);
    // the fetch of it that follows the program's start is the one held.
    const fetching = request.initiator()?.stack?.callFrames?.[0]?.functionName === 'fetchBytes';
    if (fetching && /\/course-cjk\./.test(request.url())) held.then(() => request.continue());
    else request.continue();
  });
  await start(page);
  await seeFirst(page);
  check(await page.evaluate(() => document.documentElement.dataset.face) !== 'whole',
        'the whole face was there before it was let through');
  // 犇淼鑫 in the window before the whole face comes.
  await putIn(page, rareRecord);
  await chooseMenu(page, '文件', '打开');
  const text1 = around('stuledger', 'Text1');
  await notSeen(page, '犇淼鑫', text1, 9);
  release();
  await page.waitForFunction(() => document.documentElement.dataset.face === 'whole',
                             {timeout: 30000});
  await see(page, '犇淼鑫', text1, 9);
  await seeFirst(page);
  // 退出 answered 是 by the keyboard: the box's wait ends, the program saves, then ends.
  await chooseMenu(page, '文件', '退出');
  const middle = {x: 255, y: 215, width: 210, height: 110};
  await see(page, '是否需要保存', middle, 9);
  await page.keyboard.press('Enter');
  await page.waitForFunction(
      () => document.querySelector('#qtstatus').textContent.includes('已结束'), {timeout: 5000});
  const saved = await download(page);
  check(saved?.includes(Buffer.from('a0c4edb5f6ce', 'hex')), 'the save after 是 does not hold 犇淼鑫');
  check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
  await context.close();
}

// stuledger's folder as the browser's storage holds it: the bytes of a file, or null.
const stored = (page, name) => page.evaluate(name => new Promise((resolve, reject) => {
  const open = indexedDB.open('/home/web_user');
  open.onerror = reject;
  open.onsuccess = () => {
    const get = open.result.transaction('FILE_DATA').objectStore('FILE_DATA')
                  .get('/home/web_user/' + name);
    get.onsuccess = () => resolve(get.result ? Array.from(get.result.contents) : null);
    get.onerror = reject;
  };
}), name).then(bytes => bytes && Buffer.from(bytes));

// stuledger in two tabs of one browser, each open since before the other's steps: no file one
// tab stored is replaced by the other's older copy, and 打开 and the download read what was
// stored last.
async function twoTabs() {
  const context = await freshProfile();
  const tab = async () => {
    const page = await pageOf(context, 'stuledger');
    await start(page);
    return page;
  };
  const [a, b] = [await tab(), await tab()];
  const expected = readFileSync(linuxStudent2);

  // A saves; then B puts in a student1.dat: A's student2.dat stays.
  await a.bringToFront();
  await chooseMenu(a, '文件', '打开');
  await chooseMenu(a, '排序', '年龄', '升序');
  await chooseMenu(a, '文件', '保存');
  await sleep(500);
  await b.bringToFront();
  await putIn(b, rareRecord);
  await sleep(500);
  check((await stored(b, 'student2.dat'))?.equals(expected), "B's put-in lost A's student2.dat");
  const c = await tab();
  check((await download(c))?.equals(expected), "a new tab's download lacks A's student2.dat");

  // A puts in a student1.dat; then B opens and saves: B reads A's file, which stays.
  await a.bringToFront();
  const other = Buffer.from('22d5c5c8fd222c22c4d0222c33300d0a', 'hex'); // "张三","男",30
  await putIn(a, other);
  await sleep(500);
  await b.bringToFront();
  await chooseMenu(b, '文件', '打开');
  await chooseMenu(b, '文件', '保存');
  await sleep(500);
  check((await stored(c, 'student1.dat'))?.equals(other), "A's student1.dat was replaced");
  await a.bringToFront(); // a click waits for the page's frames, which a tab behind gets none of
  const saved = await download(a);
  check(saved?.includes(Buffer.from('d5c5c8fd', 'hex')) &&
        !saved.includes(rareRecord.subarray(1, 7)),
        "B's 打开 did not read A's student1.dat, or A's download does not show B's save");
  for (const page of [a, b, c])
    check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
  await context.close();
}

// A shortcut: ctrl(page, 'KeyZ') is Ctrl+Z, or ⌘Z on a tablet that says it is an iPad, which
// the toolkit takes as a Mac.
async function ctrl(page, key) {
  const modifier = page.tablet ? 'Meta' : 'Control';
  await page.keyboard.down(modifier);
  await page.keyboard.press(key);
  await page.keyboard.up(modifier);
}

// Chinese as a pinyin input method types it (zw, the initials of zhong wen, for 中文): the
// composition, seen in the box as it is typed, with the page's keyboard element in the box (the
// input method shows its candidates beside that), then the text committed.
async function compose(page, box, points, ...steps) {
  const session = await page.createCDPSession();
  for (const step of steps) {
    await session.send('Input.imeSetComposition',
                       {text: step, selectionStart: step.length, selectionEnd: step.length});
    await see(page, step, box, points);
  }
  const canvas = await (await page.$('#qtcanvas')).boundingBox();
  const keys = await (await page.$('#keys')).boundingBox();
  const [x, y] = [keys.x - canvas.x, keys.y - canvas.y];
  check(x >= box.x && x < box.x + box.width && y >= box.y && y + keys.height <= box.y + box.height,
        `the input method's candidates would stand at ${x}, ${y}, not beside the box`);
  return {commit: async text => {
    await session.send('Input.insertText', {text});
    await session.detach();
    await sleep(300);
  }};
}

// Chinese typed in through an input method, and as text that comes without keys (a tablet's
// keyboard): into stuledger's box on a tablet, undone by Ctrl+Z as typing is; into sigtrail's Text1, whose
// Change is logged once per commit and not for the composition; into glyphmix's Text1, which
// 统计 then counts.
async function chineseTyped() {
  const ledger = await open('stuledger', {tablet: true});
  const text1 = around('stuledger', 'Text1');
  const canvas = await (await ledger.$('#qtcanvas')).boundingBox();
  await ledger.touchscreen.tap(canvas.x + middleOf(text1).x, canvas.y + middleOf(text1).y);
  await (await compose(ledger, text1, 9, 'z', 'zw')).commit('中文');
  await see(ledger, '中文', text1, 9);
  await notSeen(ledger, 'zw', text1, 9);
  await ledger.keyboard.sendCharacter('好');
  await see(ledger, '中文好', text1, 9);
  await ctrl(ledger, 'KeyZ');
  await notSeen(ledger, '中文好', text1, 9);
  await see(ledger, '中文', text1, 9);

  const trail = await open('sigtrail');
  const list = around('sigtrail', 'List1');
  const textBox = around('sigtrail', 'Text1');
  await clickControl(trail, 'Text1');
  const focused = await see(trail, 'Text1得到焦点', list, 9);
  // The line below one found: below half of it and a line more; or a line's pitch further on.
  const nextLine = (found, pitch) => (pitch
    ? {x: found.x - 4, y: found.y + pitch - 4, width: found.width + 8, height: found.height + 8}
    : {x: found.x - 4, y: found.y + found.height / 2, width: found.width + 8,
       height: found.height * 2});
  const typing = await compose(trail, textBox, 9, 'zw');
  await notSeen(trail, 'Text1内容改变', nextLine(focused), 9);
  await typing.commit('中文');
  const changed = await see(trail, 'Text1内容改变', nextLine(focused), 9);
  const once = nextLine(changed, changed.y - focused.y);
  await notSeen(trail, 'Text1内容改变', once, 9);
  await trail.keyboard.sendCharacter('好');
  await see(trail, 'Text1内容改变', once, 9);

  const mix = await open('glyphmix');
  await clickControl(mix, 'Text1');
  await ctrl(mix, 'KeyA');
  await mix.keyboard.press('Backspace');
  const text1Font = layouts.glyphmix.controls.Text1.font.points;
  await (await compose(mix, around('glyphmix', 'Text1'), text1Font, 'zw')).commit('中文');
  await clickControl(mix, buttonFirst.glyphmix.button);
  await seeIn(mix, '数字字符个数 0', 'Picture1');
  await seeIn(mix, '标点字符个数 2', 'Picture1');
  for (const page of [ledger, trail, mix]) {
    check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
    await page.browserContext().close();
  }
}

// stuledger by the keyboard alone, with the keys that save the Linux build's student2.dat
// (tests/desktop/stuledger_round_trip.sh): the same bytes. Alt lights the menu bar, the arrows
// walk it and Enter chooses.
async function menusByKeyboard() {
  const page = await open('stuledger');
  const press = async (...keys) => {
    for (const key of keys) {
      await page.keyboard.press(key);
      await sleep(300);
    }
  };
  await ctrl(page, 'KeyO');
  await sleep(500);
  await press('Alt', 'ArrowRight', 'ArrowRight', 'ArrowDown', 'Enter', 'Enter');
  await press('Alt', 'ArrowDown', 'ArrowDown', 'Enter');
  await sleep(500);
  check((await download(page))?.equals(readFileSync(linuxStudent2)),
        'the keys saved other bytes than on Linux');
  check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
  await page.browserContext().close();
}

// Tab from the page into the program gives it the keys and leaves its focus where it was
// (sigtrail's Text1, first in its tab order); Escape then Tab, or Shift+Tab, goes back to the
// page.
async function tabIn() {
  const page = await open('sigtrail');
  await page.focus('p.back a');
  await page.keyboard.press('Tab');
  check(await page.evaluate(() => document.activeElement.id) === 'keys',
        'Tab from the page does not reach the program');
  await page.keyboard.type('x');
  await seeIn(page, 'Text1内容改变', 'List1');
  await seeIn(page, 'Text1x', 'Text1');
  const focused = () => page.evaluate(() => document.activeElement.id ||
                                             document.activeElement.tagName);
  await page.keyboard.press('Escape');
  await page.keyboard.press('Tab');
  check(await focused() !== 'keys', 'Escape then Tab does not leave the program');
  // Back in with Shift+Tab, and out the way it came with Escape, Shift+Tab.
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  check(await focused() === 'keys', 'Shift+Tab does not come back to the program');
  await page.keyboard.press('Escape');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  check(await focused() === 'A', 'Escape then Shift+Tab does not leave the program');
  check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
  await page.browserContext().close();
}

// Each program's page shows its own code below it: every C++ file of the program's folder under
// a heading with its name, line by line, each line numbered and highlighted, and what a copy of
// a listing takes is the file's text, with no numbers. The listing follows the script that
// starts the program, so that the window waits for none of it. The index's pictures stand in
// boxes of one size, known before the pictures come.
async function codeBeside() {
  const root = new URL('../../', import.meta.url).pathname;
  const context = await freshProfile();
  const page = await context.newPage();
  await page.setViewport({width: 1280, height: 800});
  for (const program of programs) {
    const html = readFileSync(join(site, program + '.html'), 'utf8');
    check(html.indexOf('id="code"') > html.indexOf('startProgram('),
          `${program}'s code comes before the script that starts it`);
    await page.goto(`${origin}/${program}.html`);
    const listings = await page.evaluate(() => [...document.querySelectorAll('#code h3')].map(
      heading => {
        const listing = heading.nextElementSibling;
        const range = document.createRange();
        range.selectNodeContents(listing);
        getSelection().removeAllRanges();
        getSelection().addRange(range);
        const lines = [...listing.querySelectorAll('.line')];
        const number = line => getComputedStyle(line, '::before').content;
        const color = getComputedStyle(listing).color;
        return {name: heading.textContent, copied: getSelection().toString(), lines: lines.length,
                numbered: lines.every(line => number(line) !== 'none'),
                highlighted: [...listing.querySelectorAll('.line span')].some(
                  token => getComputedStyle(token).color !== color)};
      }));
    const files = readdirSync(join(root, program)).filter(file => /\.(cpp|h)$/.test(file)).sort();
    const shown = listings.map(listing => listing.name).sort();
    check(shown.join() === files.join(), `${program}'s page shows ${shown.join(', ')}, ` +
          `its folder holds ${files.join(', ')}`);
    for (const {name, copied, lines, numbered, highlighted} of listings) {
      const text = readFileSync(join(root, program, name), 'utf8').replace(/\n$/, '');
      check(copied === text, `${program}'s ${name}, copied from its page, is not the file`);
      check(lines === text.split('\n').length && numbered,
            `${program}'s ${name} has not a numbered line for each of its lines`);
      check(highlighted, `${program}'s ${name} is not highlighted`);
    }
  }
  await page.goto(`${origin}/index.html`);
  const boxes = await page.$$eval('ul.programs img', pictures => pictures.map(picture => {
    const {width, height} = picture.getBoundingClientRect();
    const sized = picture.hasAttribute('width') && picture.hasAttribute('height');
    return sized ? `${width}×${height}` : 'no size';
  }));
  check(new Set(boxes).size === 1 && !boxes.includes('no size'),
        `the index's pictures stand in boxes of ${[...new Set(boxes)].join(', ')}`);
  await context.close();
}

// Each page for everyone: axe-core finds nothing serious or critical on the index or on a
// program's page with its program running, and the program's canvas is an application named by
// the program's Chinese name, so that a screen reader says whose window has the keys.
async function forEveryone() {
  const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
  const {programs: built} = JSON.parse(readFileSync(join(dirname(site), 'site.json'), 'utf8'));
  const context = await freshProfile();
  const page = await context.newPage();
  await page.setViewport({width: 1280, height: 800});
  const findings = [];
  for (const name of ['index', ...programs]) {
    await page.goto(`${origin}/${name}.html`);
    if (name !== 'index') {
      await page.waitForFunction(() => document.querySelector('#qtstatus').textContent === '',
                                 {timeout: 30000});
      const canvas = await page.accessibility.snapshot({root: await page.$('#qtcanvas')});
      const {title} = built.find(program => program.name === name);
      if (canvas?.role !== 'application' || !canvas.name.includes(title))
        findings.push(`${name}: the canvas is ${canvas?.role} "${canvas?.name}"`);
    }
    await page.addScriptTag({content: axe});
    const violations = await page.evaluate(() => axe.run({resultTypes: ['violations']}).then(
      results => results.violations.filter(found => ['serious', 'critical'].includes(found.impact))
        .map(({id, impact, nodes}) => `${id} (${impact}, ${nodes.length}: ${nodes[0].target} …)`)));
    findings.push(...violations.map(violation => `${name}: ${violation}`));
  }
  await context.close();
  check(!findings.length, findings.join('; '));
}

// The course with the network off. The course's page says it may be installed as an app; once
// it has been visited, a worker keeps every file of the site, and with the server gone the
// course's page and each program's open, each window is seen, drawn in the whole face from
// the copy kept, and nothing is asked in vain.
async function offline() {
  const at = `http://127.0.0.1:${port + 1000}`;
  const ownServer = await serveSite(site, port + 1000);
  // The browser's own profile: one it opens for a while (incognito) installs nothing.
  const page = await pageOf(browser.defaultBrowserContext(), 'index');
  try {
    await page.goto(`${at}/index.html`);
    const {installabilityErrors: errors} =
      await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
    check(!errors.length,
          'the course is not installable: ' + errors.map(error => error.errorId).join(', '));
    await courseKept(page);
  } finally {
    ownServer.kill();
  }
  const failed = [];
  page.on('requestfailed', request => failed.push(request.url()));
  page.on('response', response => {
    if (!response.ok()) failed.push(`${response.url()} (${response.status()})`);
  });
  check((await page.goto(`${at}/index.html`))?.ok(), "the course's page did not open");
  for (const program of programs) {
    page.program = program;
    await start(page, at);
    await seeFirst(page);
    await page.waitForFunction(() => document.documentElement.dataset.face === 'whole',
                               {timeout: 10000});
  }
  check(!failed.length, 'asked for in vain: ' + failed.join(', '));
  check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
  await page.close();
}

// A new build reaches a student whole, never mixed with the build kept: a page opened once the
// new build is on the server is still the kept build's, all of it, and stays so while the new
// build's worker keeps every file of its own beside; once no page of the kept build is open,
// the next is the new build's, all of it, and the kept build's copy is gone. The new build
// moves only the files that changed, even where the browser's cache has lost the others; what
// stuledger stored in the browser's storage stays. The new build is this one made again by
// build_site.mjs, its program.js changed, into a copy of the site.
async function newBuild() {
  const build = dirname(site);
  const folder = mkdtempSync(join(tmpdir(), 'builds-'));
  const copy = join(folder, 'site');
  cpSync(site, copy, {recursive: true, preserveTimestamps: true});
  const at = `http://127.0.0.1:${port + 2000}`;
  const ownServer = await serveSite(copy, port + 2000);
  const context = await freshProfile();
  // files.json as the page gets it, where every stamped file the page names or loaded is one
  // of its files.
  const buildOf = async page => {
    const {listed, used} = await page.evaluate(async () => ({
      listed: await (await fetch('files.json')).text(),
      used: [...performance.getEntriesByType('resource').map(entry => entry.name),
             ...[...document.querySelectorAll('[src], [href]')].map(e => e.src || e.href)],
    }));
    const {files} = JSON.parse(listed);
    for (const url of used) {
      const name = new URL(url).pathname.slice(1);
      check(!/\.[0-9a-f]{12}\./.test(name) || files.includes(name), `${name} is of another build`);
    }
    return listed;
  };
  const visit = async () => {
    const page = await pageOf(context, 'stuledger');
    await start(page, at);
    return page;
  };
  // The digest of each file of the build in the copy, by name.
  const digests = () => Object.fromEntries(
    [...JSON.parse(readFileSync(join(copy, 'files.json'), 'utf8')).files, 'files.json'].map(name =>
      [name, createHash('sha256').update(readFileSync(join(copy, name))).digest('hex')]));
  const pages = [];
  try {
    const kept = readFileSync(join(copy, 'files.json'), 'utf8');
    pages.push(await visit());
    await putIn(pages[0], rareRecord);
    await courseKept(pages[0]);
    await (await pages[0].createCDPSession()).send('Network.clearBrowserCache');
    await pages[0].close();

    const before = digests();
    const web = join(folder, 'web');
    const source = new URL('../../web', import.meta.url).pathname;
    mkdirSync(web);
    for (const entry of readdirSync(source, {withFileTypes: true}))
      if (entry.isFile()) copyFileSync(join(source, entry.name), join(web, entry.name));
    appendFileSync(join(web, 'program.js'), '// the next build\n');
    execFileSync('node', [join(source, 'build_site.mjs'), '--config', join(build, 'site.json'),
                          '--web', web, '--module', join(build, 'bin', 'course'),
                          '--faces', join(build, 'faces'), '--code', join(build, 'code'),
                          '--out', copy], {stdio: 'ignore'});
    const next = readFileSync(join(copy, 'files.json'), 'utf8');
    const after = digests();
    const sentFrom = ownServer.sent.length;

    pages.push(await visit());
    check(await buildOf(pages[1]) === kept,
          'a page opened once the new build came is not the kept one');
    // The new build's worker has kept its files and waits (or has wrongly taken over).
    const keptBy = await pages[1].evaluateHandle(() => navigator.serviceWorker.controller);
    await pages[1].waitForFunction(async keptBy => {
      const registration = await navigator.serviceWorker.getRegistration();
      return registration.waiting?.state === 'installed' || registration.active !== keptBy;
    }, {timeout: 30000, polling: 200}, keptBy);
    check(await buildOf(pages[1]) === kept, 'the open page met the new build');
    await sleep(200); // the server's last lines
    const moved = ownServer.sent.slice(sentFrom).filter(answer => answer.status === 200)
      .map(answer => answer.path.slice(1)).filter(name => after[name] === before[name]);
    check(!moved.length, 'the new build moved files that did not change: ' + moved.join(', '));
    await pages[1].close();

    pages.push(await visit());
    check(await buildOf(pages[2]) === next, 'the next visit is not the new build');
    await seeFirst(pages[2]);
    check((await pages[2].evaluate(() => caches.keys())).length === 1,
          'the kept build was not let go');
    check((await stored(pages[2], 'student1.dat'))?.equals(rareRecord),
          'the student1.dat stored was lost by the new build');
    for (const page of pages)
      check(!page.errors.length, 'errors on the page: ' + page.errors.join('; '));
  } finally {
    await context.close();
    ownServer.kill();
    rmSync(folder, {recursive: true, force: true});
  }
}

let failed = false;
try {
  for (const program of programs.filter(chosen)) {
    const test = tests[program] ?? keep;
    const page = await open(program);
    let outcome = 'ok';
    try {
      await seeFirst(page);
      await test(page);
      if (page.errors.length) throw new Failure('errors on the page: ' + page.errors.join('; '));
    } catch (error) {
      outcome = 'FAIL: ' + error.message;
      if (!(error instanceof Failure))
        writeFileSync(`${pictures}/${program}-failed.png`, await picture(page));
      failed = true;
    }
    const again = page.shownAgain ? `, ${page.shownAgain} ms when loaded again` : '';
    console.log(`${program}: window after ${page.shownAfter} ms${again}; ${outcome}`);
    await page.browserContext().close();
  }
  const named = [['the site as served', siteFiles],
                 ['one visit to all the programs', oneVisit],
                 ['the whole face late', wholeFaceLate],
                 ['two tabs of stuledger', twoTabs],
                 ['Chinese typed in', chineseTyped],
                 ['the menus by keyboard', menusByKeyboard],
                 ['Tab into the program and out', tabIn],
                 ['the code beside each program', codeBeside],
                 ['each page for everyone', forEveryone],
                 ['offline', offline],
                 ['a new build', newBuild]];
  for (const [name, test] of named.filter(([name]) => chosen(name))) {
    let outcome = 'ok';
    try {
      await test();
    } catch (error) {
      outcome = 'FAIL: ' + error.message;
      failed = true;
    }
    console.log(`${name}: ${outcome}`);
  }
} finally {
  await browser.close();
  server.kill();
}
process.exit(failed ? 1 : 0);
