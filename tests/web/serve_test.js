// web/serve.js answers every request with a proper status and keeps serving:
// a file it may not read, a symbolic link leading out of its folder, a path
// climbing out of it and a file deleted right after the server first looked
// at it each get their error, and a plain file afterwards still arrives
// whole.  The server runs as its own process (as an unprivileged user when
// the test runs as root, so that a file without read permission is really
// unreadable) and must still be running at the end.
//
//   node serve_test.js
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');

const kServer = path.resolve(__dirname, '../../web/serve.js');
const kNobody = 65534;
const kAsNobody = process.getuid && process.getuid() === 0;

// Loaded into the server process before it starts: files whose name holds
// "vanishes" are deleted as soon as the server has looked them up by name
// once, as if another program removed them between two looks.
const kVanishHook = `
const fs = require('fs');
for (const name of ['statSync', 'lstatSync', 'realpathSync', 'accessSync', 'existsSync',
                    'stat', 'lstat', 'realpath', 'access']) {
  const original = fs[name];
  fs[name] = function (file, ...rest) {
    const result = original.call(fs, file, ...rest);
    if (typeof file === 'string' && file.includes('vanishes')) {
      try { fs.unlinkSync(file); } catch (e) {}
    }
    return result;
  };
  Object.assign(fs[name], original);
}
`;

function makeTree() {
  const base = fs.mkdtempSync(path.join(os.tmpdir(), 'vx-serve-'));
  const root = path.join(base, 'site');
  const outside = path.join(base, 'private');
  fs.mkdirSync(path.join(root, 'sub'), { recursive: true });
  fs.mkdirSync(outside);
  fs.writeFileSync(path.join(root, 'index.html'), '<p>index</p>');
  fs.writeFileSync(path.join(root, 'sub', 'index.html'), '<p>sub</p>');
  fs.writeFileSync(path.join(root, 'program.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
  fs.writeFileSync(path.join(root, 'locked.data'), 'locked');
  fs.chmodSync(path.join(root, 'locked.data'), 0);
  fs.writeFileSync(path.join(root, 'vanishes.js'), 'gone');
  fs.writeFileSync(path.join(outside, 'secret.txt'), 'secret');
  fs.symlinkSync(path.join(root, 'program.wasm'), path.join(root, 'alias.wasm'));
  fs.symlinkSync(path.join(outside, 'secret.txt'), path.join(root, 'secret.txt'));
  fs.symlinkSync(outside, path.join(root, 'private'));
  fs.writeFileSync(path.join(base, 'vanish-hook.js'), kVanishHook);
  for (const dir of [base, root, path.join(root, 'sub'), outside]) fs.chmodSync(dir, 0o755);
  // The server deletes the vanishing file itself.
  if (kAsNobody) fs.chownSync(root, kNobody, kNobody);
  return { base, root };
}

function startServer(base, root) {
  const options = { stdio: ['ignore', 'pipe', 'inherit'] };
  if (kAsNobody) Object.assign(options, { uid: kNobody, gid: kNobody });
  const child = spawn(process.execPath, ['--require', path.join(base, 'vanish-hook.js'), kServer, root, '0'], options);
  return new Promise((done, fail) => {
    let out = '';
    child.stdout.on('data', (chunk) => {
      out += chunk;
      const line = out.match(/^(http:\S+)\n/);
      if (line) done({ child, url: line[1] });
    });
    child.once('exit', (code) => fail(new Error(`the server exited with ${code} before it served`)));
  });
}

function request(url, method) {
  return new Promise((done, fail) => {
    const req = http.request(url, { method }, (response) => {
      const parts = [];
      response.on('data', (part) => parts.push(part));
      response.on('end', () => done({ status: response.statusCode, headers: response.headers, body: Buffer.concat(parts) }));
      response.on('error', fail);
    });
    req.on('error', fail);
    req.end();
  });
}

// [method, path, status, Content-Type or null, body or null]
const kCases = [
  ['GET', '/', 200, 'text/html; charset=utf-8', '<p>index</p>'],
  ['GET', '/sub/', 200, 'text/html; charset=utf-8', '<p>sub</p>'],
  ['GET', '/program.wasm', 200, 'application/wasm', '\0asm\x01\0\0\0'],
  ['GET', '/alias.wasm', 200, 'application/wasm', '\0asm\x01\0\0\0'],
  ['HEAD', '/program.wasm', 200, 'application/wasm', ''],
  ['GET', '/locked.data', 403, null, null],
  ['GET', '/secret.txt', 404, null, null],
  ['GET', '/private/secret.txt', 404, null, null],
  ['GET', '/%2e%2e/private/secret.txt', 404, null, null],
  ['GET', '/sub', 404, null, null],
  ['GET', '/vanishes.js', 404, null, null],
  ['GET', '/%E0%A4%A', 404, null, null],
  ['POST', '/index.html', 405, null, null],
  ['GET', '/index.html', 200, 'text/html; charset=utf-8', '<p>index</p>'],
];

async function main() {
  const { base, root } = makeTree();
  const { child, url } = await startServer(base, root);
  let exited = null;
  child.once('exit', (code, signal) => { exited = signal || code; });
  const failures = [];
  try {
    for (const [method, where, status, type, body] of kCases) {
      const what = `${method} ${where}`;
      let answer;
      try {
        answer = await request(new URL(where, url), method);
      } catch (error) {
        failures.push(`${what}: no answer (${error.message})`);
        continue;
      }
      if (answer.status !== status) failures.push(`${what}: status ${answer.status}, expected ${status}`);
      if (type !== null && answer.headers['content-type'] !== type) {
        failures.push(`${what}: Content-Type ${answer.headers['content-type']}, expected ${type}`);
      }
      if (body !== null && answer.body.toString('latin1') !== body) {
        failures.push(`${what}: body ${JSON.stringify(answer.body.toString('latin1'))}, expected ${JSON.stringify(body)}`);
      }
      if (status >= 400 && answer.body.includes('secret')) failures.push(`${what}: the answer holds the private file`);
    }
    if (exited !== null) failures.push(`the server is no longer running (${exited})`);
  } finally {
    child.kill();
    fs.rmSync(base, { recursive: true, force: true });
  }
  for (const failure of failures) console.error(`FAIL ${failure}`);
  console.log(`serve.js: ${kCases.length - failures.length} of ${kCases.length} checks pass`);
  process.exitCode = failures.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(`FAIL ${error.stack || error}`);
  process.exitCode = 1;
});
