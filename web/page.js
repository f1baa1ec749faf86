// The page around the player: downloads the program and its media with a
// loading bar, starts the demo on a click (browsers let sound start only
// after a gesture), offers fullscreen, and a replay once the closing
// pictures are over.  While the demo plays, a timeline over the canvas
// (timeline.js) pauses, resumes and seeks it; the demo pauses while the
// page's tab is hidden and resumes when it is shown again, if it was playing
// before.  Each play is a fresh instance of the program on a
// fresh canvas, sharing the downloaded files and the sound context.  When
// the program fails (it cannot start, aborts, or a frame throws), the page
// says so and offers to load itself again.
//
// URL hooks:  ?autoplay=1           start without waiting for the click
//             #t=SECONDS            start playing there; a new one while the
//                                   demo plays seeks to it
//             ?t=T[,T...]&still=1   play on the frame clock to demo time T and
//                                   show that frame (several: one after the other)
//             &fps=N                the frame clock's rate (default 60)
//             ?msaa=N               N samples a pixel (2, 4 or 8; default none)
//             ?maxfps=N             draw at most N frames a second (1 to 1000)
//             ?keep=1               keep every drawn frame readable from the
//                                   canvas (as the stills do), for tests
//
// The canvas fills the window; its drawing buffer has the canvas's size in
// device pixels (CSS pixels times devicePixelRatio), which the program reads
// from vxCanvasPixels at start and between frames, and draws its 4:3 picture
// in the middle of it.  A resize or a change of devicePixelRatio (zoom, a
// screen of another density) gives the program the new size.
'use strict';

