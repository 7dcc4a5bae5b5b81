// The page in headless Chromium against the simulator:
//   node web_checks.mjs CHECK SITE TZK_SIM
// fingerprints  a replay's state fingerprint at every frame wait through a
//               whole stage is tzk-sim --hash's
// canvas        the canvas at three frame waits is tzk-sim --shot's, pixel
//               for pixel at 1x
// sound         the samples handed to Web Audio over 300 frames are
//               tzk-sim --audio's
// scores        a name entered survives a reload; a damaged stored table
//               shows its whole entries
// console       the page starts without errors; a bad address says so
// rules         only the game's keys are kept from the browser; a hidden
//               page holds the game; a gamepad's Back asks to quit;
//               Yes ends on the farewell, whose button plays again
// Every page a check opens must also leave the console without errors.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import { openBrowser } from '../../tools/web/browser.mjs';
import { serve } from '../../tools/web/serve.mjs';

const [check, site, sim] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zarvel-web-'));
// Limits allow a machine four times slower than this one.
const Slow = 4;

class Failure extends Error {}
function expect(ok, message) {
  if (!ok) throw new Failure(message);
}

function simulate(args) {
  return execFileSync(sim, args, { encoding: 'utf8', maxBuffer: 64 << 20 });
}

const query = (options) =>
  '?' + Object.entries(options).map(([k, v]) => (v === true ? k : `${k}=${encodeURIComponent(v)}`)).join('&');

async function replay(browser, address, options, seconds) {
  const page = await browser.open(address + query(options));
  await page.waitFor("zarvel.state === 'ended' || zarvel.state === 'error'", seconds * Slow, 'the replay to end');
  expect((await page.evaluate('zarvel.state')) === 'ended', `the replay failed: ${await page.evaluate('document.getElementById("status").textContent')}`);
  return page;
}

function noProblems(page) {
  expect(page.problems.length === 0, `the console said:\n  ${page.problems.join('\n  ')}`);
}

// Fly, change arms, bomb, pause and resume: the native tier's fight, a
// whole stage cleared by the map.
const Fight = ['0 fire M', '200 fire up M', '260 fire M weapon', '400 fire down bomb M', '420 pause',
  '424 pause', '425 fire right M weapon', '700 fire left M', '800 fire M weapon'];

