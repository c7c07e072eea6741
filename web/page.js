'use strict';
// The game's window in a web page: the page's view of the game. It makes the
// controls the game's module describes, shows and plays what the game asks
// for, keeps its timers, and tells the game what the player and the timers
// do, in the game's own words: a control clicked, pressed, released or
// chosen, a timer's tick, a message box dismissed, a picture or the music
// arrived. Every caption, colour, size, place, text, file name and timing
// comes from the module. It starts the game as soon as the pictures the game
// starts with are in, and fetches the rest behind: the stories' pictures,
// then the sounds, the music last.

// Defined before this script by the browser tests alone, to script the draws,
// to reach the view and the game, and to tick the timers at their own word:
// the timers then never tick on their own, unless the test lets them run.
const test = globalThis.pokoriTest;

const px = (pixels) => `${pixels}px`;
// The bit of MouseEvent.buttons for each MouseEvent.button.
const buttonBits = [1, 4, 2, 8, 16];

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
    this.handle = this.ticking && (!test || test.timersRun) ? setInterval(this.tick, this.interval) : null;
  }
  tickNow() {
    if (!this.ticking) throw new Error('a stopped timer cannot tick');
    this.tick();
  }
}

class PageView {
  constructor(page) {
    this.page = page;
    this.stopped = false; // over a picture that could not be read
    this.boxesOpened = 0;
    this.window = document.getElementById('window');
    this.announcer = document.getElementById('announcer');
    this.arrivals = new Map(); // by picture file: a promise of its arrival
    this.pictures = new Map(); // by picture file, once arrived: {url} or {failure}, a PictureFault
    this.soundFiles = []; // by sound, once fetched: its bytes, or null where there are none
    this.buffers = []; // by sound, once decoded: its samples, or null where they cannot be read
    this.channels = []; // by sound while the sounds are open: what each plays, if anything
    this.audio = null; // made at the player's first gesture, as browsers allow
    this.timers = Array.from({length: page.timerCount}, (_, timer) => new PageTimer(() => this.game.tick(timer)));
    const look = page.window;
    Object.assign(this.window.style, {width: px(look.width), height: px(look.height), backgroundColor: look.colour,
      color: look.textColour, fontSize: `${look.pointSize}pt`});
    // From the back to the front: each lies over those before it.
    this.controls = page.controls.map((look, control) => this.makeControl(look, control));
    this.window.addEventListener('contextmenu', (event) => event.preventDefault());
    this.waitForTheFirstGesture();
    this.fit();
    addEventListener('resize', () => this.fit());
  }

  // The window and its message boxes as large as the window fits the
  // viewport whole. CSS zoom lays text and pictures out again at that size,
  // so that they are drawn sharp at the screen's density.
  fit() {
    const viewport = document.documentElement;
    const zoom = Math.min(viewport.clientWidth / this.page.window.width, viewport.clientHeight / this.page.window.height);
    viewport.style.setProperty('--zoom', zoom);
  }

  // A picture fetched and decoded once, by the first to ask for it.
  arrival(file) {
    if (!this.arrivals.has(file))
      this.arrivals.set(file, this.readPicture(file).then((picture) => this.pictures.set(file, picture)));
    return this.arrivals.get(file);
  }

  async readPicture(file) {
    let response;
    try {
      response = await fetch(file);
    } catch {
      return {failure: this.page.faults.missing};
    }
    if (!response.ok) return {failure: this.page.faults.missing};
    try {
      const picture = new Image();
      picture.src = URL.createObjectURL(await response.blob());
      await picture.decode(); // an outline cut short is no picture at all
      return {url: picture.src};
    } catch {
      return {failure: this.page.faults.broken};
    }
  }

  // What the game starts with: the pictures it reads at start-up, and the
  // page's type. Throws where the type cannot be had.
  async loadStartUp() {
    await Promise.all([...this.page.startUpPictures.map((file) => this.arrival(file)), document.fonts.load('1em pokori')]);
  }

  // The rest, behind the title: the stories' pictures, asked for in the
  // order they are told, then the sounds, the music, the largest, asked for
  // last.
  async loadTheRest() {
    await Promise.all(this.page.pictures.map((file) => this.arrival(file)));
    const sounds = this.page.sounds.map((file, sound) => sound).filter((sound) => sound !== this.page.music);
    await Promise.all([...sounds, this.page.music].map((sound) => this.fetchSound(sound)));
  }

  async fetchSound(sound) {
    try {
      const response = await fetch(this.page.sounds[sound]);
      this.soundFiles[sound] = response.ok ? await response.arrayBuffer() : null;
    } catch {
      this.soundFiles[sound] = null;
    }
    await this.decodeSound(sound);
  }

