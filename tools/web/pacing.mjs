#!/usr/bin/env node
// pacing.mjs SITE FRAMES LOG: the page's frame pacing in headless Chromium
// at 1280 x 960 (the picture at 2x), in the foreground: an invulnerable
// first stage (M held at its start, fire held for a while) played live for
// FRAMES stage frames with the frame log on, then quit through the exit
// question. Writes the frame log (tools/frame_stats.sh reads it) to LOG and
// prints what putting the pictures on the canvas cost.
import fs from 'node:fs';

import { openBrowser } from './browser.mjs';
import { serve } from './serve.mjs';

const [site, frames, log] = process.argv.slice(2);
if (!site || !(Number(frames) > 0) || !log) {
  console.error('usage: pacing.mjs SITE FRAMES LOG');
  process.exit(2);
}
const server = await new Promise((resolve) => {
  const s = serve(site, 0, (address) => resolve({ s, address }));
});
const browser = await openBrowser({ width: 1280, height: 960 });
const pause = (seconds) => new Promise((resolve) => setTimeout(resolve, seconds * 1000));
try {
  const page = await browser.open(server.address + '?framelog');
  await page.waitFor("zarvel.state === 'running'", 60);
  await page.press('KeyQ');  // the sound on, as a player's first key
  await pause(2);
  await page.key('KeyM', 'rawKeyDown');
  await page.key('KeyZ', 'rawKeyDown');
  await pause(4);
  await page.key('KeyZ', 'keyUp');
  // The stage presents a picture a frame: its intro's frames, then the
  // frames to measure.
  const drawn = await page.evaluate('zarvel.presented');
  await page.waitFor(`zarvel.presented > ${drawn + Number(frames) + 80}`, Number(frames) * 0.5, 'the stage frames');
  await page.key('KeyM', 'keyUp');
  await page.press('Escape');
  await page.waitFor("document.getElementById('boxes').textContent.includes('Exit?')", 10, 'the exit question');
  await page.press('KeyY');
  await page.waitFor("zarvel.state === 'ended'", 30, 'the game to end');
  fs.writeFileSync(log, await page.evaluate('zarvel.frameLog'));
  const c = await page.evaluate('zarvel.costs');
  console.log(`${c.presents} pictures put on the canvas: mean ${c.meanMs.toFixed(2)} ms, longest ${c.longestMs.toFixed(2)} ms`);
  console.log(`the audio worklet played ${await page.evaluate('zarvel.soundPlayed')} samples`);
  if (page.problems.length) console.log(page.problems.join('\n'));
} finally {
  await browser.close();
  server.s.close();
}