const checks = {
  async fingerprints(browser, address) {
    const args = ['--stage', '2', '--seed', '12345', '--frames', '4620'];
    fs.writeFileSync(path.join(work, 'fight.txt'), Fight.join('\n') + '\n');
    const out = simulate([...args, '--keys', path.join(work, 'fight.txt'), '--hash']);
    expect(/^clear stage=2 frame=\d+ by=map/m.test(out), "the simulator's stage was not cleared");
    const expected = out.split('\n').filter((l) => l.startsWith('frame='));
    expect(expected.length === 4620, `tzk-sim printed ${expected.length} fingerprints`);
    const page = await replay(browser, address, { keys: Fight.join(';'), stage: 2, seed: 12345, frames: 4620, fast: true }, 120);
    const got = (await page.evaluate('zarvel.hashes')).split('\n').filter((l) => l);
    const first = expected.findIndex((line, i) => got[i] !== line);
    expect(got.length === expected.length && first < 0,
      `the fingerprints part at line ${first}: ${expected[first]} / ${got[first]} (${got.length} lines)`);
    noProblems(page);
    return `same fingerprint at all ${got.length} frame waits`;
  },

  async canvas(browser, address) {
    const frames = [10, 300, 700];  // a stage's fade in from black, a fight, the game lost
    fs.writeFileSync(path.join(work, 'keys.txt'), '0\n5 fire\n');
    const shots = frames.flatMap((f) => ['--shot', `${f}:${path.join(work, `sim-${f}.png`)}`]);
    simulate(['--seed', '5', '--keys', path.join(work, 'keys.txt'), '--frames', String(Math.max(...frames) + 1), ...shots]);
    for (const f of frames) {
      const page = await replay(browser, address, { keys: '0;5 fire', seed: 5, frames: f, fast: true }, 30);
      const url = await page.evaluate("document.getElementById('screen').toDataURL('image/png')");
      const size = await page.evaluate("[document.getElementById('screen').width, document.getElementById('screen').height].join('x')");
      expect(size === '640x480', `frame ${f}: the canvas is ${size}`);
      const file = path.join(work, `page-${f}.png`);
      fs.writeFileSync(file, Buffer.from(url.split(',')[1], 'base64'));
      // compare says how many pixels differ on its error output.
      const differ = spawnSync('compare', ['-metric', 'AE', file, path.join(work, `sim-${f}.png`), 'null:'], { encoding: 'utf8' });
      expect(differ.stderr.trim() === '0', `frame ${f}: ${differ.stderr.trim()} pixels differ from tzk-sim --shot`);
      // A black canvas would pass the comparison above: the picture has colour.
      const colours = Number(execFileSync('identify', ['-format', '%k', file], { encoding: 'utf8' }));
      expect(colours > 8, `frame ${f}: only ${colours} colours on the canvas`);
      noProblems(page);
      await page.close();
    }
    return `the canvas at frames ${frames.join(', ')} is tzk-sim --shot's, pixel for pixel`;
  },

  async sound(browser, address) {
    const keys = ['0 fire M', '150 fire up M weapon', '200 fire bomb M', '240 pause', '250 pause', '251 fire down M'];
    fs.writeFileSync(path.join(work, 'sound.txt'), keys.join('\n') + '\n');
    simulate(['--stage', '0', '--seed', '99', '--frames', '300', '--keys', path.join(work, 'sound.txt'), '--audio', path.join(work, 'sim.wav')]);
    const wave = fs.readFileSync(path.join(work, 'sim.wav')).subarray(44);
    const page = await browser.open(address + query({ keys: keys.join(';'), stage: 0, seed: 99, frames: 300, audio: true }));
    await page.waitFor("zarvel.state !== 'loading'", 30 * Slow, 'the page to load');
    await page.press('KeyQ');  // a key the game does not read starts the sound, as a player's would
    await page.waitFor("zarvel.state === 'ended' || zarvel.state === 'error'", 60 * Slow, 'the replay to end');
    const played = await page.evaluate('zarvel.soundPlayed');
    const samples = Buffer.from(await page.evaluate(`(() => {
      const bytes = new Uint8Array(zarvel.sound.buffer);
      let text = '';
      for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
      return btoa(text);
    })()`), 'base64');
    expect(wave.length > 1000000, `the simulator's recording is short (${wave.length} bytes)`);
    expect(samples.length === wave.length, `the page handed ${samples.length / 4} stereo samples, tzk-sim ${wave.length / 4}`);
    // The synthesizer's float sine and tanh come from the C library, and
    // the page's rounds a few of them one unit apart from glibc's: a
    // sample may be one step off, nothing more, and only a rare one.
    let off = 0, most = 0, first = -1;
    for (let i = 0; i < wave.length; i += 2) {
      const d = Math.abs(wave.readInt16LE(i) - samples.readInt16LE(i));
      if (d && first < 0) first = i >> 2;
      if (d) off++, most = Math.max(most, d);
    }
    expect(most <= 1 && off <= wave.length / 2 / 10000,
      `${off} samples differ from tzk-sim's, by up to ${most}, the first at stereo sample ${first}`);
    expect(played > 22050, `the audio worklet played only ${played} samples`);
    noProblems(page);
    return `the ${wave.length / 4} stereo samples of tzk-sim --audio (${off} one step off), ${played} of them played`;
  },

  async scores(browser, address) {
    const rows = `[...document.querySelectorAll('#boxes .name')].map((e, i) =>
      e.textContent + '=' + document.querySelectorAll('#boxes .score')[i].textContent).join(',')`;
    const page = await browser.open(address);
    await page.waitFor("zarvel.state === 'running'", 30 * Slow);
    // Fire starts the game; T held runs it unpaced until the ship is lost.
    await page.key('KeyZ', 'rawKeyDown');
    await page.key('KeyT', 'rawKeyDown');
    await page.waitFor("document.getElementById('boxes').textContent.includes('Insert Height Score')", 120 * Slow, 'the name entry');
    await page.key('KeyT', 'keyUp');
    await page.key('KeyZ', 'keyUp');
    const score = await page.evaluate("document.querySelectorAll('#boxes .field')[2].textContent");
    for (const letter of 'WEB') await page.call('Input.dispatchKeyEvent', { type: 'keyDown', code: 'Key' + letter, key: letter, text: letter });
    await page.press('Enter');
    await page.waitFor("document.getElementById('boxes').textContent.includes('ZARVEL Height Score')", 10 * Slow, 'the score list');
    const listed = await page.evaluate(rows);
    expect(listed.startsWith(`WEB=${score}`), `after the entry the list reads ${listed}, not WEB=${score} first`);
    await page.press('Enter');
    await page.goto(address);  // the page again, as after a reload
    await page.waitFor("zarvel.state === 'running'", 30 * Slow);
    await page.press('F1');
    await page.waitFor("document.getElementById('boxes').textContent.includes('ZARVEL Height Score')", 10 * Slow, 'the score list');
    const kept = await page.evaluate(rows);
    expect(kept.startsWith(`WEB=${score}`), `after a reload the list reads ${kept}`);
    await page.press('Enter');
    // A damaged table: a score line that is no number loses its own pair,
    // a name with a space or an empty name keeps its place, a character no
    // byte can be reads as '?', the cut last pair is gone.
    const damaged = 'ALPHA\r\n5000\r\nBRAVO\r\n12x\r\nCHAR LIE\r\n3000\r\n\r\n2000\r\nECHO\u6f22\r\n1000\r\nDELTA';
    await page.evaluate(`localStorage.setItem('zarvel/score.dat', ${JSON.stringify(damaged)})`);
    await page.goto(address);
    await page.waitFor("zarvel.state === 'running'", 30 * Slow);
    await page.press('F1');
    await page.waitFor("document.getElementById('boxes').textContent.includes('ZARVEL Height Score')", 10 * Slow, 'the score list');
    const whole = await page.evaluate(rows);
    const want = 'ALPHA=5000,CHAR LIE=3000,=2000,ECHO?=1000,=0,=0,=0,=0,=0,=0';
    expect(whole === want, `the damaged table shows ${whole}, not ${want}`);
    noProblems(page);
    return `WEB (${score}) entered and listed after a reload; a damaged table shows its 4 whole entries`;
  },

  async console(browser, address) {
    const page = await browser.open(address);
    await page.waitFor("zarvel.state === 'running'", 30 * Slow);
    await page.waitFor('zarvel.presented > 100', 30 * Slow, 'a hundred pictures');
    noProblems(page);
    await page.goto(address + '?stage=x');
    await page.waitFor("zarvel.state === 'error'", 30 * Slow, 'the page to refuse ?stage=x');
    const said = await page.evaluate("document.getElementById('status').textContent");
    expect(/bad or out-of-range value for --stage/.test(said), `a bad stage says: ${said}`);
    noProblems(page);
    return 'the page started and drew 100 pictures without a word on the console; ?stage=x is refused on the page';
  },

  async rules(browser, address) {
    const page = await browser.open(address);
    await page.waitFor("zarvel.state === 'running' && zarvel.presented > 10", 30 * Slow);
    const box = "document.getElementById('boxes').textContent";
    // The page keeps from the browser only the keys the game reads (F5
    // still reloads), while the game sleeps between its turns as always.
    for (const [code, kept] of [['ArrowUp', true], ['F5', false]]) {
      const taken = await page.evaluate(`(() => {
        const down = new KeyboardEvent('keydown', { code: '${code}', key: '${code}', cancelable: true });
        window.dispatchEvent(down);
        window.dispatchEvent(new KeyboardEvent('keyup', { code: '${code}', key: '${code}', cancelable: true }));
        return down.defaultPrevented;
      })()`);
      expect(taken === kept, `${code}: the page ${taken ? 'kept' : 'passed on'} the key`);
    }
    // The title redraws every 16 ms while the game is active.
    const drawn = () => page.evaluate('zarvel.presented');
    const seeHidden = (hidden) => page.evaluate(`${hidden ? "Object.defineProperty(document, 'hidden', { configurable: true, get: () => true })"
      : 'delete document.hidden'}; document.dispatchEvent(new Event('visibilitychange'))`);
    // Hidden, the game sleeps through its loop: 1.5 s of its sleep, not
    // the test's, with at most the picture already on its way.
    const slept = 'Module._ZarvelSleptMilliseconds()';
    await seeHidden(true);
    const held = await drawn();
    const asleep = await page.evaluate(slept);
    await page.waitFor(`${slept} > ${asleep + 1500}`, 10 * Slow, 'the hidden game to sleep');
    expect((await drawn()) - held <= 1, `a hidden page drew ${(await drawn()) - held} pictures in 1.5 s of the game's sleep`);
    await seeHidden(false);
    await page.waitFor(`zarvel.presented > ${held + 10}`, 10 * Slow, 'the game to draw again');
    // A gamepad of the standard layout: Back (8) asks, east (1) is Cancel.
    await page.evaluate(`window.pad = { connected: true, axes: [0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false })) };
      navigator.getGamepads = () => [window.pad]`);
    const button = (n, pressed) => page.evaluate(`window.pad.buttons[${n}].pressed = ${pressed}`);
    await button(8, true);
    await page.waitFor(`${box}.includes('Exit?')`, 10 * Slow, "the pad's Back to ask");
    await button(8, false);
    await button(1, true);
    await page.waitFor(`!${box}.includes('Exit?')`, 10 * Slow, "the pad's east to cancel");
    await button(1, false);
    const resumed = await drawn();
    await page.waitFor(`zarvel.presented > ${resumed + 10}`, 10 * Slow, 'the game to go on after Cancel');
    await page.press('Escape');
    await page.waitFor(`${box}.includes('Exit?')`, 10 * Slow, 'Esc to ask');
    await page.press('KeyY');
    await page.waitFor(`zarvel.state === 'ended' && ${box}.includes('遊んでいただきありがとうございました')`, 10 * Slow, 'the farewell');
    expect(await page.evaluate("document.querySelector('#boxes button').textContent.includes('Play again')"), 'no button to play again');
    await page.press('Enter');
    await page.waitFor("zarvel.state === 'running' && zarvel.presented > 10", 30 * Slow, 'the game again after Play again');
    noProblems(page);
    return 'a hidden page held the game; the pad asked and cancelled; Yes ended on the farewell, and its button played again';
  },
};

async function main() {
  if (!checks[check] || !site || !sim) {
    console.error(`usage: web_checks.mjs ${Object.keys(checks).join('|')} SITE TZK_SIM`);
    return 2;
  }
  const server = await new Promise((resolve) => {
    const s = serve(site, 0, (address) => resolve({ s, address }));
  });
  const browser = await openBrowser({ width: 640, height: 480 });
  try {
    console.log(await checks[check](browser, server.address));
    return 0;
  } catch (e) {
    console.log(`FAIL: ${e instanceof Failure ? e.message : e.stack}`);
    return 1;
  } finally {
    await browser.close();
    server.s.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

process.exitCode = await main();
