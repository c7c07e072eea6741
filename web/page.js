'use strict';
// The game's window in a web page: the page's view of the game. It makes the
// controls the game's module describes, shows and plays what the game asks
// for, keeps its timers, and hands every click, press and tick back to the
// game. Every caption, colour, size, place, text, file name and timing comes
// from the module.

// Defined before this script by the browser tests alone: they script the
// draws and tick the timers themselves, which then never tick on their own.
const test = globalThis.pokoriTest;

const px = (pixels) => `${pixels}px`;

// An interval timer with the game's rules (game/game_view.h).
class PageTimer {
  constructor(tick) {
    this.tick = tick;
    this.interval = 0;
    this.enabled = false;
    this.handle = null;
  }
  get ticking() { return this.enabled && this.interval > 0; }
  setInterval(ms) {
    this.interval = ms;
    this.rearm();
  }
  setEnabled(enabled) {
    if (enabled === this.enabled) return; // a running countdown goes on
    this.enabled = enabled;
    this.rearm();
  }
  rearm() {
    clearInterval(this.handle);
    this.handle = this.ticking && !test ? setInterval(this.tick, this.interval) : null;
  }
  tickNow() {
    if (!this.ticking) throw new Error('a stopped timer cannot tick');
    this.tick();
  }
}

class PageView {
  constructor(module, page) {
    this.module = module;
    this.page = page;
    this.stopped = false; // by a picture that could not be read
    this.window = document.getElementById('window');
    this.announcer = document.getElementById('announcer');
    this.pictures = new Map(); // by file: {url} or {failure: 'missing' | 'broken'}
    this.buffers = []; // by sound; null where it could not be read
    this.channels = []; // by sound while the sounds are open: {buffer, source}
    this.audio = new AudioContext();
    this.timers = page.timerEvents.map((event) => new PageTimer(() => this.dispatch(event)));
    const look = page.window;
    Object.assign(this.window.style, {width: px(look.width), height: px(look.height), backgroundColor: look.colour,
      color: look.text, fontSize: `${look.points}pt`});
    this.window.hidden = true; // until the game has set it up
    // From the back to the front: each lies over those before it.
    this.controls = page.controls.map((control) => this.makeControl(control));
    this.window.addEventListener('contextmenu', (event) => event.preventDefault());
    this.waitForTheFirstGesture();
  }

  // Every picture and sound, before the game starts: the game reads them as
  // it needs them, at once.
  async load() {
    const pictures = this.page.pictures.map(async (file) => this.pictures.set(file, await loadPicture(file)));
    const sounds = this.page.sounds.map(async (file, sound) => { this.buffers[sound] = await this.loadSound(file); });
    await Promise.all([...pictures, ...sounds, document.fonts.load(`1em pokori`)]);
  }

  async loadSound(file) {
    try {
      const response = await fetch(file);
      return response.ok ? await this.audio.decodeAudioData(await response.arrayBuffer()) : null;
    } catch {
      return null; // silent, as a sound that cannot be read is
    }
  }

  start(game) {
    this.game = game;
    game.start();
    this.window.hidden = false;
    game.windowShown();
  }

  dispatch(event, ...args) {
    if (!this.stopped) this.game[event](...args);
  }

  makeControl(look) {
    const kind = look.kind;
    const element = document.createElement(kind === 'picture' || kind === 'label' ? 'div' : 'button');
    Object.assign(element.style, {left: px(look.x), top: px(look.y), width: px(look.width), height: px(look.height),
      textAlign: look.align, color: look.text ?? 'inherit', backgroundColor: look.face ?? ''});
    if (look.points) element.style.fontSize = `${look.points}pt`;
    if (look.sunkenFrame) this.frame(element, this.page.window.frameShadow, this.page.window.frameLight);
    element.textContent = look.caption;
    this.name(element, look.spokenName || look.caption);
    if (look.description) element.setAttribute('aria-description', look.description);
    if (kind === 'picture') {
      element.setAttribute('role', 'img');
      const picture = element.appendChild(document.createElement('img'));
      picture.alt = '';
      picture.draggable = false;
    } else if (kind === 'label') {
      element.setAttribute('role', 'note');
    } else {
      element.type = 'button';
      this.press(element, look, kind === 'pace' && look.chosen);
    }
    // The second click of a double click is no click of its own.
    if (look.clicked) element.addEventListener('click', (event) => event.detail < 2 && this.dispatch(look.clicked));
    if (kind === 'pace') {
      element.addEventListener('click', () => this.choosePace(look));
      element.addEventListener('keydown', (event) => this.movePace(event, look));
    }
    if (kind === 'action') this.takePresses(element, look);
    this.window.append(element);
    return element;
  }

  name(element, spokenName) {
    if (spokenName) element.setAttribute('aria-label', spokenName);
  }

  frame(element, upperLeft, lowerRight) {
    Object.assign(element.style, {borderStyle: 'solid', borderWidth: '1px',
      borderColor: `${upperLeft} ${lowerRight} ${lowerRight} ${upperLeft}`});
  }

  // A button raised, or sunk and darker while pressed or chosen, its caption
  // moving with its face.
  press(element, look, down) {
    const w = this.page.window;
    if (down) this.frame(element, w.buttonShadow, w.buttonEdge);
    else this.frame(element, w.buttonEdge, w.buttonShadow);
    Object.assign(element.style, {backgroundColor: down ? look.pressedFace : look.face,
      padding: down ? '2px 0 0 2px' : '0'});
    if (look.kind === 'pace') {
      element.setAttribute('aria-pressed', down);
      element.tabIndex = down ? 0 : -1; // Tab enters the choice at the chosen one
    }
  }

