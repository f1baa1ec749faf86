// The page after a fault inside the running program: a demo frame throws (a
// callback the program makes on every presented frame is made to throw, as a
// failed check or a trap in the program would) and the page must stop showing
// the demo as playing, show the fault with a Reload button, and load itself
// again when the button is pressed.
//
//   node abort.js WEB_DIR
'use strict';
const { withServedBrowser, report } = require('./chromium');

const kFault = 'fault injected into a demo frame';

async function main() {
  const webDir = process.argv[2];
  if (!webDir) throw new Error('usage: abort.js WEB_DIR');
  const failures = [];
  await withServedBrowser(webDir, ['--autoplay-policy=no-user-gesture-required'], async (browser, url) => {
    const page = await browser.newPage(800, 600);
    await page.goto(`${url}?autoplay=1`);
    await page.waitFor("vessamorix.phase === 'playing' && vessamorix.frames > 10", 60, 'the demo to play');
    await page.evaluate(`vessamorix.module.vxFramePresented = () => { throw new Error('${kFault}'); }; true`);
    const phase = await page.waitFor("vessamorix.phase !== 'playing' && vessamorix.phase", 30, 'the page to see the fault');
    const shown = await page.evaluate(`({
      status: document.getElementById('status').textContent,
      panel: !document.getElementById('panel').hidden,
      button: !document.getElementById('start').hidden && !document.getElementById('start').disabled
        && document.getElementById('start').textContent,
      playing: document.body.classList.contains('playing'),
    })`);
    if (phase !== 'failed') failures.push(`the page went to phase ${phase}, not failed`);
    if (!shown.panel || !shown.status.includes(kFault)) failures.push(`the fault is not shown: "${shown.status}"`);
    if (shown.button !== 'Reload') failures.push(`no Reload button: ${shown.button}`);
    if (shown.playing) failures.push('the page still looks like playing');
    console.log(`after the fault: phase ${phase}, "${shown.status}", button ${shown.button}`);

    const reloaded = new Promise((done) => { page.loaded = done; });
    await page.evaluate("document.getElementById('start').click(); true");
    await reloaded;
    await page.waitFor("vessamorix.phase === 'playing' && vessamorix.frames > 0", 60, 'the reloaded page to play');
    console.log('Reload loaded the page and the demo plays again');
  });
  report(failures);
}

main().catch((error) => {
  console.error(`FAIL ${error.stack || error}`);
  process.exitCode = 1;
});
