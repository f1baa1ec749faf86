// The browser player's controls driven as a viewer drives them, through the
// browser's own key and mouse events in headless Chromium:
//
// - #t= in the address the page opens with: the demo starts playing there
//   (a wrong value is ignored, with a warning, and it starts at 0);
// - Space, a click on the timeline beside a scene's mark (which lands on
//   it) and a new #t= in the
//   address: after each the demo is paused at the time asked for, its
//   picture holds, and the canvas read back matches the native player's
//   frame of that time (the stills' limits).  The native frames are those
//   of the 60 Hz clock seeks are played on, and the picture held may lie a
//   little off the music's time that the player shows: a paused seek shows
//   the frame of its time exactly; a pause stops the clocks between two
//   frames, so after the last one drawn (up to two seconds before: software
//   WebGL on a loaded machine draws a frame a second or fewer; 0.86 s was
//   seen), never ahead of it: the picture's clocks and the music's run
//   together from the music's start, and from a seek while it plays, on;
// - the program's keys (Left, Right, Page Up, Page Down, Home) move the
//   paused demo to their times, and the timeline follows;
// - the play/pause button and Space on it each toggle pause once;
// - wrong #t= values while the demo plays are ignored with a warning, and
//   it plays on;
// - a tab hidden behind another pauses the demo, and showing it resumes the
//   demo only when the viewer had not paused it.
//
//   node timeline.js WEB_DIR OUT_DIR --native CAPTURE
'use strict';
const fs = require('fs');
const path = require('path');
const { withServedBrowser, report, phase } = require('./chromium');
const { nativeFrames } = require('./capture');
const { decodePng, compare, kMeanDifference, kWithinShareFloor } = require('./pixels');

// The addresses the page opens with, where the demo must start and whether
// the console must warn of the address; the last page goes on with the
// steps below.
const kOpenings = [
  { hash: '#t=52', from: 52, warns: false },
  { hash: '#t=abc', from: 0, warns: true },
];
// What pauses the demo or moves it while paused; the time it must then
// show (a number, or the range it must lie in); the native frames the
// picture may match: from `before` 60 Hz frames before the one nearest to
// that time to `after` frames after it.
const kStills = [
  { what: 'Space', act: (page) => spaceAfter(page, 4), from: 4, to: 30, before: 120, after: 2 },
  { what: 'Space after a seek to 56 s while playing', act: (page) => spaceAfterSeek(page, 56, 58), from: 58, to: 70, before: 120, after: 2 },
  { what: 'a click beside the mark of scene 6', act: (page) => clickMark(page, 'Scene 6'), at: 18.7, before: 0, after: 0 },
  { what: 'a new #t=90', act: (page) => page.evaluate("location.hash = '#t=90'; true"), at: 90, before: 0, after: 0 },
];
// The program's keys while paused at 90 s, one after the other, and the
// time each must leave (scene 18 runs from 90 s to 94 s).
const kKeys = [
  { code: 'ArrowRight', at: 95 },
  { code: 'ArrowLeft', at: 90 },
  { code: 'PageDown', at: 94 },
  { code: 'PageUp', at: 90 },
  { code: 'Home', at: 0 },
];
// Each flips pause once: the button, Space while the button has the focus
// (the program's key, which the button must not answer as well), and the
// button again, which leaves the demo playing.
const kToggles = [
  { how: 'the play/pause button', act: (page) => click(page, '.tl-play') },
  { how: 'Space on the focused button', act: (page) => key(page, 'Space') },
  { how: 'the play/pause button again', act: (page) => click(page, '.tl-play') },
];
// Addresses the page must ignore while the demo plays on.
const kWrongHashes = ['#t=abc', '#t=-3', '#t=', '#t=1e999', '#t=%E0%A4%A', '#t=500'];
// Paused by the viewer before the tab is hidden: paused while hidden and
// when shown again.
const kHidden = [
  { viewerPaused: false, shownPaused: false },
  { viewerPaused: true, shownPaused: true },
];

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// The first truthy answer of `value()` (awaited), asked every 50 ms; null
// after `seconds`.
async function poll(value, seconds) {
  for (const end = Date.now() + seconds * 1000; ;) {
    const answer = await value();
    if (answer) return answer;
    if (Date.now() > end) return null;
    await sleep(50);
  }
}

