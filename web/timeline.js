// The thin timeline over the canvas while the demo plays: a play/pause
// button, a track with a mark at the start of every scene (and of the
// closing pictures) and the current time, which a click or a drag moves (a
// press within a few pixels of a mark lands exactly on it), the time as text
// and a fullscreen button.  It
// appears when the pointer moves or the screen is tapped and hides after two
// seconds without movement (not while a drag holds it).
//
// It drives a player: {paused(), setPaused(bool), seek(seconds), time(),
// length(), marks(): [{time, name}]}, whose time is negative while it has
// no picture to show; the keys reach the program itself, so the
// timeline only keeps a focused button from answering Space a second time.
'use strict';

class Timeline {
  static kHideMs = 2000;
  static kSnapPixels = 6;
  static kUnseenUpdateMs = 250;

  constructor(root, onFullscreen) {
    this.root = root;
    this.button = root.querySelector('.tl-play');
    this.track = root.querySelector('.tl-track');
    this.played = root.querySelector('.tl-played');
    this.knob = root.querySelector('.tl-knob');
    this.markRow = root.querySelector('.tl-marks');
    this.clock = root.querySelector('.tl-clock');
    this.player = null;
    this.marks = [];  // the player's
    this.dragTime = null;  // the time under the pointer while a drag holds the knob
    this.hideTimer = 0;
    this.frame = 0;  // the next update's animation frame, while the timeline is shown
    this.updateTimer = 0;  // the next update's timer, while it is not
    this.button.addEventListener('click', () => this.togglePause());
    root.querySelector('.tl-fullscreen').addEventListener('click', onFullscreen);
    // Space is the program's key: a focused button must not click as well.
    root.addEventListener('keydown', (event) => { if (event.key === ' ') event.preventDefault(); });
    this.track.addEventListener('pointerdown', (event) => this.beginDrag(event));
    this.track.addEventListener('pointermove', (event) => this.moveDrag(event));
    this.track.addEventListener('pointerup', (event) => this.endDrag(event));
    this.track.addEventListener('pointercancel', () => this.cancelDrag());
    for (const type of ['pointermove', 'pointerdown']) window.addEventListener(type, () => this.reveal());
  }

  // Takes a player that has started its demo; null puts the timeline away.
  attach(player) {
    this.player = player;
    this.cancelDrag();
    this.stopUpdates();
    if (player === null) {
      this.root.hidden = true;
      this.hide();
      return;
    }
    this.track.setAttribute('aria-valuemax', player.length().toFixed(1));
    this.drawMarks(player.marks());
    this.update();
  }

  // A mark at the track's start would only hide under the knob.
  drawMarks(marks) {
    const length = this.player.length();
    this.marks = marks;
    this.markRow.replaceChildren(...marks.filter((m) => m.time > 0).map((m) => {
      const element = document.createElement('span');
      element.style.left = `${(100 * m.time) / length}%`;
      element.title = `${m.name} at ${Timeline.format(m.time)}`;
      return element;
    }));
  }

  // Shows the timeline and hides it again after a while without movement.
  reveal() {
    if (this.player === null) return;
    const unseen = !this.root.classList.contains('shown');
    this.root.classList.add('shown');
    document.body.classList.add('controls');
    if (unseen) this.update();
    clearTimeout(this.hideTimer);
    this.hideTimer = setTimeout(() => { if (this.dragTime === null) this.hide(); }, Timeline.kHideMs);
  }

  hide() {
    clearTimeout(this.hideTimer);
    this.root.classList.remove('shown');
    document.body.classList.remove('controls');
  }

  togglePause() {
    if (this.player !== null) this.player.setPaused(!this.player.paused());
  }

  // The time at the pointer's place on the track: a mark's when one lies
  // within a few pixels.
  timeAt(event) {
    const box = this.track.getBoundingClientRect();
    const x = Math.min(Math.max(event.clientX - box.left, 0), box.width);
    const length = this.player.length();
    const mark = this.marks.find((m) => Math.abs((m.time / length) * box.width - x) <= Timeline.kSnapPixels);
    return mark !== undefined ? mark.time : (x / box.width) * length;
  }

  beginDrag(event) {
    if (this.player === null || event.button !== 0) return;
    this.track.setPointerCapture(event.pointerId);
    this.dragTime = this.timeAt(event);
    this.show(this.dragTime);
  }

  moveDrag(event) {
    if (this.dragTime === null) return;
    this.dragTime = this.timeAt(event);
    this.show(this.dragTime);
  }

  // The seek happens once, where the drag lets go: each one replays the demo
  // up to its time.
  endDrag(event) {
    if (this.dragTime === null) return;
    const time = this.timeAt(event);
    this.dragTime = null;
    this.player.seek(time);
    this.reveal();
  }

  cancelDrag() { this.dragTime = null; }

  // Follows the demo while a player is attached: at the display's pace while
  // the timeline is shown, four times a second while it is not (an
  // animation frame asked for on every display frame keeps the browser
  // making frames, a steady load on a machine that draws in software, for
  // a timeline nobody sees).
  update() {
    this.stopUpdates();
    if (this.player === null) return;
    // Without a picture of its own (the closing pictures after Escape) the
    // player takes no controls.
    const time = this.player.time();
    if (this.root.hidden !== time < 0) this.root.hidden = time < 0;
    if (this.dragTime === null && time >= 0) this.show(time);
    const paused = this.player.paused();
    if (this.button.dataset.paused !== String(paused)) {
      this.button.dataset.paused = String(paused);
      const name = paused ? 'Play' : 'Pause';
      this.button.setAttribute('aria-label', name);
      this.button.title = `${name} (Space)`;
    }
    if (this.root.classList.contains('shown')) {
      this.frame = requestAnimationFrame(() => this.update());
    } else {
      this.updateTimer = setTimeout(() => this.update(), Timeline.kUnseenUpdateMs);
    }
  }

  stopUpdates() {
    cancelAnimationFrame(this.frame);
    clearTimeout(this.updateTimer);
  }

  show(time) {
    const length = this.player.length();
    const share = `${(100 * Math.min(Math.max(time / length, 0), 1)).toFixed(3)}%`;
    this.played.style.width = share;
    this.knob.style.left = share;
    const text = `${Timeline.format(time)} / ${Timeline.format(length)}`;
    if (this.clock.textContent !== text) this.clock.textContent = text;
    this.track.setAttribute('aria-valuenow', time.toFixed(1));
    this.track.setAttribute('aria-valuetext', text);
  }

  // m:ss
  static format(seconds) {
    const whole = Math.max(0, Math.floor(seconds));
    return `${Math.floor(whole / 60)}:${String(whole % 60).padStart(2, '0')}`;
  }
}
