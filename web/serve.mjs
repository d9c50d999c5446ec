// Serves the course site as a school's web space should: each file's compressed copy beside it
// (.br, else .gz) to a browser that takes it, with its Content-Encoding; the module as
// application/wasm, so the browser compiles it while it downloads; the files named by a digest
// kept by the browser for a year without asking again; every other file asked again each time
// and answered "not modified" while it is unchanged. Node's own modules only. With --log, a
// line for each answer: its status, the bytes of the file it sent and the path asked for.
// Usage: node serve.mjs <site folder> [--port N] [--host ADDRESS] [--log]
import {createReadStream, statSync} from 'node:fs';
import {createServer} from 'node:http';
import {extname, join, normalize, resolve, sep} from 'node:path';
import {parseArgs} from 'node:util';

const {values: options, positionals} = parseArgs({allowPositionals: true, options: {
  port: {type: 'string', default: '8000'}, host: {type: 'string', default: '127.0.0.1'},
  log: {type: 'boolean', default: false}}});
const root = resolve(positionals[0] ?? 'build-wasm/site');

const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.json': 'application/json', '.wasm': 'application/wasm', '.ttf': 'font/ttf',
  '.png': 'image/png', '.svg': 'image/svg+xml', '.ico': 'image/x-icon',
  '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8',
};
// course.0123456789ab.wasm: the name changes with the bytes.
const kStamped = /\.[0-9a-f]{12}\.[a-z0-9]+$/;

function fileAt(path) {
  try {
    const stat = statSync(path);
    return stat.isFile() ? stat : null;
  } catch {
    return null;
  }
}

// The file a request path names, never outside the site.
function localPath(url) {
  let path;
  try {
    path = decodeURIComponent(new URL(url, 'http://site').pathname);
  } catch {
    return null;
  }
  if (path.endsWith('/')) path += 'index.html';
  const local = normalize(join(root, path));
  return local === root || local.startsWith(root + sep) ? local : null;
}

const server = createServer((request, response) => {
  let sent = 0;
  // Once the answer is over, whole or broken off (a client may close as soon as it has read it).
  if (options.log)
    response.on('close', () => console.log(`${response.statusCode} ${sent} ${request.url}`));
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, {Allow: 'GET, HEAD'}).end();
    return;
  }
  const path = localPath(request.url);
  const stat = path && fileAt(path);
  if (!stat) {
    response.writeHead(404, {'Content-Type': 'text/plain; charset=utf-8'}).end('not found\n');
    return;
  }
  const headers = {
    'Content-Type': kTypes[extname(path)] ?? 'application/octet-stream',
    'Cache-Control': kStamped.test(path) ? 'public, max-age=31536000, immutable' : 'no-cache',
    'Vary': 'Accept-Encoding',
  };
  let file = path;
  let size = stat.size;
  const accepted = String(request.headers['accept-encoding'] ?? '');
  for (const [encoding, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
    const compressed = new RegExp(`\\b${encoding}\\b`).test(accepted) && fileAt(path + suffix);
    if (compressed) {
      file = path + suffix;
      size = compressed.size;
      headers['Content-Encoding'] = encoding;
      break;
    }
  }
  const etag = `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}` +
               `${headers['Content-Encoding'] ? '-' + headers['Content-Encoding'] : ''}"`;
  headers.ETag = etag;
  if (request.headers['if-none-match'] === etag) {
    response.writeHead(304, headers).end();
    return;
  }
  headers['Content-Length'] = size;
  response.writeHead(200, headers);
  if (request.method === 'HEAD') {
    response.end();
    return;
  }
  createReadStream(file).on('data', chunk => { sent += chunk.length; }).pipe(response);
});
server.listen(Number(options.port), options.host, () =>
  console.log(`serving ${root} at http://${options.host}:${server.address().port}/`));