  choosePace(look) {
    this.page.controls.forEach((other, index) => {
      if (other.kind !== 'pace') return;
      other.chosen = other === look;
      this.press(this.controls[index], other, other.chosen);
    });
    this.dispatch('paceChosen', look.pace);
  }

  // The arrow keys move the choice, as in a group of option buttons.
  movePace(event, look) {
    const step = {ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1}[event.key];
    if (!step) return;
    event.preventDefault(); // no scrolling
    const paces = this.page.controls.filter((control) => control.kind === 'pace');
    const next = paces[(paces.indexOf(look) + step + paces.length) % paces.length];
    this.choosePace(next);
    this.controls[this.page.controls.indexOf(next)].focus();
  }

  // Acts as a pointer goes down on the button and comes up again, whatever
  // the pointer: a mouse button, a finger, a pen. Its click and the keyboard
  // do nothing.
  takePresses(element, look) {
    let held = false;
    element.addEventListener('pointerdown', (event) => {
      event.preventDefault(); // no text selection, no middle-button scrolling
      element.setPointerCapture(event.pointerId); // the release comes back here
      held = true;
      this.press(element, look, true);
      this.dispatch('actionPressed', look.action);
    });
    for (const type of ['pointerup', 'pointercancel']) {
      element.addEventListener(type, () => {
        if (!held) return;
        held = false;
        this.press(element, look, false);
        this.dispatch('actionReleased');
      });
    }
  }

  // Browsers hold every sound until the player's first gesture: the music,
  // started at start-up, begins then, and its loop is counted from then.
  waitForTheFirstGesture() {
    for (const type of ['pointerdown', 'pointerup', 'keydown']) {
      addEventListener(type, () => this.audio.state === 'suspended' && this.audio.resume(), true);
    }
    this.audio.addEventListener('statechange', () => {
      if (this.audio.state !== 'running' || this.heard) return;
      this.heard = true;
      this.timers[this.page.musicTimer].rearm();
    });
  }

  // What the game asks of its view (game/game_view.h).

  showControl(control, shown) {
    this.controls[control].hidden = !shown;
    if (this.page.controls[control].announced)
      this.announcer.textContent = shown ? this.controls[control].getAttribute('aria-label') : '';
  }

  setCaption(control, caption, spokenName) {
    this.controls[control].textContent = caption;
    this.name(this.controls[control], spokenName);
  }

  readPicture(file) {
    const picture = this.pictures.get(file);
    if (picture.failure) this.fail(file, picture.failure);
    return picture.url;
  }

  showPicture(control, file) {
    const url = this.readPicture(file);
    if (url) this.controls[control].firstChild.src = url;
  }

  openSounds() {
    this.channels = this.buffers.map((buffer) => ({buffer, source: null}));
  }

  playSound(sound) {
    const channel = this.channels[sound];
    if (!channel?.buffer) return;
    channel.source?.stop(); // its own sound alone is cut off
    const source = this.audio.createBufferSource();
    source.buffer = channel.buffer;
    source.connect(this.audio.destination);
    source.onended = () => { if (channel.source === source) channel.source = null; };
    source.start();
    channel.source = source;
  }

  soundLengthMs(sound) {
    const buffer = this.channels[sound]?.buffer;
    return buffer ? Math.round(buffer.duration * 1000) : 0;
  }

  closeSounds() {
    for (const channel of this.channels) channel.source?.stop();
    this.channels = [];
  }

  setTimerInterval(timer, ms) { this.timers[timer].setInterval(ms); }

  setTimerEnabled(timer, enabled) { this.timers[timer].setEnabled(enabled); }

  // A modal box over everything, over an open one too; the game goes on once
  // it is closed, by its button or by Escape.
  showMessage(text) {
    const box = document.getElementById('message').content.firstElementChild.cloneNode(true);
    box.querySelector('h1').textContent = this.page.title;
    box.querySelector('p').textContent = text;
    box.querySelector('button').textContent = this.page.messageButton;
    box.addEventListener('close', () => {
      box.remove();
      this.dispatch('messageDismissed');
    });
    document.body.append(box);
    box.showModal();
  }

  // The game stops at a picture it cannot do without, saying which and why:
  // nothing ticks, sounds or answers again.
  fail(file, failure) {
    this.stopped = true;
    for (const timer of this.timers) timer.setEnabled(false);
    this.closeSounds();
    this.window.inert = true;
    const text = this.module.pictureErrorText(new URL(file, location.href).href, failure === 'missing');
    console.error(text);
    this.showMessage(text);
  }
}

async function loadPicture(file) {
  let response;
  try {
    response = await fetch(file);
  } catch {
    return {failure: 'missing'};
  }
  if (!response.ok) return {failure: 'missing'};
  const picture = new Image();
  picture.src = URL.createObjectURL(await response.blob());
  try {
    await picture.decode();
  } catch {
    return {failure: 'broken'};
  }
  return {url: picture.src};
}

(async () => {
  const module = await createPokori();
  const page = module.page();
  const view = new PageView(module, page);
  await view.load();
  const scriptedDraws = test && (() => (test.draws.length ? test.draws.shift() : 0.5));
  view.start(new module.Game(view, scriptedDraws));
  if (test) Object.assign(test, {module, page, view, tick: (timer) => view.timers[timer].tickNow()});
  navigator.serviceWorker?.register('service_worker.js');
})();
