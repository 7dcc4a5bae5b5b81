// ZARVEL's page: the canvas and its scale, the boxes, the keys and
// gamepads, the sound through Web Audio, the high scores in the page's
// storage, and what a replay leaves behind for whoever asked for it. The
// game (zarvel.js and zarvel.wasm) calls in through ZarvelPage; the page
// calls the game's exported functions (Zarvel...).
'use strict';

const ZarvelPage = (() => {
  const canvas = document.getElementById('screen');
  const screen = canvas.getContext('2d', { alpha: false });
  const picture = screen.createImageData(640, 480);
  const stage = document.getElementById('stage');
  const boxes = document.getElementById('boxes');
  const statusLine = document.getElementById('status');
  const typing = document.getElementById('typing');
  // What the page shows the world: its state, and a replay's records.
  const results = (window.zarvel = {
    state: 'loading', presented: 0, soundPlayed: 0, frames: 0, hashes: '', sound: null, frameLog: '', costs: null,
  });
  let ready = false;       // the game takes events
  let typingName = false;  // the name box is open
  let soundHint = true;    // "click for sound" until the sound runs

  // One of the game's exported functions, called straight: between its
  // turns the game sleeps, and emscripten's ccall then hands back a promise
  // that settles only when the game ends (a key always read as used) and
  // keeps the stack it took for the arguments until then.
  const utf8 = new TextEncoder();
  function game(name, types, values) {
    if (!ready) return 0;
    const stack = Module.stackSave();
    try {
      const args = values.map((value, i) => {
        if (types[i] === 'number') return value;
        const bytes = types[i] === 'string' ? [...utf8.encode(value), 0] : value;
        const at = Module.stackAlloc(bytes.length);
        Module.HEAPU8.set(bytes, at);
        return at;
      });
      return Module['_' + name](...args);
    } finally {
      Module.stackRestore(stack);
    }
  }

  function status(text) {
    const hint = soundHint && ready ? 'Press a key or click for sound.' : '';
    statusLine.textContent = [text, hint].filter((t) => t).join('  ');
  }
  let statusText = 'Loading ZARVEL\u2026';

  // --- the picture: whole-number scales of the screen's own pixels ------
  function layout() {
    const ratio = window.devicePixelRatio || 1;
    const width = window.innerWidth * ratio, height = window.innerHeight * ratio;
    const scale = Math.max(1, Math.floor(Math.min(width / 640, height / 480)));
    const cssScale = scale / ratio;
    stage.style.width = 640 * cssScale + 'px';
    stage.style.height = 480 * cssScale + 'px';
    stage.style.left = Math.max(0, Math.floor((width - 640 * scale) / 2)) / ratio + 'px';
    stage.style.top = Math.max(0, Math.floor((height - 480 * scale) / 2)) / ratio + 'px';
    boxes.style.transform = 'scale(' + cssScale + ')';
    placeTyping();
  }

  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
  }

  function present(pixels) {
    picture.data.set(pixels);
    screen.putImageData(picture, 0, 0);
    results.presented++;
  }

  // --- texts: Shift-JIS both ways, lines drawn for the game's surfaces ---
  const shiftJis = new TextDecoder('shift_jis');
  let shiftJisCodes = null;  // character -> bytes, made on first use

  function shiftJisBytes(text) {
    if (!shiftJisCodes) {
      shiftJisCodes = new Map();
      const pair = new Uint8Array(2);
      for (let lead = 0x81; lead <= 0xfc; lead++) {
        if (lead > 0x9f && lead < 0xe0) continue;
        for (let trail = 0x40; trail <= 0xfc; trail++) {
          if (trail === 0x7f) continue;
          pair[0] = lead, pair[1] = trail;
          const c = shiftJis.decode(pair);
          if (c.length === 1 && c !== '\ufffd' && !shiftJisCodes.has(c)) shiftJisCodes.set(c, [lead, trail]);
        }
      }
      for (let kana = 0xa1; kana <= 0xdf; kana++) shiftJisCodes.set(shiftJis.decode(new Uint8Array([kana])), [kana]);
    }
    const bytes = [];
    for (const c of text) {
      if (c.codePointAt(0) < 0x80) bytes.push(c.codePointAt(0));
      else bytes.push(...(shiftJisCodes.get(c) || [0x3f]));
    }
    return bytes;
  }

  const lines = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
  function renderLine(bytes, pixels, bold) {
    const text = shiftJis.decode(bytes);
    const font = (bold ? 'bold ' : '') + pixels + 'px ZarvelGothic, sans-serif';
    lines.font = font;
    const m = lines.measureText(text || ' ');
    const ascent = Math.ceil(m.fontBoundingBoxAscent || pixels * 0.88);
    const skip = ascent + Math.ceil(m.fontBoundingBoxDescent || pixels * 0.12);
    const width = text ? Math.ceil(m.width) : 0;
    if (width === 0) return { width: 0, height: 0, skip: skip, mask: new Uint8Array(0) };
    lines.canvas.width = width;
    lines.canvas.height = skip;
    lines.font = font;
    lines.fillStyle = '#fff';
    lines.fillText(text, 0, ascent);
    const rgba = lines.getImageData(0, 0, width, skip).data;
    const mask = new Uint8Array(width * skip);
    for (let i = 0; i < mask.length; i++) mask[i] = rgba[4 * i + 3] >= 128 ? 1 : 0;  // solid, as GDI's
    return { width: width, height: skip, skip: skip, mask: mask };
  }

  // --- the boxes, laid out as the native program draws them -------------
  const BoxKinds = { AskExit: 0, TellMessage: 1, EnterName: 2, ListScores: 3 };

  function put(tag, className, x, y, w, h, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    e.style.left = x + 'px';
    e.style.top = y + 'px';
    if (w) e.style.width = w + 'px';
    if (h) e.style.height = h + 'px';
    if (text !== undefined) e.textContent = text;
    boxes.appendChild(e);
    return e;
  }

  function showBox(b) {
    boxes.replaceChildren();
    boxes.hidden = false;
    const list = b.kind === BoxKinds.ListScores, name = b.kind === BoxKinds.EnterName;
    const w = b.kind === BoxKinds.TellMessage ? 600 : 440;
    const h = list ? 330 : name ? 250 : b.kind === BoxKinds.TellMessage ? 260 : 170;
    const x = (640 - w) / 2, y = (480 - h) / 2;
    put('div', 'panel', x, y, w, h);
    put('div', 'bar', x + 2, y + 2, w - 4, 26);
    put('div', '', x + 10, y + 4, 0, 0, b.caption);
    if (list) scoreRows(b.rows, x + 40, y + 40);
    else put('div', 'message', x + 20, y + 38, 0, 0, b.message);
    if (name) nameFields(b, x + 20, y + 96);
    const labels = b.button.split('\t');
    labels.forEach((label, i) => {
      const width = label.length > 10 ? 240 : 120;  // the farewell's "play again"
      const left = labels.length > 1 ? x + 25 + i * 135 : x + (w - width) / 2;
      const button = put('button', labels.length === 1 || b.focus === i ? 'lit' : '', left, y + h - 40, width, 0, label);
      button.type = 'button';
      button.addEventListener('click', () => game('ZarvelBoxButton', ['number'], [i]));
    });
    typingName = name;
    if (name) {
      placeTyping();
      typing.focus({ preventScroll: true });
    }
  }

  function scoreRows(rows, x, y) {
    put('div', 'heading', x, y, 0, 0, 'Rank');
    put('div', 'heading', x + 60, y, 0, 0, 'Name');
    put('div', 'heading right', x + 240, y, 100, 0, 'Score');
    rows.split('\n').filter((row) => row).forEach((row, i) => {
      const [place, who, score] = row.split('\t');
      const top = y + (i + 1) * 20 + 4;
      put('div', 'right place', x, top, 30, 0, place);
      put('div', 'name', x + 60, top, 0, 0, who);
      put('div', 'right score', x + 240, top, 100, 0, score);
    });
  }

  function nameFields(b, x, y) {
    const values = [String(b.rank), b.name + '_', String(b.score)];
    ['Your Rank:', 'Your Name:', 'Your Score:'].forEach((label, i) => {
      put('div', '', x, y + i * 30 + 2, 0, 0, label);
      const field = put('div', 'field' + (i === 1 && b.nameSelected ? ' selected' : ''), x + 120, y + i * 30, 220, 24, values[i]);
      if (i === 1) field.id = 'name-field';
    });
  }

  function hideBox() {
    boxes.hidden = true;
    boxes.replaceChildren();
    if (typingName) typing.blur();
    typingName = false;
  }

  // The input that takes the name's text sits on the name's field, so an
  // input method shows its choices there.
  function placeTyping() {
    const field = document.getElementById('name-field');
    if (!typingName || !field) return;
    const r = field.getBoundingClientRect();
    typing.style.left = r.left + 'px';
    typing.style.top = r.top + 'px';
  }

  function sendTyped() {
    const text = typing.value;
    typing.value = '';
    if (text && typingName) game('ZarvelText', ['array'], [shiftJisBytes(text).concat([0])]);
  }
  typing.addEventListener('input', (e) => e.isComposing || sendTyped());
  typing.addEventListener('compositionend', sendTyped);

  // --- keys, clicks, gamepads, visibility --------------------------------
  function key(e, down) {
    if (down) startSound();
    if (down && e.altKey && (e.code === 'Enter' || e.code === 'NumpadEnter')) {
      e.preventDefault();
      toggleFullScreen();
      return;
    }
    if (e.isComposing) return;  // the input method's keys are the name's text
    const used = game('ZarvelKey', ['string', 'number', 'number', 'number'], [e.code, down, e.altKey, e.repeat]);
    // A printable key in the name box types its character.
    if (used && !(typingName && e.key.length === 1)) e.preventDefault();
  }
  window.addEventListener('keydown', (e) => key(e, 1));
  window.addEventListener('keyup', (e) => key(e, 0));
  window.addEventListener('pointerdown', startSound);
  document.getElementById('full').addEventListener('click', toggleFullScreen);
  window.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);

  const shown = () => !document.hidden && document.hasFocus();
  const tellShown = () => game('ZarvelPageShown', ['number'], [shown() ? 1 : 0]);
  document.addEventListener('visibilitychange', tellShown);
  window.addEventListener('focus', tellShown);
  window.addEventListener('blur', tellShown);

  let sentPad = '';
  function pollPads() {
    const pads = navigator.getGamepads ? Array.from(navigator.getGamepads()) : [];
    const pad = pads.find((p) => p && p.connected);
    let state = [0, 0, 0, 0];
    if (pad) {
      let bits = 0;
      pad.buttons.forEach((b, i) => { if (i < 16 && b.pressed) bits |= 1 << i; });
      const axis = (i) => Math.round(Math.max(-1, Math.min(1, pad.axes[i] || 0)) * 32767);
      state = [1, bits, axis(0), axis(1)];
    }
    const text = state.join(' ');
    if (text !== sentPad && ready) {
      sentPad = text;
      game('ZarvelPad', ['number', 'number', 'number', 'number'], state);
    }
    requestAnimationFrame(pollPads);
  }

  // --- sound: the game's own samples through an audio worklet ------------
  const workletSource = `
class ZarvelSound extends AudioWorkletProcessor {
  constructor() {
    super();
    this.chunks = [];
    this.at = 0;
    this.played = 0;
    this.step = 22050 / sampleRate;
    this.phase = 0;
    this.quanta = 0;
    this.port.onmessage = (e) => this.chunks.push(e.data);
  }
  process(inputs, outputs) {
    const left = outputs[0][0], right = outputs[0][1];
    for (let i = 0; i < left.length; i++) {
      const chunk = this.chunks[0];
      if (!chunk) { left[i] = right[i] = 0; continue; }
      left[i] = chunk[this.at] / 32768;
      right[i] = chunk[this.at + 1] / 32768;
      for (this.phase += this.step; this.phase >= 1 && this.chunks.length; this.phase -= 1) {
        this.at += 2;
        this.played++;
        if (this.at >= this.chunks[0].length) { this.chunks.shift(); this.at = 0; }
      }
    }
    if (++this.quanta % 4 === 0) this.port.postMessage(this.played);
    return true;
  }
}
registerProcessor('zarvel-sound', ZarvelSound);
`;
  let audio = null, sound = null, fed = 0, played = 0, recording = null;
  const MostQueued = 22050 * 2;  // a replay at full speed is not queued up for minutes

  function startSound() {
    if (audio) {
      if (audio.state === 'suspended') audio.resume();
      return;
    }
    try {
      audio = new AudioContext({ sampleRate: 22050 });
    } catch (e) {
      audio = new AudioContext();  // the worklet steps through the samples at the device's rate
    }
    const url = URL.createObjectURL(new Blob([workletSource], { type: 'text/javascript' }));
    audio.audioWorklet.addModule(url).then(() => {
      sound = new AudioWorkletNode(audio, 'zarvel-sound', { numberOfInputs: 0, outputChannelCount: [2] });
      sound.port.onmessage = (e) => { played = results.soundPlayed = e.data; };
      sound.connect(audio.destination);
      soundHint = false;
      status(statusText);
    }).catch((e) => console.warn('ZARVEL: no sound (' + e.message + ')'));
  }

  function queuedSound() {
    return sound && audio.state === 'running' ? fed - played : -1;
  }

  function handSound(samples) {
    if (recording) recording.push(samples.slice());
    if (queuedSound() < 0 || fed - played > MostQueued) return;
    const chunk = samples.slice();
    fed += chunk.length / 2;
    sound.port.postMessage(chunk, [chunk.buffer]);  // handed over: the chunk is empty here after
  }

  function recordSound(on) {
    recording = on ? [] : null;
  }

  // --- the high scores: score.dat's bytes, one character a byte -----------
  function restoreStored(fs, key, file) {
    try { fs.mkdir(file.replace(/\/[^/]*$/, '')); } catch (e) { /* there already */ }
    let text;
    try {
      text = window.localStorage.getItem(key);
    } catch (e) {
      console.warn('ZARVEL: this browser keeps no high scores for the page (' + e.message + ')');
      return 0;
    }
    if (text === null) return 1;
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i++) {
      const c = text.charCodeAt(i);
      bytes[i] = c < 256 ? c : 0x3f;
    }
    fs.writeFile(file, bytes);
    return 1;
  }

  function keepStored(fs, key, file) {
    let bytes;
    try { bytes = fs.readFile(file); } catch (e) { return 0; }
    let text = '';
    for (let i = 0; i < bytes.length; i += 4096) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 4096));
    try {
      window.localStorage.setItem(key, text);
      return 1;
    } catch (e) {
      console.warn('ZARVEL: the high scores could not be kept in this browser (' + e.message + ')');
      return 0;
    }
  }

  // --- the game's state and records ---------------------------------------
  function gameState(state, text) {
    results.state = state;
    statusText = text;
    if (state === 'running') {
      ready = true;
      tellShown();
    }
    status(text);
  }

  function replayEnded(frames, hashes) {
    results.frames = frames;
    results.hashes = hashes;
    if (!recording) return;
    const all = new Int16Array(recording.reduce((n, c) => n + c.length, 0));
    let at = 0;
    for (const c of recording) all.set(c, at), at += c.length;
    results.sound = all;
  }

  // The address's query as the game's arguments: ?keys=0+fire&seed=5 is
  // "--keys '0 fire' --seed 5"; a name without a value is a flag.
  function pageArguments() {
    const args = [];
    for (const [name, value] of new URLSearchParams(window.location.search)) {
      args.push('--' + name);
      if (value !== '') args.push(value);
    }
    return args;
  }

  layout();
  requestAnimationFrame(pollPads);
  return {
    present, renderLine, showBox, hideBox, queuedSound, handSound, recordSound,
    restoreStored, keepStored, gameState, replayEnded, pageArguments,
    status: (text) => { statusText = text; status(text); },
    shiftJisAt: (bytes) => shiftJis.decode(bytes),
    frameLogWritten: (fs, file) => { results.frameLog = fs.readFile(file, { encoding: 'utf8' }); },
    screenCosts: (count, total, longest) => {
      results.costs = { presents: count, meanMs: count ? total / count / 1000 : 0, longestMs: longest / 1000 };
    },
    playAgain: () => window.location.reload(),
    fontsLoaded: () => Promise.all(['bold 64px ZarvelGothic', '16px ZarvelGothic'].map((f) => document.fonts.load(f))),
  };
})();

var Module = {
  arguments: ZarvelPage.pageArguments(),
  // The game draws its title in the page's font: it must be there first.
  preRun: [() => {
    Module.addRunDependency('zarvel-font');
    ZarvelPage.fontsLoaded().catch(() => {}).finally(() => Module.removeRunDependency('zarvel-font'));
  }],
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  onAbort: (what) => ZarvelPage.gameState('error', 'ZARVEL stopped: ' + what),
};
