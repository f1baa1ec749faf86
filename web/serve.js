#!/usr/bin/env node
// Serves a folder over HTTP on the loopback address with the MIME types the
// browser needs (application/wasm lets it compile while downloading).
//
//   node serve.js DIR [PORT]      PORT 0 (the default) picks a free one;
//                                 the first line printed is the page's URL.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.json': 'application/json',
};

// The file under root that the URL path names, or null when it would leave
// root or is not a plain file.
function resolve(root, urlPath) {
  let name;
  try {
    name = decodeURIComponent(urlPath.split('?')[0]);
  } catch (e) {
    return null;
  }
  if (name.endsWith('/')) name += 'index.html';
  const file = path.resolve(root, '.' + path.posix.normalize('/' + name));
  if (file !== root && !file.startsWith(root + path.sep)) return null;
  try {
    return fs.statSync(file).isFile() ? file : null;
  } catch (e) {
    return null;
  }
}

function serve(root, port, host) {
  root = path.resolve(root);
  const server = http.createServer((request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, { Allow: 'GET, HEAD' });
      response.end();
      return;
    }
    const file = resolve(root, request.url);
    if (file === null) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found\n');
      return;
    }
    const size = fs.statSync(file).size;
    response.writeHead(200, {
      'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
      'Content-Length': size,
      'Cache-Control': 'no-cache',
    });
    if (request.method === 'HEAD') {
      response.end();
      return;
    }
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, host, () => done(server));
  });
}

module.exports = { serve };

if (require.main === module) {
  const [root, port = '0'] = process.argv.slice(2);
  if (!root || !fs.existsSync(path.join(root, 'index.html'))) {
    console.error('usage: serve.js DIR [PORT]   (DIR must hold index.html)');
    process.exit(2);
  }
  serve(root, Number(port), '127.0.0.1').then(
    (server) => console.log(`http://127.0.0.1:${server.address().port}/`),
    (error) => {
      console.error(`serve.js: ${error.message}`);
      process.exit(1);
    });
}
