// The longest shown search of the browser edition in WebKit (Debian's WebKitGTK MiniBrowser, driven
// through WebKitWebDriver on a virtual X display): its total and its longest gap between two frames,
// as the page test's --measure gives them in Chromium and Firefox.
// Usage: xvfb-run -a node scripts/measure-webkit.mjs SITE_DIR [RUNS]
//   SITE_DIR  the page's static folder (build-web/site); RUNS: searches (default 3)
// Needs webkit2gtk-driver, xvfb and xdotool (apt install webkit2gtk-driver xvfb xdotool).
// The searches are started twice over: by a click of the X pointer (xdotool), the way a player's
// click reaches the browser, then by WebKitWebDriver's element click, whose automation holds the
// page's rendering around the click and so lengthens the frame after it.
// WebKitGTK composes its frames with OpenGL, which under Xvfb is drawn in software; to see what that
// costs, run it again with WEBKIT_DISABLE_COMPOSITING_MODE=1 in the environment (the browser gets it).
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const site = path.resolve(process.argv[2] || 'build-web/site');
const runs = Number(process.argv[3] || 3);
const browserBinary = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const later = (ms) => new Promise((done) => setTimeout(done, ms));
for (const [program, from] of [['/usr/bin/WebKitWebDriver', 'webkit2gtk-driver'], [browserBinary, 'webkit2gtk-driver'],
                               ['/usr/bin/xdotool', 'xdotool']]) {
  if (!fs.existsSync(program)) {
    console.error(`${program} is missing: apt install ${from}`);
    process.exit(2);
  }
}

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
               '.png': 'image/png', '.txt': 'text/plain', '.webmanifest': 'application/manifest+json'};
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://page').pathname).replace(/\/$/, '/index.html');
  fs.readFile(path.join(site, path.normalize(name)), (error, data) => {
    response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'});
    response.end(error ? '' : data);
  });
});
await new Promise((ready) => server.listen(0, '127.0.0.1', ready));

// ---- A WebDriver client: the few commands used ----
const driverPort = 4400 + (process.pid % 500);
const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${driverPort}`], {stdio: 'ignore'});
const base = `http://127.0.0.1:${driverPort}`;
async function command(method, where, body) {
  const answer = await fetch(base + where, {method, headers: {'Content-Type': 'application/json'},
                                            body: body === undefined ? undefined : JSON.stringify(body)});
  const {value} = await answer.json();
  if (!answer.ok) throw new Error(`${method} ${where}: ${value?.message || answer.status}`);
  return value;
}
let session = null;
for (let tries = 0; !session; ++tries) {
  try {
    session = (await command('POST', '/session', {capabilities: {alwaysMatch: {
      'webkitgtk:browserOptions': {binary: browserBinary, args: ['--automation']}}}})).sessionId;
  } catch (error) {
    if (tries > 50) throw error;
    await later(200);
  }
}
const at = (where) => `/session/${session}${where}`;
const run = (script, ...args) => command('POST', at('/execute/sync'), {script, args});
const element = async (css) => (await command('POST', at('/element'), {using: 'css selector', value: css}))['element-6066-11e4-a52e-4f735466cecf'];
const click = async (name) => command('POST', at(`/element/${await element(`[data-name="${name}"]`)}/click`), {});
async function type(name, text) {
  const box = await element(`[data-name="${name}"]`);
  await command('POST', at(`/element/${box}/clear`), {});
  await command('POST', at(`/element/${box}/value`), {text});
}
async function tick(name, on) {
  if ((await run(`return document.querySelector('[data-name="${name}"]').checked`)) !== on) await click(name);
}
const until = async (script, ms) => {
  for (const end = Date.now() + ms; Date.now() < end; await later(200)) if (await run(script)) return;
  throw new Error(`timed out: ${script}`);
};
const idle = (ms = 30000) => until('return globalThis.QuorvanePeer?.mode === "idle"', ms);

