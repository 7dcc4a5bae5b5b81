#!/usr/bin/env node
// screenshots.mjs SITE OUT_DIR: the README's pictures of the page in
// headless Chromium at 1280 x 960 (the picture at 2x): the title, a stage,
// and the exit question over it, as 256-colour PNGs (ImageMagick).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { openBrowser } from './browser.mjs';
import { serve } from './serve.mjs';

const [site, out] = process.argv.slice(2);
if (!site || !out) {
  console.error('usage: screenshots.mjs SITE OUT_DIR');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });
const server = await new Promise((resolve) => {
  const s = serve(site, 0, (address) => resolve({ s, address }));
});
const browser = await openBrowser({ width: 1280, height: 960 });
const pause = (seconds) => new Promise((resolve) => setTimeout(resolve, seconds * 1000));
try {
  const page = await browser.open(server.address);
  const shoot = async (name) => {
    const { data } = await page.call('Page.captureScreenshot', { format: 'png' });
    const file = path.join(out, name);
    fs.writeFileSync(file, Buffer.from(data, 'base64'));
    execFileSync('convert', [file, '+dither', '-colors', '256', `PNG8:${file}`]);
    console.log(file);
  };
  await page.waitFor("zarvel.state === 'running'", 60);
  await pause(3);
  await shoot('web_title.png');
  // Fire starts the game; M held through the stage's start keeps the ship.
  await page.key('KeyM', 'rawKeyDown');
  await page.key('KeyZ', 'rawKeyDown');
  await pause(14);
  await shoot('web_stage.png');
  await page.key('KeyZ', 'keyUp');
  await page.press('Escape');
  await pause(1);
  await shoot('web_exit_question.png');
  if (page.problems.length) console.log(page.problems.join('\n'));
} finally {
  await browser.close();
  server.s.close();
}