// One key pressed and let go after a while, as a hand does.
async function key(page, code) {
  const keys = {
    Space: [' ', 32], ArrowLeft: ['ArrowLeft', 37], ArrowRight: ['ArrowRight', 39],
    PageUp: ['PageUp', 33], PageDown: ['PageDown', 34], Home: ['Home', 36],
  };
  const [name, virtual] = keys[code];
  await page.send('Input.dispatchKeyEvent', { type: 'keyDown', key: name, code, windowsVirtualKeyCode: virtual });
  await sleep(150);
  await page.send('Input.dispatchKeyEvent', { type: 'keyUp', key: name, code, windowsVirtualKeyCode: virtual });
}

// Space once the demo has played to `seconds`.
async function spaceAfter(page, seconds) {
  await page.waitFor(`vessamorix.player.time() >= ${seconds}`, 60, `the demo to play to ${seconds} s`);
  await key(page, 'Space');
}

// Plays on from the pause, seeks there with the address and pauses again
// once the demo has played to `seconds`.
async function spaceAfterSeek(page, to, seconds) {
  await key(page, 'Space');
  await page.evaluate(`location.hash = '#t=${to}'; true`);
  await spaceAfter(page, seconds);
}

// Moves the mouse onto an element of the timeline (which shows it), `dx`
// pixels right of its middle, and clicks there.
async function click(page, selector, dx = 0) {
  const box = await page.evaluate(`(() => {
    const element = document.querySelector(${JSON.stringify(selector)});
    const r = element && element.getBoundingClientRect();
    return r && { x: r.left + r.width / 2 + ${dx}, y: r.top + r.height / 2 };
  })()`);
  if (!box) throw new Error(`the timeline has no ${selector}`);
  await page.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: box.x, y: box.y });
  await page.waitFor("document.getElementById('timeline').classList.contains('shown')", 10, 'the timeline to show');
  for (const type of ['mousePressed', 'mouseReleased']) {
    await page.send('Input.dispatchMouseEvent', { type, x: box.x, y: box.y, button: 'left', clickCount: 1 });
  }
}

// Beside the mark, as a hand lands: still on it.
const clickMark = (page, title) => click(page, `.tl-marks [title^="${title} "]`, 3);

const kRead = `({ paused: vessamorix.player.paused(), time: vessamorix.player.time(),
  png: document.getElementById('canvas').toDataURL('image/png') })`;

// The paused picture once it stands: the same twice over a second.
async function pausedPicture(page, what) {
  await page.waitFor('vessamorix.player.paused()', 30, `the demo to pause after ${what}`);
  let last = await page.evaluate(kRead);
  for (let i = 0; i < 20; ++i) {
    await sleep(1000);
    const now = await page.evaluate(kRead);
    if (now.paused && now.time === last.time && now.png === last.png) return now;
    last = now;
  }
  throw new Error(`the picture does not hold still after ${what} (at ${last.time} s, paused ${last.paused})`);
}

// The native frame from `seconds` on, `count` at fps, most like the picture.
async function bestNative(options, picture, seconds, count, fps) {
  const first = Math.max(0, Math.round(seconds * fps));
  const file = path.join(options.outDir, 'native.raw');
  let best = null;
  for (const [i, native] of (await nativeFrames(options.native, fps, first / fps, count, file)).entries()) {
    const figures = compare(picture, native);
    if (best === null || figures.meanDifference < best.figures.meanDifference) best = { seconds: (first + i) / fps, figures };
  }
  fs.rmSync(file);
  return best;
}

