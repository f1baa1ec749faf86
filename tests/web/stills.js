// Still frames of the browser player: one frame in every scene and in both
// closing pictures, taken from the page through ?t=...&still=1 on the frame
// clock, written as PNG files and checked: every frame drawn, no two alike,
// no error on the console.  Given the native player's stills of the same
// frames (VessamorixCapture --stills DIR --fps 10: DIR/index.txt names them
// with their demo times), each is compared with its twin.
//
//   node stills.js WEB_DIR OUT_DIR [NATIVE_STILLS_DIR]
'use strict';
const fs = require('fs');
const path = require('path');
const { Browser } = require('./chromium');
const { decodePng, decodePpm, compare } = require('./pixels');
const { serve } = require('../../web/serve');

// A rate at which every frame's demo time is written exactly with two
// decimals, as the native index writes it.
const kFps = 10;
// Goals for each frame against the native player's.
const kMeanDifference = 2;
const kWithinShare = 0.99;
// The scenes' windows end at these demo times (the first begins at 0); the
// closing pictures follow the demo's end at 117.7 s for 5 s each.
const kSceneEnds = [7.3, 9.5, 12.6, 17, 18.7, 23.5, 25.2, 31.5, 34, 40, 50, 54.5, 78, 82, 86, 90,
  94, 100, 104, 108, 112, 115.5, 117.7];

function middles() {
  const stills = kSceneEnds.map((end, i) => {
    const start = i === 0 ? 0 : kSceneEnds[i - 1];
    return { label: `Scene ${String(i + 1).padStart(2, '0')}`, t: Math.round(((start + end) / 2) * kFps) / kFps };
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

// Distinct colours in a sample of the picture: a frame that was drawn has many.
function colourCount(picture) {
  const seen = new Set();
  for (let p = 0; p < picture.rgb.length; p += 3 * 97) seen.add(picture.rgb.readUIntBE(p, 3));
  return seen.size;
}

async function takeStills(webDir, stills) {
  const server = await serve(webDir, 0, '127.0.0.1');
  const browser = await Browser.launch();
  try {
    const page = await browser.newPage(800, 600);
    const times = stills.map((s) => s.t).join(',');
    const started = Date.now();
    await page.goto(`http://127.0.0.1:${server.address().port}/?t=${times}&still=1&fps=${kFps}`);
    const phase = await page.waitFor("['stills', 'failed', 'ended'].includes(vessamorix.phase) && vessamorix.phase", 240, 'the still frames');
    const taken = await page.evaluate('vessamorix.stills');
    console.log(`${taken.length} stills in ${((Date.now() - started) / 1000).toFixed(1)} s (page phase ${phase})`);
    return { taken, problems: page.problems(), phase };
  } finally {
    await browser.close();
    server.close();
  }
}

async function main() {
  const [webDir, outDir, nativeDir] = process.argv.slice(2);
  if (!webDir || !outDir) throw new Error('usage: stills.js WEB_DIR OUT_DIR [NATIVE_STILLS_DIR]');
  const stills = nativeDir ? nativeStills(nativeDir) : middles();
  const { taken, problems, phase } = await takeStills(webDir, stills);
  const failures = problems.map((p) => `console ${p.level}: ${p.text}`);
  if (phase !== 'stills') failures.push(`the page ended in phase ${phase}, not with its stills`);
  fs.mkdirSync(outDir, { recursive: true });
  const seen = new Map();
  taken.forEach((still, i) => {
    const want = stills[i];
    const png = Buffer.from(still.png.replace(/^data:image\/png;base64,/, ''), 'base64');
    const name = `${String(i + 1).padStart(2, '0')}.png`;
    fs.writeFileSync(path.join(outDir, name), png);
    const picture = decodePng(png);
    let line = `${name} ${want.label} at ${want.t.toFixed(2)} s: ${picture.width}x${picture.height}, ${colourCount(picture)} colours`;
    if (picture.width !== 800 || picture.height !== 600) failures.push(`${name} is ${picture.width}x${picture.height}`);
    if (colourCount(picture) < 16) failures.push(`${name} (${want.label}) is nearly one colour: nothing drawn`);
    const key = picture.rgb.toString('base64');
    if (seen.has(key)) failures.push(`${name} (${want.label}) is the same picture as ${seen.get(key)}`);
    seen.set(key, name);
    if (want.native) {
      const figures = compare(picture, decodePpm(fs.readFileSync(want.native)));
      line += `; against native: mean ${figures.meanDifference.toFixed(3)}/255, ${(100 * figures.withinShare).toFixed(2)} % within 8`;
      if (figures.meanDifference > kMeanDifference || figures.withinShare < kWithinShare) {
        failures.push(`${name} (${want.label}) differs from the native frame: ${line}`);
      }
    }
    console.log(line);
  });
  if (taken.length !== stills.length) failures.push(`${taken.length} stills of ${stills.length}`);
  for (const failure of failures) console.error(`FAIL ${failure}`);
  console.log(`${taken.length} stills written to ${outDir}; ${failures.length} problems`);
  process.exitCode = failures.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(error.stack || error.message);
  process.exitCode = 1;
});
