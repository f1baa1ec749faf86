// Still frames of the browser player: one frame in every scene and in both
// closing pictures, taken from the page through ?t=...&still=1 on the frame
// clock, written as PNG files and checked: every frame drawn, no two alike,
// no error on the console.  Each is compared with the native player's frame
// of the same moment on the same frame clock, from either
//
//   --native CAPTURE                  the OpenGL device natively: the native
//                                     capture program keeps its stills first,
//                                     offscreen
//   --native-stills DIR               a capture's contact-sheet stills
//                                     (VessamorixCapture --stills DIR --fps N:
//                                     DIR/index.txt names them with their times)
//
// --scale S shows the 800 x 600 page on a screen of S device pixels to the
// CSS pixel (Chromium's --force-device-scale-factor): the canvas must then
// hold 800S x 600S pixels, and the native capture renders at that size.
//
//   node stills.js WEB_DIR OUT_DIR [--fps N] [--scale S] [--native ... | --native-stills DIR]
'use strict';
const fs = require('fs');
const path = require('path');
const { Browser, phase } = require('./chromium');
const { runCapture } = require('./capture');
const {
  decodePng, decodePpm, compare, kMeanDifference, kWithinShare, kWithinShareFloor,
} = require('./pixels');
const { serve } = require('../../web/serve');

// The scenes' windows end at these demo times (the first begins at 0); the
// closing pictures follow the demo's end at 117.7 s for 5 s each.
const kSceneEnds = [7.3, 9.5, 12.6, 17, 18.7, 23.5, 25.2, 31.5, 34, 40, 50, 54.5, 78, 82, 86, 90,
  94, 100, 104, 108, 112, 115.5, 117.7];

// The middle of every scene's window on a frame, and of both closing pictures.
function middles(fps) {
  const stills = kSceneEnds.map((end, i) => {
    const start = i === 0 ? 0 : kSceneEnds[i - 1];
    return { label: `Scene ${String(i + 1).padStart(2, '0')}`, t: Math.round(((start + end) / 2) * fps) / fps };
  });
  stills.push({ label: 'Closing picture 1', t: 120.2 }, { label: 'Closing picture 2', t: 125.2 });
  return stills;
}

// "01.ppm<TAB>Scene 01 - 3.70 s" lines.
function nativeStills(folder) {
  return fs.readFileSync(path.join(folder, 'index.txt'), 'utf8').trim().split('\n').map((line) => {
    const [file, label] = line.split('\t');
    const time = label.match(/ - ([0-9.]+) s$/);
    if (!time) throw new Error(`unreadable index line: ${line}`);
    return { label: label.replace(/ - [0-9.]+ s$/, ''), t: Number(time[1]), native: path.join(folder, file) };
  });
}

// The native capture program keeps the contact sheet's pictures (the middle
// of every scene and closing picture, on its frame clock at `fps`) in outDir.
function captureStills(tool, fps, size, outDir) {
  const args = ['--fps', String(fps), '--stills', outDir];
  if (size.width !== 800 || size.height !== 600) args.push('--size', `${size.width}x${size.height}`);
  return runCapture(tool, args);
}

function readPicture(file) {
  const bytes = fs.readFileSync(file);
  return file.endsWith('.ppm') ? decodePpm(bytes) : decodePng(bytes);
}

function parseArguments(argv) {
  const [webDir, outDir, ...rest] = argv;
  const options = { webDir, outDir, fps: 10, scale: 1 };
  for (let i = 0; i < rest.length; ++i) {
    if (rest[i] === '--fps') options.fps = Number(rest[++i]);
    else if (rest[i] === '--scale') options.scale = Number(rest[++i]);
    else if (rest[i] === '--native') options.native = rest[++i];
    else if (rest[i] === '--native-stills') options.nativeStills = rest[++i];
    else throw new Error(`unknown argument ${rest[i]}`);
  }
  if (!webDir || !outDir || !(Number.isInteger(options.fps) && options.fps > 0) ||
      !(Number.isInteger(options.scale) && options.scale >= 1 && options.scale <= 4)) {
    throw new Error('usage: stills.js WEB_DIR OUT_DIR [--fps N] [--scale 1-4] [--native CAPTURE | --native-stills DIR]');
  }
  return options;
}

// Distinct colours in a sample of the picture: a frame that was drawn has many.
function colourCount(picture) {
  const seen = new Set();
  for (let p = 0; p < picture.rgb.length; p += 3 * 97) seen.add(picture.rgb.readUIntBE(p, 3));
  return seen.size;
}