const vessamorix = (() => {
  const kMixRate = 44100;
  const params = new URLSearchParams(location.search);
  const ui = {
    panel: document.getElementById('panel'),
    fill: document.getElementById('fill'),
    start: document.getElementById('start'),
    status: document.getElementById('status'),
  };
  const state = {
    phase: 'loading',   // loading, ready, playing, ended, stills, failed
    runs: 0,
    stills: [],         // {t, png} in the order shown
    exitCode: null,
    firstPictureMs: null,
    audio: null,
    files: null,
    program: null,      // the compiled WebAssembly module, shared by every run
    module: null,       // the running instance's module object
    canvasPixels: [800, 600],  // the canvas in device pixels
    resizeWatch: null,  // the running canvas's ResizeObserver
    frames: 0,          // demo frames presented in the last run ...
    playSeconds: 0,     // ... over this time
    player: null,       // the running demo's controls, once its first frame is shown
    hiddenPause: false, // the demo was paused because the tab was hidden
    // Web Audio nodes the running instance plays its music on.
    audioNodes: () => ((state.module && state.module.vxAudioNodes) || []).filter(Boolean).length,
  };

  const stillTimes = params.get('still') === '1' && params.has('t')
    ? params.get('t').split(',').map(Number) : [];
  if (params.has('t') && stillTimes.length === 0) console.warn('Vessamorix: ?t= needs still=1; playing normally');
  const fps = params.has('fps') ? Number(params.get('fps')) : 60;

  function setStatus(text) { ui.status.textContent = text; }

  // Stops the sound of a run that went wrong.
  function silence() {
    for (const node of (state.module && state.module.vxAudioNodes) || []) if (node) node.disconnect();
  }

  // Shows what went wrong and offers to load the page again: a program that
  // stopped half-way cannot run again in this page.  The first failure of a
  // run is the one shown; what follows from it adds nothing.
  function fail(text) {
    if (state.phase === 'failed') return;
    state.phase = 'failed';
    silence();
    document.body.classList.remove('playing', 'ended');
    ui.panel.hidden = false;
    detachPlayer();
    ui.fill.parentElement.hidden = true;
    ui.start.hidden = false;
    ui.start.disabled = false;
    ui.start.textContent = 'Reload';
    setStatus(text);
    console.error(`Vessamorix: ${text}`);
  }

  // Downloads the files with one progress bar over their total size; each
  // file's bytes go to `arrived` as soon as that file is complete.
  async function download(names, arrived) {
    const responses = await Promise.all(names.map((name) => fetch(name)));
    for (const [i, r] of responses.entries()) {
      if (!r.ok) throw new Error(`${names[i]}: HTTP ${r.status}`);
    }
    const total = responses.reduce((sum, r) => sum + Number(r.headers.get('Content-Length') || 0), 0);
    let received = 0;
    const buffers = await Promise.all(responses.map(async (r) => {
      const reader = r.body.getReader();
      const parts = [];
      for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        parts.push(value);
        received += value.length;
        if (total > 0) ui.fill.style.width = `${Math.min(100, (100 * received) / total).toFixed(1)}%`;
        setStatus(`Loading ${(received / 1048576).toFixed(1)} of ${(total / 1048576).toFixed(1)} MB`);
      }
      const bytes = new Uint8Array(parts.reduce((n, p) => n + p.length, 0));
      let at = 0;
      for (const p of parts) { bytes.set(p, at); at += p.length; }
      arrived(r.url.slice(r.url.lastIndexOf('/') + 1), bytes.buffer);
      return bytes.buffer;
    }));
    return Object.fromEntries(names.map((name, i) => [name, buffers[i]]));
  }

  function arguments_() {
    const args = params.has('msaa') ? ['--msaa', params.get('msaa')] : [];
    if (params.has('maxfps')) args.push('--max-fps', params.get('maxfps'));
    if (stillTimes.length === 0) return args;
    return [...args, '--stills', stillTimes.join(','), '--fps', String(fps)];
  }

  // Keeps state.canvasPixels at the canvas's size in device pixels: exact
  // where the browser reports the device-pixel box, else the CSS size times
  // devicePixelRatio, rounded.
  function watchCanvas(canvas) {
    const measure = () => {
      const box = canvas.getBoundingClientRect();
      return [Math.round(box.width * devicePixelRatio), Math.round(box.height * devicePixelRatio)];
    };
    const keep = (size) => { if (size[0] > 0 && size[1] > 0) state.canvasPixels = size; };
    keep(measure());
    if (state.resizeWatch) state.resizeWatch.disconnect();
    state.resizeWatch = new ResizeObserver((entries) => {
      const device = entries[entries.length - 1].devicePixelContentBoxSize;
      keep(device ? [device[0].inlineSize, device[0].blockSize] : measure());
    });
    try {
      state.resizeWatch.observe(canvas, { box: 'device-pixel-content-box' });
    } catch (error) {
      state.resizeWatch.observe(canvas);
    }
  }

  // A new canvas for every run: a finished run's context goes with it.
  function freshCanvas() {
    const old = document.getElementById('canvas');
    const canvas = old.cloneNode(false);
    old.replaceWith(canvas);
    return canvas;
  }

  // 1 after the demo, 0 when it could not start, 2 for wrong URL hooks.
  function onExit(code) {
    if (state.phase === 'failed') return;
    state.exitCode = code;
    silence();
    detachPlayer();
    if (code === 2) {
      fail('the URL asks for something the player does not know (see the console)');
      return;
    }
    state.phase = 'ended';
    document.body.classList.remove('playing');
    document.body.classList.add('ended');
    ui.panel.hidden = false;
    ui.start.hidden = stillTimes.length > 0;
    ui.start.disabled = false;
    ui.start.textContent = 'Replay';
    ui.fill.parentElement.hidden = true;
    setStatus(code === 1 ? '' : 'The demo could not start (see the console).');
  }

  async function run() {
    state.phase = 'playing';
    state.runs += 1;
    state.exitCode = null;
    ui.panel.hidden = true;
    document.body.classList.replace('ended', 'playing') || document.body.classList.add('playing');
    const canvas = freshCanvas();
    watchCanvas(canvas);
    canvas.focus();
    state.frames = 0;
    state.playSeconds = 0;
    let firstFrameAt = 0;
    try {
      state.module = {
        canvas,
        arguments: arguments_(),
        // The program was compiled while the media downloaded.
        instantiateWasm(imports, receive) {
          state.program
            .then((program) => WebAssembly.instantiate(program, imports).then((instance) => receive(instance, program)))
            .catch((error) => fail(`the program cannot start: ${error.message}`));
          return {};
        },
        getPreloadedPackage: () => state.files['Vessamorix.data'],
        vxCanvasPixels: () => state.canvasPixels,
        vxAudioContext: state.audio,
        vxFirstPicture() {
          if (state.firstPictureMs === null) state.firstPictureMs = performance.now();
        },
        vxFramePresented() {
          if (state.frames++ === 0) {
            firstFrameAt = performance.now();
            // Opening at #t=, the demo's first frame is not shown before the seek.
            if (location.hash.startsWith('#t=')) canvas.style.visibility = 'hidden';
            attachPlayer(state.module);
          }
          state.playSeconds = (performance.now() - firstFrameAt) / 1000;
        },
        vxKeepFrames: stillTimes.length > 0 || params.get('keep') === '1',
        vxStill(t) {
          state.stills.push({ t, png: canvas.toDataURL('image/png') });
          if (state.stills.length === stillTimes.length) state.phase = 'stills';
        },
        onExit,
        // An abort inside the program (a failed check, memory exhausted).
        onAbort: (what) => fail(`the program stopped: ${what}`),
        print: (text) => console.log(text),
        printErr: (text) => console.warn(text),
      };
      await createVessamorix(state.module);
    } catch (error) {
      fail(`the program failed: ${error && error.message ? error.message : error}`);
    }
  }

  // Sound needs a context made or resumed in a gesture.  It is made while the
  // files download (making one takes a while) and resumed by the Start
  // click; with ?autoplay=1 it runs where the browser allows it, else the
  // demo plays on the silent clock until a gesture lets the sound join in.
  function openAudio() {
    if (stillTimes.length > 0) return;
    if (state.audio === null) {
      try {
        state.audio = new AudioContext({ sampleRate: kMixRate, latencyHint: 'playback' });
      } catch (error) {
        console.warn(`Vessamorix: no sound (${error.message})`);
        return;
      }
    }
    if (state.audio.state === 'suspended') state.audio.resume().catch(() => {});
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
  }

  const timeline = new Timeline(document.getElementById('timeline'), toggleFullscreen);

  // The time that #t=SECONDS in the address names, null without one; a wrong
  // one is ignored with a word on the console.
  function hashTime() {
    const match = location.hash.match(/^#t=(.*)$/s);
    if (match === null) return null;
    let seconds = NaN;
    try {
      const text = decodeURIComponent(match[1]).trim();
      if (text !== '') seconds = Number(text);
    } catch (error) { /* a malformed escape: not a number */ }
    if (Number.isFinite(seconds) && seconds >= 0) return seconds;
    console.warn(`Vessamorix: ${location.hash} is not a time in seconds (0 or more); ignored`);
    return null;
  }

  // Seeks the running demo to the time the address names, if it is inside it.
  function seekToHash() {
    const seconds = hashTime();
    if (seconds === null || state.player === null) return;
    const length = state.player.length();
    if (seconds > length) {
      console.warn(`Vessamorix: #t=${seconds} lies after the demo's end at ${length} s; ignored`);
      return;
    }
    state.player.seek(seconds);
  }

  // The running program's controls: the functions it exports for the page.
  // Its time runs on through the closing pictures, which the timeline shows
  // as its last stretch, marked as the scenes are.
  function playerOf(module) {
    const marks = [];
    for (let scene = 1; scene <= module._vx_scene_count(); ++scene) {
      marks.push({ time: module._vx_scene_start(scene), name: `Scene ${scene}` });
    }
    marks.push({ time: module._vx_demo_end(), name: 'Closing pictures' });
    const paused = () => module._vx_is_paused() !== 0;
    return {
      paused,
      setPaused: (wanted) => { if (paused() !== wanted) module._vx_toggle_pause(); },
      seek: (seconds) => module._vx_seek(seconds),
      time: () => module._vx_current_time(),
      length: () => module._vx_length(),
      marks: () => marks,
    };
  }

  // The demo runs: the timeline, the address's time and the tab's
  // visibility take it over.  Called from inside the program's frame, so
  // the controls act once the frame is over.
  function attachPlayer(module) {
    setTimeout(() => {
      if (state.phase !== 'playing' || state.module !== module) return;
      state.player = playerOf(module);
      state.hiddenPause = false;
      seekToHash();
      module.canvas.style.visibility = '';
      timeline.attach(state.player);
      followVisibility();
    }, 0);
  }

  function detachPlayer() {
    state.player = null;
    timeline.attach(null);
  }

  // A hidden tab pauses the demo; shown again, it resumes if that pause was
  // the tab's.
  function followVisibility() {
    const player = state.player;
    if (player === null) return;
    if (document.visibilityState === 'hidden') {
      if (!player.paused()) {
        player.setPaused(true);
        state.hiddenPause = true;
      }
    } else if (state.hiddenPause) {
      state.hiddenPause = false;
      player.setPaused(false);
    }
  }

  // A fault thrown out of one of the program's frames ends up here, past
  // the program: while it runs, that ends the run.
  const runFault = (error) => {
    if (state.phase === 'playing') fail(`the program stopped: ${error && error.message ? error.message : error}`);
  };
  window.addEventListener('error', (event) => runFault(event.error || event.message));
  window.addEventListener('unhandledrejection', (event) => runFault(event.reason));

  ui.start.addEventListener('click', () => {
    if (state.phase === 'failed') {
      location.reload();
      return;
    }
    if (state.phase !== 'ready' && state.phase !== 'ended') return;
    openAudio();
    run();
  });
  window.addEventListener('hashchange', seekToHash);
  document.addEventListener('visibilitychange', followVisibility);
  window.addEventListener('keydown', (event) => {
    if (event.key === 'f' || event.key === 'F') toggleFullscreen();
    if (state.audio !== null && state.audio.state === 'suspended') state.audio.resume().catch(() => {});
  });
  window.addEventListener('pointerdown', () => {
    if (state.audio !== null && state.audio.state === 'suspended') state.audio.resume().catch(() => {});
  });

  if (typeof createVessamorix !== 'function') {
    fail('Vessamorix.js did not load.');
  } else {
    const compile = (name, bytes) => {
      if (name === 'Vessamorix.wasm') state.program = WebAssembly.compile(bytes);
    };
    download(['Vessamorix.wasm', 'Vessamorix.data'], compile).then((files) => {
      state.files = files;
      state.phase = 'ready';
      ui.start.disabled = false;
      ui.start.textContent = 'Start';
      setStatus('Space pauses, ← → and Page Up/Down seek, Escape ends; F: fullscreen.');
      if (stillTimes.length > 0 || params.get('autoplay') === '1') run();
    }, (error) => fail(`cannot download the demo: ${error.message}`));
    openAudio();
  }

  return state;
})();
