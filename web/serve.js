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
const { pipeline } = require('stream');

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

// The real path (symbolic links followed) of the file under root that the
// URL path names, or null when the name is malformed, names nothing, or leads
// out of root, by its spelling or through a link.  root is a real path.
function resolve(root, urlPath) {
  let name;
  try {
    name = decodeURIComponent(urlPath.split('?')[0]);
  } catch (e) {
    return null;
  }
  if (name.endsWith('/')) name += 'index.html';
  let file;
  try {
    file = fs.realpathSync(path.resolve(root, '.' + path.posix.normalize('/' + name)));
  } catch (e) {
    return null;
  }
  return file.startsWith(root + path.sep) ? file : null;
}

function answer(response, status, text, headers = {}) {
  response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8', ...headers });
  response.end(`${text}\n`);
}

// The status for a file that could not be opened or read.
function failureStatus(error) {
  if (error.code === 'ENOENT' || error.code === 'ENOTDIR') return [404, 'not found'];
  if (error.code === 'EACCES' || error.code === 'EPERM') return [403, 'forbidden'];
  return [500, 'cannot read the file'];
}

// Sends the file from one open descriptor, so that what is measured is what
// is sent, however the name changes meanwhile.  Nothing but a plain file is
// served; a read that fails before the header goes out gets its status, one
// that fails later cuts the connection (the length announced cannot be met).
function sendFile(file, request, response) {
  fs.open(file, 'r', (openError, fd) => {
    if (openError) {
      answer(response, ...failureStatus(openError));
      return;
    }
    fs.fstat(fd, (statError, stat) => {
      if (statError || !stat.isFile()) {
        fs.close(fd, () => {});
        if (statError) answer(response, ...failureStatus(statError));
        else answer(response, 404, 'not found');
        return;
      }
      response.writeHead(200, {
        'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
        'Content-Length': stat.size,
        'Cache-Control': 'no-cache',
      });
      if (request.method === 'HEAD' || stat.size === 0) {
        fs.close(fd, () => {});
        response.end();
        return;
      }
      const bytes = fs.createReadStream(null, { fd, start: 0, end: stat.size - 1 });
      pipeline(bytes, response, (error) => {
        if (error && error.code !== 'ERR_STREAM_PREMATURE_CLOSE') {
          console.error(`serve.js: ${file}: ${error.message}`);
        }
      });
    });
  });
}

function serve(root, port, host) {
  root = fs.realpathSync(root);
  const server = http.createServer((request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      answer(response, 405, 'only GET and HEAD', { Allow: 'GET, HEAD' });
      return;
    }
    const file = resolve(root, request.url);
    if (file === null) answer(response, 404, 'not found');
    else sendFile(file, request, response);
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