// As the page test watches a search: frames from the click until the Working window is gone.
// The watch of the search before stops first: left running, each one would slow the next ones.
const watch = `
  globalThis.watch?.stop();
  const w = globalThis.watch = {frames: [], start: 0, end: 0};
  const click = () => { if (!w.start) w.start = performance.now(); };
  window.addEventListener('click', click, true);
  const frame = (t) => { w.frames.push(t); if (!w.end && !w.stopped) requestAnimationFrame(frame); };
  requestAnimationFrame(frame);
  const observer = new MutationObserver(() => {
    const working = document.querySelector('.qv-window[data-name="frmWorking"]');
    const shown = working && working.style.visibility !== 'hidden';
    w.last = performance.now();
    if (w.seen && !shown && !w.end) w.end = performance.now();
    if (shown) w.seen = true;
  });
  observer.observe(document.getElementById('quorvane-desk'), {subtree: true, childList: true, attributes: true});
  w.stop = () => { w.stopped = true, observer.disconnect(), window.removeEventListener('click', click, true); };`;
// A click of the X pointer on a control: the browser's window fills the virtual screen's top left.
async function pointerClick(name) {
  const [x, y] = await run(`const r = document.querySelector('[data-name="${name}"]').getBoundingClientRect();
    return [window.screenX + (window.outerWidth - window.innerWidth) / 2 + r.x + r.width / 2,
            window.screenY + window.outerHeight - window.innerHeight + r.y + r.height / 2];`);
  await new Promise((done, failed) => spawn('xdotool', ['mousemove', String(Math.round(x)), String(Math.round(y)), 'click', '1'])
      .on('error', failed).on('exit', done));
}
const times = `
  const w = globalThis.watch, end = w.end || w.last;
  const gaps = w.frames.slice(1).map((t, i) => t - w.frames[i]).filter((g, i) => w.frames[i] > w.start && w.frames[i] < end);
  const longest = Math.max(0, ...gaps);
  return {total: end - w.start, longest, at: gaps.indexOf(longest) + 1, frames: gaps.length,
          over100: gaps.filter((g) => g > 100).length};`;
const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor((list.length - 1) / 2)];

try {
  await command('POST', at('/window/rect'), {width: 1100, height: 760});
  await command('POST', at('/url'), {url: `http://127.0.0.1:${server.address().port}/`});
  await idle();
  console.log(`WebKit (${browserBinary}): page opened to the window taking input: ` +
              `${(await run('return QuorvanePeer.readyAt')).toFixed(0)} ms`);
  for (const by of ['the X pointer', 'WebDriver']) {
    const totals = [], longests = [];
    for (let i = 0; i < runs; ++i) {
      await tick('chkWorking', false), await type('ScalpsUpd', '100'), await tick('ReqLVL', true);
      await type('Text1', '25227500'), await type('TargetLVL', '189');
      await run(watch);
      if (by === 'WebDriver') await click('ExecuteCmd');
      else await pointerClick('ExecuteCmd'), await until('return globalThis.watch.start > 0', 5000);
      await idle(600000);
      const t = await run(times);
      totals.push(t.total), longests.push(t.longest);
      console.log(`longest search, clicked by ${by}, Working window shown: ${t.total.toFixed(0)} ms, longest gap ` +
                  `between frames ${t.longest.toFixed(0)} ms (frame ${t.at}; ${t.over100} of ${t.frames} over 100 ms)`);
    }
    console.log(`${runs} searches clicked by ${by}: total median ${median(totals).toFixed(0)} ms, longest ` +
                `${Math.max(...totals).toFixed(0)} ms; longest gap median ${median(longests).toFixed(0)} ms, ` +
                `longest ${Math.max(...longests).toFixed(0)} ms; ${longests.filter((g) => g > 100).length} ` +
                `searches with a gap over 100 ms`);
  }
} finally {
  await command('DELETE', at('')).catch(() => {});
  driver.kill(), server.close();
}
