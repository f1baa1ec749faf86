// The browser player plays the whole demo with its music: headless Chromium
// may start sound without a gesture, the page starts at once (?autoplay=1),
// and the demo must run to its end and through both closing pictures with
// the sound context running and the music on a Web Audio node, without an
// error, exception or dialog on the console.  It plays at most 2 frames a
// second (?maxfps=2), and must keep to that: the test checks the whole run,
// not its speed, and leaves the processor to the other tests (software
// WebGL takes about a tenth of a core for each frame a second).  Prints
// the download size, the time to the first picture and the frame rate.
//
//   node play.js WEB_DIR
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { withServedBrowser, report } = require('./chromium');

const kFiles = ['Vessamorix.wasm', 'Vessamorix.data', 'Vessamorix.js'];
// The demo (117.7 s) and the closing pictures (2 x 5 s), with room for
// loading and a slow machine.
const kPlaySeconds = 200;
const kMaxFps = 2;

function downloadSize(webDir) {
  let raw = 0, gzip = 0;
  for (const name of kFiles) {
    const bytes = fs.readFileSync(path.join(webDir, name));
    raw += bytes.length;
    gzip += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  const mb = (n) => (n / 1048576).toFixed(2);
  console.log(`download: ${mb(raw)} MB raw, ${mb(gzip)} MB gzip (${kFiles.join(' + ')})`);
}

async function main() {
  const webDir = process.argv[2];
  if (!webDir) throw new Error('usage: play.js WEB_DIR');
  downloadSize(webDir);
  const failures = [];
  await withServedBrowser(webDir, ['--autoplay-policy=no-user-gesture-required'], async (browser, url) => {
    const page = await browser.newPage(800, 600);
    await page.goto(`${url}?autoplay=1&maxfps=${kMaxFps}`);
    await page.waitFor("vessamorix.phase === 'playing'", 60, 'the demo to start');
    const sound = await page.waitFor('vessamorix.audioNodes() > 0 && vessamorix.audio.state', 60, 'the music to start');
    if (sound !== 'running') failures.push(`the sound context is ${sound}, not running`);
    const played = await page.waitFor("vessamorix.phase !== 'playing' && vessamorix.phase", kPlaySeconds, 'the end of the demo');
    const run = await page.evaluate('({exit: vessamorix.exitCode, first: vessamorix.firstPictureMs, frames: vessamorix.frames, seconds: vessamorix.playSeconds})');
    console.log(`first picture after ${Math.round(run.first)} ms; ${run.frames} frames in ${run.seconds.toFixed(1)} s: ${(run.frames / run.seconds).toFixed(1)} frames a second`);
    if (played !== 'ended' || run.exit !== 1) failures.push(`the page ended in phase ${played} with exit code ${run.exit}`);
    // The times are figures to read, not to test: they hang on the machine's load.
    if (run.first === null || run.frames === 0) failures.push('no picture was shown');
    // A timer may fire a little early now and then; a limit not kept shows
    // as a rate far above it.
    if (run.frames > kMaxFps * 1.1 * run.seconds) failures.push(`more than ${kMaxFps} frames a second`);
    for (const p of page.problems()) failures.push(`console ${p.level}: ${p.text}`);
    console.log(`console: ${page.console.length} lines`);
    for (const line of page.console) console.log(`  [${line.level}] ${line.text}`);
  });
  report(failures);
}

main().catch((error) => {
  console.error(error.stack || error.message);
  process.exitCode = 1;
});
