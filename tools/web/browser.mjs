// A headless Chromium driven through the DevTools protocol over a pipe
// (--remote-debugging-pipe: JSON messages ended by a NUL on descriptors 3
// and 4), so no WebSocket and no package beyond Node itself. Each page
// keeps what its console said as errors and the exceptions it threw.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const Chromium = process.env.ZARVEL_CHROMIUM || '/usr/bin/chromium';
const CallSeconds = Number(process.env.ZARVEL_CDP_SECONDS) || 120;

export async function openBrowser({ width = 640, height = 480 } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zarvel-chromium-'));
  const flags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--mute-audio',
    `--user-data-dir=${profile}`, `--window-size=${width},${height}`, '--remote-debugging-pipe', 'about:blank'];
  const child = spawn(Chromium, flags, { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (d) => { stderr = (stderr + d).slice(-4000); });
  const waiting = new Map();
  const listeners = [];
  let nextId = 1, input = Buffer.alloc(0), gone = null;
  child.stdio[4].on('data', (chunk) => {
    input = Buffer.concat([input, chunk]);
    for (let end; (end = input.indexOf(0)) >= 0; input = input.subarray(end + 1)) {
      const message = JSON.parse(input.subarray(0, end).toString('utf8'));
      if (message.id && waiting.has(message.id)) {
        const { resolve, reject, method } = waiting.get(message.id);
        waiting.delete(message.id);
        if (message.error) reject(new Error(`${method}: ${message.error.message}`));
        else resolve(message.result);
      } else {
        for (const listen of listeners) listen(message);
      }
    }
  });
  child.on('exit', (code) => {
    gone = new Error(`chromium ended (${code}): ${stderr}`);
    for (const { reject } of waiting.values()) reject(gone);
    waiting.clear();
  });
  // A call Chromium never answers fails after a limit a machine four
  // times slower keeps well within, rather than hanging its caller.
  const send = (method, params = {}, sessionId) => new Promise((resolve, reject) => {
    if (gone) return reject(gone);
    const id = nextId++;
    const limit = setTimeout(() => {
      waiting.delete(id);
      reject(new Error(`${method}: no answer from Chromium in ${CallSeconds} s`));
    }, CallSeconds * 1000);
    const settle = (done) => (value) => { clearTimeout(limit); done(value); };
    waiting.set(id, { resolve: settle(resolve), reject: settle(reject), method });
    child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  });
  await send('Browser.getVersion');

  async function close() {
    try { await send('Browser.close'); } catch (e) { /* already gone */ }
    if (!gone) await new Promise((resolve) => child.once('exit', resolve));
    fs.rmSync(profile, { recursive: true, force: true });
  }

  // A new tab at `url`; its console errors and exceptions are kept.
  async function open(url) {
    const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
    const call = (method, params) => send(method, params, sessionId);
    const problems = [];
    listeners.push((m) => {
      if (m.sessionId !== sessionId) return;
      if (m.method === 'Runtime.consoleAPICalled' && (m.params.type === 'error' || m.params.type === 'assert'))
        problems.push('console: ' + m.params.args.map((a) => a.value ?? a.description).join(' '));
      if (m.method === 'Runtime.exceptionThrown')
        problems.push('exception: ' + (m.params.exceptionDetails.exception?.description || m.params.exceptionDetails.text));
      if (m.method === 'Log.entryAdded' && m.params.entry.level === 'error')
        problems.push('log: ' + m.params.entry.text + (m.params.entry.url ? ' ' + m.params.entry.url : ''));
    });
    await call('Runtime.enable');
    await call('Log.enable');
    await call('Page.enable');
    // A headless tab counts as the focused window, as the player's would,
    // and its page is the window's whole size (headless keeps a strip for
    // a toolbar it does not draw).
    await call('Emulation.setFocusEmulationEnabled', { enabled: true });
    await call('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: false });
    const page = {
      problems,
      call,
      async goto(address) {
        await call('Page.navigate', { url: address });
      },
      async evaluate(expression) {
        const r = await call('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true })
          .catch((e) => { throw new Error(`${e.message}, evaluating ${expression.slice(0, 100)}`); });
        if (r.exceptionDetails) throw new Error(`${expression}: ${r.exceptionDetails.exception?.description || r.exceptionDetails.text}`);
        return r.result.value;
      },
      // Polls `expression` until it is true; gives up after `seconds`.
      async waitFor(expression, seconds, what) {
        const end = Date.now() + seconds * 1000;
        for (;;) {
          let value = false;
          try { value = await page.evaluate(expression); } catch (e) { /* the page is loading */ }
          if (value) return value;
          if (Date.now() > end) throw new Error(`gave up after ${seconds} s waiting for ${what || expression}`);
          await new Promise((resolve) => setTimeout(resolve, 100));
        }
      },
      async key(code, type) {
        const key = KeyNames[code] || code.replace(/^Key|^Digit/, '').toLowerCase();
        const event = { type, code, key, windowsVirtualKeyCode: VirtualKeys[code] || key.toUpperCase().charCodeAt(0) };
        await call('Input.dispatchKeyEvent', event);
      },
      async press(code) {
        await page.key(code, 'rawKeyDown');
        await page.key(code, 'keyUp');
      },
      async type(text) {
        await call('Input.insertText', { text });
      },
      async close() {
        await send('Target.closeTarget', { targetId });
      },
    };
    await page.goto(url);
    return page;
  }
  return { open, close, send };
}

const KeyNames = { Escape: 'Escape', Enter: 'Enter', F1: 'F1', Space: ' ', ArrowUp: 'ArrowUp' };
const VirtualKeys = { Escape: 27, Enter: 13, F1: 112, Space: 32, ArrowUp: 38 };