async function takeStills(webDir, stills, fps, scale) {
  const server = await serve(webDir, 0, '127.0.0.1');
  const browser = await Browser.launch([`--force-device-scale-factor=${scale}`]);
  try {
    const page = await browser.newPage(800, 600, scale);
    const times = stills.map((s) => s.t).join(',');
    const started = Date.now();
    await page.goto(`http://127.0.0.1:${server.address().port}/?t=${times}&still=1&fps=${fps}`);
    // Every frame up to the last still is drawn in software: half a second
    // each on a busy machine.
    const frames = fps * scale * scale * Math.max(...stills.map((s) => s.t));
    const ended = await page.waitFor("['stills', 'failed', 'ended'].includes(vessamorix.phase) && vessamorix.phase",
      120 + 0.5 * frames, 'the still frames');
    const taken = await page.evaluate('vessamorix.stills');
    const ratio = await page.evaluate('devicePixelRatio');
    if (ratio !== scale) throw new Error(`the page's devicePixelRatio is ${ratio}, not ${scale}`);
    console.log(`${taken.length} stills in ${((Date.now() - started) / 1000).toFixed(1)} s (page phase ${ended})`);
    return { taken, problems: page.problems(), ended };
  } finally {
    await browser.close();
    server.close();
  }
}

async function main() {
  const { webDir, outDir, fps, scale, native, nativeStills: stillsDir } = parseArguments(process.argv.slice(2));
  const size = { width: 800 * scale, height: 600 * scale };
  fs.mkdirSync(outDir, { recursive: true });
  if (native) {
    fs.mkdirSync(path.join(outDir, 'native'), { recursive: true });
    await captureStills(native, fps, size, path.join(outDir, 'native'));
    phase('the native stills captured');
  }
  const stills = native ? nativeStills(path.join(outDir, 'native'))
    : stillsDir ? nativeStills(stillsDir) : middles(fps);
  const { taken, problems, ended } = await takeStills(webDir, stills, fps, scale);
  phase('the page\'s stills taken');
  const failures = problems.map((p) => `console ${p.level}: ${p.text}`);
  if (ended !== 'stills') failures.push(`the page ended in phase ${ended}, not with its stills`);
  const seen = new Map();
  taken.forEach((still, i) => {
    const want = stills[i];
    const png = Buffer.from(still.png.replace(/^data:image\/png;base64,/, ''), 'base64');
    const name = `${String(i + 1).padStart(2, '0')}.png`;
    fs.writeFileSync(path.join(outDir, name), png);
    const picture = decodePng(png);
    let line = `${name} ${want.label} at ${want.t.toFixed(2)} s: ${picture.width}x${picture.height}, ${colourCount(picture)} colours`;
    if (picture.width !== size.width || picture.height !== size.height) {
      failures.push(`${name} is ${picture.width}x${picture.height}, not ${size.width}x${size.height}`);
    }
    // A frame that is nearly all one dark colour shows nothing drawn (the
    // flash at 37 s is white).
    if (colourCount(picture) < 16 && Math.max(...picture.rgb.subarray(0, 3)) < 32) failures.push(`${name} (${want.label}) is nearly one dark colour: nothing drawn`);
    const key = picture.rgb.toString('base64');
    if (seen.has(key)) failures.push(`${name} (${want.label}) is the same picture as ${seen.get(key)}`);
    seen.set(key, name);
    if (want.native) {
      const figures = compare(picture, readPicture(want.native));
      line += `; against native: mean ${figures.meanDifference.toFixed(3)}/255, ${(100 * figures.withinShare).toFixed(2)} % within 8`;
      if (figures.meanDifference > kMeanDifference || figures.withinShare < kWithinShareFloor) {
        failures.push(`${name} (${want.label}) differs from the native frame: ${line}`);
      } else if (figures.withinShare < kWithinShare) {
        line += ` (below the goal of ${100 * kWithinShare} %)`;
      }
    }
    console.log(line);
  });
  if (taken.length !== stills.length) failures.push(`${taken.length} stills of ${stills.length}`);
  phase('compared');
  for (const failure of failures) console.error(`FAIL ${failure}`);
  console.log(`${taken.length} stills written to ${outDir}; ${failures.length} problems`);
  process.exitCode = failures.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(error.stack || error.message);
  process.exitCode = 1;
});