async function checkStill(page, still, index, options, failures) {
  await still.act(page);
  const shown = await pausedPicture(page, still.what);
  const time = shown.time;
  if (still.at !== undefined ? Math.abs(time - still.at) > 1e-3 : !(time >= still.from && time <= still.to)) {
    failures.push(`${still.what}: paused at ${time} s, not ${still.at !== undefined ? still.at : `${still.from} to ${still.to}`} s`);
  }
  const png = Buffer.from(shown.png.replace(/^data:image\/png;base64,/, ''), 'base64');
  const name = `${String(index + 1).padStart(2, '0')}`;
  fs.writeFileSync(path.join(options.outDir, `${name}.png`), png);
  const picture = decodePng(png);
  // The best 60 Hz frame, or a better one around it on the capture's
  // finest clock (a pause falls anywhere between two frames).
  const coarse = await bestNative(options, picture, (Math.round(time * 60) - still.before) / 60,
    still.before + 1 + still.after, 60);
  const fine = await bestNative(options, picture, coarse.seconds - 1 / 60, 9, 240);
  const { seconds, figures } = fine.figures.meanDifference < coarse.figures.meanDifference ? fine : coarse;
  const line = `${still.what}: paused at ${time.toFixed(3)} s, the picture of ${seconds.toFixed(3)} s: mean ${figures.meanDifference.toFixed(3)}/255, ${(100 * figures.withinShare).toFixed(2)} % within 8`;
  console.log(line);
  if (figures.meanDifference > kMeanDifference || figures.withinShare < kWithinShareFloor) failures.push(line);
}

// Whether the demo plays on from `before` seconds: its time moves on, and
// by less than a seek would move it, within a few seconds.
async function playsOn(page, before) {
  const moved = await page.waitFor(`vessamorix.player.time() !== ${before}`, 5).catch(() => false);
  const after = await page.evaluate('vessamorix.player.time()');
  return { before, after, on: moved && after > before && after - before < 5 };
}

// Sets the address's hash and answers the demo's time before, once the
// page has answered the change (its listener comes first).
const kSetHash = (hash) => `new Promise((done) => {
  const before = vessamorix.player.time();
  addEventListener('hashchange', () => done(before), { once: true });
  location.hash = ${JSON.stringify(hash)};
})`;

async function checkWrongHashes(page, failures) {
  for (const hash of kWrongHashes) {
    const warnings = page.console.length;
    const before = await page.evaluate(kSetHash(hash));
    const { after, on } = await playsOn(page, before);
    if (!on) failures.push(`${hash}: the demo went from ${before} s to ${after} s instead of playing on`);
    const said = await poll(() => page.console.slice(warnings).some((m) => m.level === 'warning' && m.text.includes('ignored')), 2);
    if (!said) failures.push(`${hash}: no word on the console`);
  }
  console.log(`${kWrongHashes.length} wrong addresses tried: ${kWrongHashes.join(' ')}`);
}

// Each key moves the paused demo, and the timeline follows.
async function checkKeys(page, failures) {
  for (const { code, at } of kKeys) {
    await key(page, code);
    const state = `({ paused: vessamorix.player.paused(), time: vessamorix.player.time(),
      slider: Number(document.querySelector('.tl-track').getAttribute('aria-valuenow')) })`;
    const there = (shown) => shown.paused && Math.abs(shown.time - at) <= 1e-3 && Math.abs(shown.slider - at) <= 0.05;
    // As soon as it is there, or what it shows after a while.
    const shown = await poll(async () => { const now = await page.evaluate(state); return there(now) && now; }, 5)
      || await page.evaluate(state);
    if (!there(shown)) {
      failures.push(`${code}: paused ${shown.paused} at ${shown.time} s, the timeline at ${shown.slider} s, not ${at} s`);
    }
  }
  console.log(`keys ${kKeys.map((k) => `${k.code} -> ${k.at} s`).join(', ')}: checked`);
}

async function checkToggles(page, failures) {
  for (const { how, act } of kToggles) {
    const before = await page.evaluate('vessamorix.player.paused()');
    await act(page);
    await sleep(1500);
    const after = await page.evaluate("({ paused: vessamorix.player.paused(), label: document.querySelector('.tl-play').getAttribute('aria-label') })");
    console.log(`${how}: paused ${before} -> ${after.paused}, the button says "${after.label}"`);
    if (after.paused === before) failures.push(`${how}: paused stays ${before}`);
    if (after.label !== (after.paused ? 'Play' : 'Pause')) failures.push(`${how}: the button says "${after.label}" with paused ${after.paused}`);
  }
}