  // A sound is decoded once it is in and the player has made the first
  // gesture, whichever comes last, and is heard from then on; the music
  // starts then, and its loop is counted from then.
  async decodeSound(sound) {
    const bytes = this.soundFiles[sound];
    if (!this.audio || bytes === undefined || this.buffers[sound] !== undefined) return;
    this.buffers[sound] = null;
    try {
      if (bytes) this.buffers[sound] = await this.audio.decodeAudioData(bytes);
    } catch {
      return; // silent, as a sound that cannot be read is
    }
    if (sound === this.page.music && this.buffers[sound]) this.game.soundArrived(sound);
  }

  start(game) {
    this.game = game;
    game.start();
    document.documentElement.classList.add('started');
    if (this.stopped) return; // nothing of the window behind the error
    this.window.hidden = false;
    game.windowShown();
  }

  // Each kind of control, telling the game what the player does with it.
  makeControl(look, control) {
    const kind = look.kind;
    const element = document.createElement(kind === 'picture' || kind === 'label' ? 'div' : 'button');
    Object.assign(element.style, {left: px(look.x), top: px(look.y), width: px(look.width), height: px(look.height),
      textAlign: look.align, color: look.textColour ?? 'inherit', backgroundColor: look.faceColour ?? ''});
    if (look.pointSize) element.style.fontSize = `${look.pointSize}pt`;
    if (look.sunkenFrame) this.frame(element, this.page.window.frameShadow, this.page.window.frameLight);
    element.textContent = look.caption;
    this.name(element, look.spokenName || look.caption);
    if (look.description) element.setAttribute('aria-description', look.description);
    if (kind === 'label') {
      element.setAttribute('role', 'note');
    } else if (kind === 'picture') {
      element.setAttribute('role', 'img');
      const picture = element.appendChild(document.createElement('img'));
      picture.alt = '';
      picture.draggable = false;
    } else {
      element.type = 'button';
      this.press(element, look, look.startsChosen);
    }
    // Of a quick series of clicks, the odd ones are clicks and the even ones
    // double clicks, which are no clicks of their own.
    const clicked = (event) => !(event.detail > 0 && event.detail % 2 === 0);
    if (kind === 'picture' || kind === 'button')
      element.addEventListener('click', (event) => clicked(event) && this.game.click(control));
    if (kind === 'pace') {
      element.addEventListener('click', () => this.game.choose(control));
      element.addEventListener('keydown', (event) => this.movePace(event, control));
    }
    if (kind === 'action') this.takePresses(element, look, control);
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
    Object.assign(element.style, {backgroundColor: down ? look.pressedFace : look.faceColour,
      padding: down ? '2px 0 0 2px' : '0'});
    if (look.kind === 'pace') {
      element.setAttribute('aria-pressed', down);
      element.tabIndex = down ? 0 : -1; // Tab enters the choice at the chosen one
    }
  }

  // The arrow keys move the choice, as in a group of option buttons.
  movePace(event, control) {
    const step = {ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1}[event.key];
    if (!step) return;
    event.preventDefault(); // no scrolling
    const paces = this.page.controls.flatMap((look, index) => (look.kind === 'pace' ? [index] : []));
    const next = paces[(paces.indexOf(control) + step + paces.length) % paces.length];
    this.game.choose(next);
    this.controls[next].focus();
  }

  // Acts as each mouse button, finger or pen goes down on the button and
  // comes up again, a second mouse button while the first is held too. Its
  // click and the keyboard do nothing.
  takePresses(element, look, control) {
    const held = new Map(); // by pointer: how many of its buttons hold the button
    const down = (pointer) => {
      held.set(pointer, (held.get(pointer) ?? 0) + 1);
      this.press(element, look, true);
      this.game.press(control);
    };
    const up = (pointer, count) => {
      for (let n = Math.min(count, held.get(pointer) ?? 0); n > 0; --n) {
        held.set(pointer, held.get(pointer) - 1);
        if (!held.get(pointer)) held.delete(pointer);
        this.press(element, look, held.size > 0);
        this.game.release(control);
      }
    };
    element.addEventListener('pointerdown', (event) => {
      event.preventDefault(); // no text selection, no middle-button scrolling
      element.setPointerCapture(event.pointerId); // the release comes back here
      down(event.pointerId);
    });
    // A mouse's other buttons go down and up as moves of its pointer.
    element.addEventListener('pointermove', (event) => {
      if (event.button < 0 || !held.has(event.pointerId)) return;
      if (event.buttons & buttonBits[event.button]) down(event.pointerId);
      else up(event.pointerId, 1);
    });
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture'])
      element.addEventListener(type, (event) => up(event.pointerId, Infinity));
  }

