#!/usr/bin/env node
// serve.mjs FOLDER [--port N] [--query Q] [--open]: serves a static folder
// (the page's site) on 127.0.0.1 and prints its address (with ?Q). Without
// --port it takes 8000, or any free port when that one is taken; --port 0
// always takes a free one. --open opens the address in the desktop's
// browser where there is a desktop (xdg-open).
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const Types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.ttf': 'font/ttf',
  '.ico': 'image/vnd.microsoft.icon',
  '.txt': 'text/plain; charset=utf-8',
  '.png': 'image/png',
};

export function serve(folder, port, onListening) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    } catch (e) {
      name = '';
    }
    if (name.endsWith('/')) name += 'index.html';
    const file = path.resolve(root, '.' + name);
    const inside = file.startsWith(root + path.sep);
    fs.stat(file, (error, stat) => {
      if (!inside || error || !stat.isFile() || (request.method !== 'GET' && request.method !== 'HEAD')) {
        response.writeHead(404, { 'Content-Type': 'text/plain' });
        response.end('not found\n');
        return;
      }
      response.writeHead(200, {
        'Content-Type': Types[path.extname(file)] || 'application/octet-stream',
        'Content-Length': stat.size,
        'Cache-Control': 'no-cache',
      });
      if (request.method === 'HEAD') response.end();
      else fs.createReadStream(file).pipe(response);
    });
  });
  server.on('error', (error) => {
    if (error.code === 'EADDRINUSE' && port === undefined) server.listen(0, '127.0.0.1');
    else throw error;
  });
  server.on('listening', () => onListening(`http://127.0.0.1:${server.address().port}/`));
  server.listen(port === undefined ? 8000 : port, '127.0.0.1');
  return server;
}

function option(args, name) {
  const at = args.indexOf(name);
  return at >= 0 ? args.splice(at, 2)[1] : undefined;
}

function openOnDesktop(address) {
  if (!process.env.DISPLAY && !process.env.WAYLAND_DISPLAY) return;
  const opener = spawn('xdg-open', [address], { stdio: 'ignore', detached: true });
  opener.on('error', () => console.log('(no xdg-open here: open the address in a browser)'));
  opener.unref();
}

if (path.resolve(process.argv[1] || '') === fileURLToPath(import.meta.url)) {
  const args = process.argv.slice(2);
  const portText = option(args, '--port');
  const query = option(args, '--query');
  const open = args.includes('--open') && args.splice(args.indexOf('--open'), 1);
  const port = portText === undefined ? undefined : Number(portText);
  if (args.length !== 1 || (port !== undefined && !(Number.isInteger(port) && port >= 0 && port < 65536))) {
    console.error('usage: serve.mjs FOLDER [--port N] [--query Q] [--open]');
    process.exit(2);
  }
  if (!fs.existsSync(path.join(args[0], 'index.html'))) {
    console.error(`serve.mjs: no index.html in ${args[0]}`);
    process.exit(2);
  }
  serve(args[0], port, (address) => {
    const page = address + (query ? '?' + query : '');
    console.log(`ZARVEL is served at ${page} (Ctrl+C stops it)`);
    if (open) openOnDesktop(page);
  });
}