async function checkHidden(page, failures) {
  for (const { viewerPaused, shownPaused } of kHidden) {
    const what = viewerPaused ? 'paused by the viewer' : 'playing';
    if (await page.evaluate('vessamorix.player.paused()') !== viewerPaused) await key(page, 'Space');
    await page.waitFor(`vessamorix.player.paused() === ${viewerPaused}`, 30, `the demo ${what}`);
    await page.toBack();
    const hidden = await page.evaluate("document.visibilityState === 'hidden' && vessamorix.player.paused()");
    const before = await page.evaluate('vessamorix.player.time()');
    await sleep(1500);
    const after = await page.evaluate('vessamorix.player.time()');
    if (!hidden || after !== before) failures.push(`${what}, hidden: paused ${hidden}, time ${before} s then ${after} s`);
    await page.toFront();
    await sleep(1000);
    const shown = await page.evaluate("document.visibilityState === 'visible' && vessamorix.player.paused()");
    const moves = !shown && (await playsOn(page, await page.evaluate('vessamorix.player.time()'))).on;
    if (shown !== shownPaused || moves === shownPaused) failures.push(`${what}, shown again: paused ${shown}`);
    console.log(`${what}: hidden, paused at ${before} s; shown again, ${shown ? 'still paused' : 'playing on'}`);
  }
}

// Keeps the demo's time on the first animation frame that shows it playing
// in window.vxStartTime: watched in the page itself, as the answers to the
// test's questions come late from a page busy drawing.
const kWatchStart = `(() => {
  const watch = () => {
    const player = typeof vessamorix === 'undefined' ? null : vessamorix.player;
    if (player && player.time() > 0) window.vxStartTime = player.time();
    else requestAnimationFrame(watch);
  };
  requestAnimationFrame(watch);
})();`;

// The page opened at an address: the demo must start playing where it says.
async function open(page, address, opening, failures) {
  await page.send('Page.addScriptToEvaluateOnNewDocument', { source: kWatchStart });
  await page.goto(address);
  const start = await page.waitFor('window.vxStartTime', 120, 'the demo to play');
  await page.waitFor(`vessamorix.player.time() >= ${opening.from + 1}`, 30, `the demo to play on from ${start} s`);
  const warned = page.console.some((m) => m.level === 'warning' && m.text.includes(`${opening.hash} is not a time`));
  console.log(`opened with ${opening.hash}: the demo starts at ${start} s${warned ? ', with a warning' : ''}`);
  if (!(start >= opening.from && start < opening.from + 1)) failures.push(`opened with ${opening.hash}: starts at ${start} s, not ${opening.from} s`);
  if (warned !== opening.warns) failures.push(`opened with ${opening.hash}: ${warned ? 'a' : 'no'} warning`);
}

// The steps wait on the demo's time, not on its frames: at most 10 frames a
// second leave the processor to the other tests (software WebGL takes about
// a tenth of a core for each frame a second).
const kMaxFps = 10;

async function main() {
  const [webDir, outDir, flag, native] = process.argv.slice(2);
  if (!webDir || !outDir || flag !== '--native' || !native) throw new Error('usage: timeline.js WEB_DIR OUT_DIR --native CAPTURE');
  fs.mkdirSync(outDir, { recursive: true });
  await withServedBrowser(webDir, ['--autoplay-policy=no-user-gesture-required'], async (browser, url) => {
    let page = null;
    for (const opening of kOpenings) {
      if (page !== null) await browser.send('Target.closeTarget', { targetId: page.targetId });
      page = await browser.newPage(800, 600);
      await open(page, `${url}?autoplay=1&keep=1&maxfps=${kMaxFps}${opening.hash}`, opening, failures);
      phase(`opened with ${opening.hash}`);
    }
    for (const [i, still] of kStills.entries()) {
      await checkStill(page, still, i, { outDir, native }, failures);
      phase(still.what);
    }
    await checkKeys(page, failures);
    phase('keys');
    await checkToggles(page, failures);
    phase('toggles');
    await checkWrongHashes(page, failures);
    phase('wrong addresses');
    await checkHidden(page, failures);
    phase('hidden tab');
    for (const p of page.problems()) failures.push(`console ${p.level}: ${p.text}`);
  });
}

// What failed before a step that could not go on, too.
const failures = [];
main().then(() => report(failures), (error) => {
  report(failures);
  console.error(`FAIL ${error.stack || error}`);
  process.exitCode = 1;
});
