// The native capture program, run for the browser tests' reference frames:
// the OpenGL device natively, offscreen, on the frame clock.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const { decodeBgra } = require('./pixels');

function runCapture(tool, args) {
  return new Promise((done, fail) => {
    const child = spawn(tool, [...args, '--quiet'],
      { env: { ...process.env, SDL_VIDEODRIVER: 'offscreen' }, stdio: ['ignore', 'ignore', 'pipe'] });
    let errors = '';
    child.stderr.on('data', (d) => { errors += d; });
    child.on('error', fail);
    child.on('exit', (code) => (code === 0 ? done() : fail(new Error(`${tool} failed (${code}): ${errors}`))));
  });
}

// The `count` width x height frames (RGB) from demo time `seconds` on,
// which must fall on a frame at fps; `file` holds their raw bytes afterwards.
async function nativeFrames(tool, fps, seconds, count, file, width = 800, height = 600) {
  await runCapture(tool, ['--frames', file, '--fps', String(fps), '--start', String(seconds),
    '--duration', String(count / fps)]);
  const bytes = fs.readFileSync(file);
  const size = width * height * 4;
  if (bytes.length !== count * size) throw new Error(`${file}: ${bytes.length} bytes, not ${count} frames`);
  return Array.from({ length: count }, (_, i) => decodeBgra(bytes.subarray(i * size, (i + 1) * size), width, height));
}

module.exports = { runCapture, nativeFrames };