  // Browsers let a page sound only from a gesture that they count as the
  // player's (HTML's activation-triggering events): a key other than Escape
  // going down, a mouse button going down, any other pointer coming up.
  waitForTheFirstGesture() {
    const activates = (event) => (event.type === 'keydown' ? event.key !== 'Escape'
      : (event.pointerType === 'mouse') === (event.type === 'pointerdown'));
    for (const type of ['pointerdown', 'pointerup', 'keydown']) {
      addEventListener(type, (event) => {
        if (!activates(event)) return;
        if (this.audio) {
          if (this.audio.state === 'suspended') this.audio.resume();
          return;
        }
        this.audio = new AudioContext();
        this.page.sounds.forEach((file, sound) => this.decodeSound(sound));
      }, true);
    }
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

  showChosen(chosen) {
    this.page.controls.forEach((look, control) => {
      if (look.kind === 'pace') this.press(this.controls[control], look, control === chosen);
    });
  }

  keepPicture(file) {
    const picture = this.pictures.get(file);
    if (picture.failure !== undefined) this.game.pictureUnreadable(new URL(file, location.href).href, picture.failure);
  }

  // A picture not yet in is shown when it arrives, and the story told on.
  showPicture(control, file) {
    const picture = this.pictures.get(file);
    if (!picture) {
      this.arrival(file).then(() => this.showPicture(control, file) && this.game.pictureArrived());
      return false;
    }
    if (picture.failure !== undefined) this.game.pictureUnreadable(new URL(file, location.href).href, picture.failure);
    else this.controls[control].firstChild.src = picture.url;
    return true;
  }

  // Each sound plays on a channel of its own, silent until it is heard.
  openSounds() {
    this.channels = this.page.sounds.map(() => ({source: null}));
  }

  playSound(sound) {
    const channel = this.channels[sound];
    const buffer = this.buffers[sound];
    if (!channel || !buffer) return;
    channel.source?.stop(); // its own sound alone is cut off
    const source = this.audio.createBufferSource();
    source.buffer = buffer;
    source.connect(this.audio.destination);
    source.onended = () => { if (channel.source === source) channel.source = null; };
    source.start();
    channel.source = source;
  }

  soundLengthMs(sound) {
    const buffer = this.buffers[sound];
    return buffer ? Math.round(buffer.duration * 1000) : 0;
  }

  closeSounds() {
    for (const channel of this.channels) channel.source?.stop();
    this.channels = [];
  }

  setTimerInterval(timer, ms) { this.timers[timer].setInterval(ms); }

  setTimerEnabled(timer, enabled) { this.timers[timer].setEnabled(enabled); }

  // A modal box over everything; the game goes on once it is closed, by its
  // button or by Escape.
  showMessage(text) {
    this.openBox(text).addEventListener('close', () => this.game.messageDismissed());
  }

  // The game has ended over a picture it cannot do without, saying which
  // and why: nothing answers again.
  stop(text) {
    this.stopped = true;
    this.window.inert = true;
    console.error(text);
    this.openBox(text);
  }

  // Over the middle of the window, at its scale, named by the game's title
  // and described by its text; the window has the focus again once the last
  // box is closed.
  openBox(text) {
    const box = document.getElementById('message').content.firstElementChild.cloneNode(true);
    const id = `message-${++this.boxesOpened}`;
    const title = Object.assign(box.querySelector('h1'), {id: `${id}-title`, textContent: this.page.title});
    const said = Object.assign(box.querySelector('p'), {id: `${id}-text`, textContent: text});
    box.setAttribute('aria-labelledby', title.id);
    box.setAttribute('aria-describedby', said.id);
    box.querySelector('button').textContent = this.page.messageButton;
    box.style.fontSize = `${this.page.window.pointSize}pt`;
    box.style.maxWidth = px(this.page.window.width);
    box.addEventListener('close', () => {
      box.remove();
      if (!document.querySelector('dialog')) this.window.focus();
    });
    document.body.append(box);
    box.showModal();
    return box;
  }
}

(async () => {
  let module, view;
  try {
    module = await createPokori();
    view = new PageView(module.page());
    await view.loadStartUp();
  } catch (error) {
    // The code or the type has not come: the page says so, in the system's type.
    document.documentElement.classList.add('failed');
    throw error;
  }
  const scriptedDraws = test?.draws && (() => (test.draws.length ? test.draws.shift() : 0.5));
  view.start(new module.Game(view, scriptedDraws));
  if (test) Object.assign(test, {module, page: view.page, view, tick: (timer) => view.timers[timer].tickNow()});
  if (view.stopped) return;
  await view.loadTheRest();
  if (test) test.loaded = true;
  // Kept for the next visit only now, so that nothing is fetched twice.
  navigator.serviceWorker?.register('service_worker.js');
})();
