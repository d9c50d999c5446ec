// Finds a text in a picture of a program's window, drawn in the course's face: the text is
// drawn by the browser in that face at each size in turn, both pictures are cut down to ink
// and background, and the template is slid over the part of the window where the text
// belongs. The best correlation of the two (blurred a little, as the browser's and the
// toolkit's rasterizers differ by a pixel here and there) says how surely the text is there:
// about 0.9 and more when it is; a text that differs by one character of six scores about
// 0.8, another text or the same one in empty boxes far lower.

// Runs in a page of the site, where the course's whole face can be fetched (files.json names it).
async function findInPage(png, text, box, sizes, bold) {
  // A 3×3 box blur: a stroke a pixel off still overlaps.
  function blur(values, w, h) {
    const out = new Float32Array(w * h);
    for (let y = 0; y < h; ++y)
      for (let x = 0; x < w; ++x) {
        let sum = 0, count = 0;
        for (let dy = -1; dy <= 1; ++dy)
          for (let dx = -1; dx <= 1; ++dx) {
            const yy = y + dy, xx = x + dx;
            if (yy >= 0 && yy < h && xx >= 0 && xx < w) sum += values[yy * w + xx], ++count;
          }
        out[y * w + x] = sum / count;
      }
    return out;
  }

  if (!self.courseFace) {
    const {names} = await (await fetch('files.json')).json();
    self.courseFace = new FontFace('course', `url(${names['fonts/course-cjk.ttf']})`);
    document.fonts.add(await self.courseFace.load());
  }
  const image = new Image();
  image.src = 'data:image/png;base64,' + png;
  await image.decode();
  const canvas = new OffscreenCanvas(image.width, image.height);
  const context = canvas.getContext('2d', {willReadFrequently: true});
  context.drawImage(image, 0, 0);
  const x0 = Math.max(0, box.x), y0 = Math.max(0, box.y);
  const w = Math.min(image.width, box.x + box.width) - x0;
  const h = Math.min(image.height, box.y + box.height) - y0;
  const pixels = context.getImageData(x0, y0, w, h).data;
  const lum = new Float32Array(w * h);
  for (let i = 0; i < w * h; ++i)
    lum[i] = 0.299 * pixels[4 * i] + 0.587 * pixels[4 * i + 1] + 0.114 * pixels[4 * i + 2];
  const background = Float32Array.from(lum).sort()[Math.floor(lum.length / 2)];
  const ink = blur(lum.map(v => Math.min(1, Math.abs(v - background) / 100)), w, h);

  // The correlation of columns [from, to) of a template with the window's ink at (x, y).
  function correlate(template, tw, th, from, to, x, y) {
    const n = (to - from) * th;
    let tSum = 0, tSq = 0, sum = 0, sumSq = 0, cross = 0;
    for (let yy = 0; yy < th; ++yy)
      for (let xx = from; xx < to; ++xx) {
        const t = template[yy * tw + xx], v = ink[(y + yy) * w + x + xx - from];
        tSum += t, tSq += t * t, sum += v, sumSq += v * v, cross += v * t;
      }
    const norm = (sumSq - (sum * sum) / n) * (tSq - (tSum * tSum) / n);
    return norm > 0 ? (cross - (sum * tSum) / n) / Math.sqrt(norm) : 0;
  }

  let best = {score: 0};
  for (const size of sizes) {
    const t = new OffscreenCanvas(Math.ceil(size * (text.length + 2)), Math.ceil(size * 2));
    const g = t.getContext('2d', {willReadFrequently: true});
    g.fillStyle = 'white';
    g.fillRect(0, 0, t.width, t.height);
    g.fillStyle = 'black';
    g.font = `${bold ? 'bold ' : ''}${size}px course`;
    g.textBaseline = 'top';
    g.fillText(text, 2, 2);
    const tp = g.getImageData(0, 0, t.width, t.height).data;
    let left = t.width, top = t.height, right = -1, bottom = -1;
    for (let y = 0; y < t.height; ++y)
      for (let x = 0; x < t.width; ++x)
        if (tp[4 * (y * t.width + x)] < 160) {
          left = Math.min(left, x), right = Math.max(right, x);
          top = Math.min(top, y), bottom = Math.max(bottom, y);
        }
    if (right < 0) continue;
    // One pixel of margin each side, so that the template's blur stays inside it.
    left -= 1, top -= 1, right += 1, bottom += 1;
    const tw = right - left + 1, th = bottom - top + 1;
    if (tw > w || th > h) continue;
    const raw = new Float32Array(tw * th);
    for (let y = 0; y < th; ++y)
      for (let x = 0; x < tw; ++x) raw[y * tw + x] = 1 - tp[4 * ((y + top) * t.width + x + left)] / 255;
    const template = blur(raw, tw, th);
    // Where each character begins and ends in the template.
    const edges = [...text].map((_, i) => Math.round(2 + g.measureText(text.slice(0, i)).width) - left);
    edges.push(tw);
    for (let y = 0; y + th <= h; ++y)
      for (let x = 0; x + tw <= w; ++x) {
        const score = correlate(template, tw, th, 0, tw, x, y);
        if (score > best.score) best = {score, size, x, y, template, tw, th, edges};
      }
  }
  if (best.score === 0) return best;

  // Each character on its own, within two pixels of where the whole text put it: a text that
  // differs by one character scores well as a whole, but not at that character.
  const {template, tw, th, edges} = best;
  let weakest = 1;
  for (let i = 0; i + 1 < edges.length; ++i) {
    const from = Math.max(0, edges[i]), to = Math.min(tw, edges[i + 1]);
    if (to - from < 2 || text[i] === ' ') continue;
    let here = 0;
    for (let dy = -2; dy <= 2; ++dy)
      for (let dx = -2; dx <= 2; ++dx) {
        const x = best.x + from + dx, y = best.y + dy;
        if (x >= 0 && y >= 0 && x + to - from <= w && y + th <= h)
          here = Math.max(here, correlate(template, tw, th, from, to, x, y));
      }
    weakest = Math.min(weakest, here);
  }
  return {score: best.score, weakest, size: best.size, x: x0 + best.x + 1, y: y0 + best.y + 1,
          width: tw - 2, height: th - 2};
}

// A checker on its own page of the site at origin: files.json shown, not the course's page,
// which would start a worker keeping the course beside the tests.
export async function textFinder(browser, origin) {
  const page = await browser.newPage();
  await page.goto(`${origin}/files.json`);
  return async (png, text, box, sizes, bold = false) =>
    page.evaluate(findInPage, Buffer.from(png).toString('base64'), text, box, sizes, bold);
}
