// The browser edition's page in the machine's chromium, driven as a screen reader finds its
// controls (by role and accessible name), its results checked against the native command line.
// Usage: node page_test.mjs SITE_DIR QUORVANE_CLI [--measure]
import {execFileSync, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {createRequire} from 'node:module';

const [site, cli] = process.argv.slice(2);
const measuring = process.argv.includes('--measure');
// --shots DIR: pictures of the context menu and the Plan window; PAGE_TEST_ONLY: the cases to run.
const shots = process.argv.includes('--shots') ? process.argv[process.argv.indexOf('--shots') + 1] : null;
const only = new RegExp(process.env.PAGE_TEST_ONLY || '');
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvane-page-'));

// ---- The page, served by this test on 127.0.0.1 ----
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
               '.png': 'image/png', '.txt': 'text/plain', '.webmanifest': 'application/manifest+json'};
let tableGone = false;  // the shipped table missing from beside the page
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://page').pathname).replace(/\/$/, '/index.html');
  fs.readFile(tableGone && name === '/lvl-xp.txt' ? '' : path.join(site, path.normalize(name)), (error, data) => {
    response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'});
    response.end(error ? '' : data);
  });
});
await new Promise((ready) => server.listen(0, '127.0.0.1', ready));
const address = `http://127.0.0.1:${server.address().port}/`;

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: path.join(scratch, 'profile'),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--no-first-run'],
});
await browser.defaultBrowserContext().overridePermissions(address, ['clipboard-read', 'clipboard-sanitized-write']);
const downloads = path.join(scratch, 'downloads');
await (await browser.target().createCDPSession()).send('Browser.setDownloadBehavior',
                                                      {behavior: 'allow', downloadPath: downloads});
const page = await browser.newPage();
const errors = [];
page.on('pageerror', (error) => errors.push(error.message));
await page.setViewport({width: 1100, height: 760});
await page.goto(address);
await page.waitForFunction(() => globalThis.QuorvanePeer && QuorvanePeer.mode === 'idle', {timeout: 30000});
const readyMs = await page.evaluate(() => QuorvanePeer.readyAt);

// ---- Finding and driving controls ----
const find = (role, name, scope = '') => page.waitForSelector(`${scope} ::-p-aria([name="${name}"][role="${role}"])`,
                                                                {timeout: 5000});
const inWindow = (caption) => `.qv-window[aria-labelledby="${caption}"]`;
async function windowNamed(caption) {
  const id = await page.evaluate((c) => [...document.querySelectorAll('.qv-window .qv-caption')]
      .find((s) => s.textContent === c && s.closest('.qv-window').style.visibility !== 'hidden')?.id, caption);
  return id ? inWindow(id) : null;
}
async function type(name, text) {
  const box = await find('textbox', name);
  await box.click({count: 3});
  await page.keyboard.press('Backspace');
  if (text) await box.type(text);
}
async function tick(role, name, on) {
  const box = await find(role, name);
  if ((await box.evaluate((b) => b.checked)) !== on) await box.click();
}
const idle = () => page.waitForFunction(() => QuorvanePeer.mode === 'idle', {timeout: 60000});
async function calculate() {
  await (await find('button', 'Calculate')).click();
  await idle();
}
// The results as the window shows them: each heading of the Results frame with the label after it.
const shownResults = () => page.evaluate(() => {
  const labels = [...document.querySelectorAll('[data-name="InqResults"] .qv-label')]
      .filter((l) => l.style.display !== 'none');
  const shown = {};
  labels.forEach((l, i) => { if (i + 1 < labels.length) shown[l.textContent.replace(/:$/, '')] = labels[i + 1].textContent; });
  return shown;
});
const scalpsNeeded = () => page.evaluate(() => document.querySelector('[data-name="ScalpsNdd"]').textContent);
const messageBox = () => page.evaluate(() => {
  const box = document.querySelector('[role="alertdialog"]');
  return box && {title: box.querySelector('.qv-caption').textContent, text: box.querySelector('p').textContent};
});

// ---- What the native command line gives ----
function native(args) {
  const run = spawnSync(cli, args, {encoding: 'utf8'});
  const results = {};
  for (const line of run.stdout.split('\n')) {
    const at = line.indexOf(': ');
    if (at > 0) results[line.slice(0, at)] = line.slice(at + 2);
  }
  return {status: run.status, results, message: run.stderr.trim()};
}
function sameResults(expected, shown) {
  for (const [caption, value] of Object.entries(expected.results)) {
    if (caption === 'Scalps Needed') continue;
    if (shown[caption] !== value) throw new Error(`${caption}: the page shows ${shown[caption]}, the command line ${value}`);
  }
}
const expect = (ok, what) => { if (!ok) throw new Error(what); };

// Times from the user's key or click (in the page) until the Working window is gone, and the
// longest gap between two frames meanwhile.
async function watchSearch() {
  await page.evaluate(() => {
    const w = globalThis.watch = {frames: [], start: 0, input: 0, end: 0};
    const note = (e) => { if (!w.input && (e.key === 'Escape' || e.target.closest?.('.qv-close'))) w.input = performance.now(); };
    window.addEventListener('keydown', note, true);
    window.addEventListener('pointerdown', note, true);
    window.addEventListener('click', (e) => { if (!w.start) w.start = performance.now(); }, true);
    const frame = (t) => { w.frames.push(t); if (!w.end) requestAnimationFrame(frame); };
    requestAnimationFrame(frame);
    new MutationObserver(() => {
      const working = [...document.querySelectorAll('.qv-window')].find((x) => x.dataset.name === 'frmWorking');
      w.last = performance.now();
      if (w.seen && (!working || working.style.visibility === 'hidden') && !w.end) w.end = performance.now();
      if (working && working.style.visibility !== 'hidden') w.seen = true;
    }).observe(document.getElementById('quorvane-desk'), {subtree: true, childList: true, attributes: true});
  });
}
const searchTimes = () => page.evaluate(() => {
  const w = globalThis.watch;
  const gaps = w.frames.slice(1).map((t, i) => t - w.frames[i]).filter((g, i) => w.frames[i] > w.start && w.frames[i] < (w.end || w.last));
  return {total: (w.end || w.last) - w.start, stop: w.input ? w.end - w.input : null, longestFrameGap: Math.max(0, ...gaps),
          frames: gaps.length, over20: gaps.filter((g) => g > 20).length};
});
async function startSearch(xp, target) {
  await type('Character XP:', xp);
  await tick('checkbox', 'Lvl to reach:', true);
  await type('Lvl to reach:', target);
  await watchSearch();
  await (await find('button', 'Calculate')).click();
}

// ---- The context menu and the Plan and Compare windows ----
const menuItems = ['Copy Results', 'Plan...', 'Compare...'];
const functionKey10 = 'F' + 10;  // with Shift, the context menu
const focusedName = () => page.evaluate(() => document.activeElement.textContent || document.activeElement.dataset.name);
async function openMenu(how) {
  const xp = await find('textbox', 'Character XP:');
  await xp.focus();
  if (how === 'right-click') await xp.click({button: 'right'});
  else if (how === 'Shift and function key 10') {
    await page.keyboard.down('Shift');
    await page.keyboard.press(functionKey10);
    await page.keyboard.up('Shift');
  }
  else if (how === 'Menu key') await page.keyboard.press('ContextMenu');
  else {
    const box = await xp.boundingBox();
    await page.touchscreen.touchStart(box.x + 5, box.y + 5);
    await new Promise((later) => setTimeout(later, 700));
    await page.touchscreen.touchEnd();
  }
  await page.waitForSelector('::-p-aria([role="menu"])', {timeout: 2000});
}
async function choose(item) {
  await openMenu('Shift and function key 10');
  for (let i = 0; i < menuItems.indexOf(item); ++i) await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => QuorvanePeer.mode !== 'busy');
}
// A window's table as a screen reader finds it (by its role and name), cell by cell.
async function shownTable(caption) {
  const win = await windowNamed(caption);
  expect(win, `no ${caption} window`);
  await find('table', caption, win);
  return page.evaluate((w) => [...document.querySelector(`${w} table`).rows]
      .map((r) => [...r.cells].map((c) => c.textContent)), win);
}
// The rows of an aligned table that quorvane-cli prints (way names hold blanks; "0M gp" is one cell).
function cliTable(args) {
  const [heading, ...lines] = spawnSync(cli, args, {encoding: 'utf8'}).stdout.trimEnd().split('\n');
  return [heading.split(/ {2,}/), ...lines.map((line) => {
    line = line.trim();
    const way = /^(rings good|rings evil|sell maces|\S+)/.exec(line)[0];
    return [way, ...line.slice(way.length).trim().split(/ +(?!gp$)/)];
  })];
}
const cliText = (args) => spawnSync(cli, args, {encoding: 'utf8'}).stdout;
const ctrlC = async () => { await page.keyboard.down('Control'), await page.keyboard.press('KeyC'), await page.keyboard.up('Control'); };
const clipboard = () => page.evaluate(() => navigator.clipboard.readText());
async function downloaded(name) {
  const file = path.join(downloads, name);
  for (let i = 0; i < 50 && !fs.existsSync(file); ++i) await new Promise((later) => setTimeout(later, 100));
  return fs.readFileSync(file, 'utf8');
}
const box = (selector) => page.$eval(selector, (w) => [w.offsetLeft + w.offsetWidth / 2, w.offsetTop + w.offsetHeight / 2,
                                                       w.querySelector('.qv-table-box')?.offsetHeight]);

// ---- The cases ----
const table = fs.readFileSync(path.join(site, 'lvl-xp.txt'), 'utf8');
const cases = {
  async 'a projection shows the command line results'() {
    await type('Character XP:', '25227500');
    await type('Scalps Owned', '1234');
    await calculate();
    sameResults(native(['--xp', '25227500', '--scalps', '1234', '--part', 'rings']), await shownResults());
  },
  async 'a message box is modal and names what is missing'() {
    await type('Character XP:', '');
    await (await find('button', 'Calculate')).click();
    await page.waitForSelector('[role="alertdialog"]');
    const [title, text] = native(['--xp', '', '--part', 'rings']).message.split(/: (.*)/s);
    const box = await messageBox();
    expect(box.title === title && box.text === text, `message ${JSON.stringify(box)}, not "${title}: ${text}"`);
    await (await find('button', 'About...')).click().catch(() => {});
    await page.mouse.click(5, 300);
    expect(!(await windowNamed('About Quorvane')), 'a click behind the message box opened the About box');
    await page.keyboard.press('Enter');
    await idle();
    expect(!(await messageBox()), 'Enter left the message box open');
  },
  async 'a search with the Working window finds the command line answer'() {
    await type('Scalps Owned', '');
    await startSearch('25227500', '60');
    await idle();
    expect(await page.evaluate(() => globalThis.watch.seen), 'no Working window was shown');
    const expected = native(['--xp', '25227500', '--part', 'rings', '--target', '60']);
    expect(await scalpsNeeded() === expected.results['Scalps Needed'], 'the scalps needed differ');
    sameResults(expected, await shownResults());
  },
  async 'Esc and the close box stop a search within 100 ms'() {
    for (const how of ['Esc', 'close box']) {
      await startSearch('25227500', '189');
      const working = await page.waitForSelector('[data-name="frmWorking"]');
      await page.waitForFunction(() => Number(document.querySelector('[data-name="scalpscalced"]')?.textContent) > 0);
      if (how === 'Esc') await page.keyboard.press('Escape');
      else await (await working.$('.qv-close')).click();
      await idle();
      const {stop} = await searchTimes();
      if (measuring) console.log(`stopped by ${how} after ${stop.toFixed(1)} ms`);
      expect(stop < 100, `${how} took ${stop} ms to stop the search`);
    }
  },
  async 'the About box is modeless'() {
    await (await find('button', 'About...')).click();
    const about = await windowNamed('About Quorvane');
    expect(about, 'no About box');
    // Keys typed into the main window (reached without a click, which would raise it above the box).
    await (await find('textbox', 'Character XP:')).focus();
    await page.keyboard.type('7');
    expect((await page.evaluate(() => document.querySelector('[data-name="Text1"]').value)).endsWith('7'),
           'the main window took no input');
    await (await find('button', 'OK', about)).click();
    await page.waitForFunction(() => ![...document.querySelectorAll('.qv-window')]
        .some((w) => w.dataset.name === 'frmAbout' && w.style.visibility !== 'hidden'), {timeout: 2000});
  },
  async 'Tab walks the tab order and wraps'() {
    await tick('checkbox', 'Lvl to reach:', true);
    await (await find('textbox', 'Character XP:')).focus();
    const order = ['Text1', 'ExecuteCmd', 'cmdAbout', 'ReqLVL', 'TargetLVL', 'Option3(0)', 'Option2(0)',
                   'Option1(3)', 'Check1', 'cmdOpt', 'CloseOptions', 'Option4(0)', 'chkScalpsUpd', 'ScalpsUpd',
                   'chkWorking', 'Text1'];
    const reached = [await page.evaluate(() => document.activeElement.dataset.name)];
    for (let i = 1; i < order.length; ++i) {
      await page.keyboard.press('Tab');
      reached.push(await page.evaluate(() => document.activeElement.dataset.name));
    }
    expect(reached.join() === order.join(), `Tab reached ${reached.join(' ')}`);
  },
  async 'a table of the player\'s own is used until the shipped one is chosen again'() {
    const own = path.join(scratch, 'my-table.txt');
    fs.writeFileSync(own, table.replace(/^(\d+),(\d+)/gm, (row, level, xp) => `${level},${Number(xp) * 2}`));
    const broken = path.join(scratch, 'broken.txt');
    fs.writeFileSync(broken, 'not a table\n');
    const args = ['--xp', '25227500', '--scalps', '1234', '--part', 'rings'];
    const missing = path.join(scratch, 'lvl-xp.txt');
    for (const [file, expected] of [['', native([...args, '--table', missing])], [broken, native([...args, '--table', broken])],
                                    [own, native([...args, '--table', own])], [null, native(args)]]) {
      tableGone = file === '';
      if (file) await (await page.$('#table-file')).uploadFile(file);
      else if (file === null) await (await find('button', 'Use the shipped table again')).click();
      await page.waitForFunction((f) => document.getElementById('table-status').textContent.includes(f || 'beside'), {},
                                 file && path.basename(file));
      await tick('checkbox', 'Lvl to reach:', false);
      await type('Character XP:', '25227500');
      await type('Scalps Owned', '1234');
      await (await find('button', 'Calculate')).click();
      if (expected.status === 0) {
        await idle();
        sameResults(expected, await shownResults());
      } else {
        await page.waitForSelector('[role="alertdialog"]');
        const box = await messageBox();
        expect(`${box.title}: ${box.text}` === expected.message.replaceAll(scratch + path.sep, ''),
               `message ${JSON.stringify(box)} for ${expected.message}`);
        await page.keyboard.press('Escape');
        await idle();
      }
    }
  },
  async 'the context menu opens by right-click, Shift and function key 10, the Menu key and a long press'() {
    for (const how of ['right-click', 'Shift and function key 10', 'Menu key', 'long press']) {
      await openMenu(how);
      for (const item of menuItems) await find('menuitem', item);
      expect(await focusedName() === 'Copy ResultsCtrl+C', `${how}: the focus is on ${await focusedName()}`);
      await page.keyboard.press('ArrowUp');
      expect(await focusedName() === 'Compare...', `${how}: Up from the first item reached ${await focusedName()}`);
      if (shots && how === 'right-click') await page.screenshot({path: path.join(shots, 'web-menu.png')});
      await page.keyboard.press('Escape');
      expect(!(await page.$('.qv-menu')) && await focusedName() === 'Text1', `${how}: Esc left ${await focusedName()}`);
    }
  },
  async 'Copy Results, Plan... and Compare... give what the command line prints'() {
    await tick('checkbox', 'Lvl to reach:', false);
    await type('Character XP:', '25227500');
    await type('Scalps Owned', '1234');
    await calculate();
    for (const how of ['menu, the clipboard refused', 'menu', 'Ctrl+C']) {
      await page.evaluate((refused) => {
        const clip = navigator.clipboard, write = (globalThis.writeText ||= clip.writeText.bind(clip));
        clip.writeText = refused ? () => Promise.reject(new DOMException('refused', 'NotAllowedError')) : write;
        return write('');
      }, how.endsWith('refused'));
      if (how.startsWith('menu')) await choose('Copy Results');
      else await (await find('textbox', 'Scalps Owned')).focus(), await ctrlC();
      const copied = await clipboard(), wanted = cliText(['--xp', '25227500', '--scalps', '1234', '--part', 'rings']);
      expect(copied === wanted, `${how} copied ${JSON.stringify(copied)}, not ${JSON.stringify(wanted)}`);
    }
    // A text box's selection is the browser's to copy.
    await (await find('textbox', 'Character XP:')).click({count: 3}), await ctrlC();
    expect(await clipboard() === '25227500', `Ctrl+C on a selection copied ${JSON.stringify(await clipboard())}`);
    const main = await box('[data-name="MainForm"]');
    for (const [item, caption, args, file] of [['Compare...', 'Compare', ['--compare', '--xp', '25227500', '--scalps', '1234'], 'compare.csv'],
        ['Plan...', 'Plan', ['--plan', '--xp', '25227500', '--part', 'rings'], 'plan.csv']]) {
      await choose(item);
      const shown = await shownTable(caption), wanted = cliTable(args);
      // The comparison's message column is empty where no way ends with one.
      if (caption === 'Compare') wanted.forEach((row, i) => row.push(i ? '' : 'Message'));
      expect(JSON.stringify(shown) === JSON.stringify(wanted), `${caption}: ${JSON.stringify(shown)}`);
      const win = await windowNamed(caption), [x, y, height] = await box(win);
      expect(Math.abs(x - main[0]) <= 1 && Math.abs(y - main[1]) <= 1, `${caption} at ${x},${y}, not over ${main}`);
      // Modeless: the main window takes the keys; the window's grip makes it higher.
      await (await find('button', 'Copy', win)).click();
      const csv = cliText([...args, '--csv']).split('\n');
      expect(await clipboard() === [shown[0].join('\t'), ...csv.slice(1).map((l) => l.replaceAll(',', '\t'))].join('\n'),
             `${caption}'s Copy put ${JSON.stringify(await clipboard())}`);
      await (await find('button', 'Save...', win)).click();
      expect(await downloaded(file) === csv.join('\n'), `${file} is not the --csv text`);
      const grip = await (await page.$(`${win} .qv-grip`)).boundingBox();
      await page.mouse.move(grip.x + grip.width / 2, grip.y + 3);
      await page.mouse.down(), await page.mouse.move(grip.x + grip.width / 2, grip.y + 63), await page.mouse.up();
      expect((await box(win))[2] === height + 60, `${caption}'s table is ${(await box(win))[2]} px high, not ${height + 60}`);
    }
    // The table: a cell at a time, by the arrow keys.
    await (await page.$(`${await windowNamed('Plan')} td`)).focus();
    await page.keyboard.press('ArrowDown'), await page.keyboard.press('ArrowRight');
    expect(await page.evaluate(() => document.activeElement.closest('tr').sectionRowIndex + ',' +
                                     document.activeElement.cellIndex) === '1,1', 'the arrow keys did not move the cell');
    await (await find('button', 'Close', await windowNamed('Compare'))).click();
    if (shots) await page.screenshot({path: path.join(shots, 'web-plan.png')});
  },
  async 'Plan... with a bad input gives the message box of Calculate'() {
    await type('Character XP:', '');
    const boxes = [];
    for (const press of [() => choose('Plan...'), async () => (await find('button', 'Calculate')).click()]) {
      await press();
      await page.waitForSelector('[role="alertdialog"]');
      boxes.push(JSON.stringify(await messageBox()));
      await page.keyboard.press('Enter');
      await idle();
    }
    const [title, text] = native(['--xp', '', '--part', 'rings']).message.split(/: (.*)/s);
    expect(boxes[0] === JSON.stringify({title, text}) && boxes[1] === boxes[0], `Plan... showed ${boxes[0]}, Calculate ${boxes[1]}`);
  },
  async 'axe finds no serious or critical violation'() {
    await page.evaluate(axeSource);
    const violations = await page.evaluate(async () => (await axe.run(document)).violations
        .filter((v) => v.impact === 'serious' || v.impact === 'critical').map((v) => `${v.id}: ${v.nodes[0].html}`));
    expect(violations.length === 0, violations.join('\n'));
  },
  async 'the page works offline once it has been opened'() {
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForFunction(() => globalThis.QuorvanePeer && QuorvanePeer.mode === 'idle', {timeout: 30000});
    await type('Character XP:', '25227500');
    await type('Scalps Owned', '1234');
    await calculate();
    sameResults(native(['--xp', '25227500', '--scalps', '1234', '--part', 'rings']), await shownResults());
    await page.setOfflineMode(false);
  },
};

let failed = 0;
for (const [name, run] of Object.entries(cases)) {
  if (!only.test(name)) continue;
  try {
    await run();
    console.log(`ok: ${name}`);
  } catch (error) {
    ++failed;
    console.log(`FAIL: ${name}: ${error.message}`);
    await page.screenshot({path: path.join(os.tmpdir(), `quorvane-page-failure-${Object.keys(cases).indexOf(name)}.png`)});
  }
}
if (errors.length) console.log(`FAIL: errors on the page: ${errors.join('; ')}`);

if (measuring) {
  console.log(`page opened to the window taking input: ${readyMs.toFixed(0)} ms`);
  for (const hidden of [true, false]) {
    await tick('checkbox', 'Do not show the Working window.', hidden);
    await type('Update window after:', '100');
    await startSearch('25227500', '189');
    await page.waitForFunction(() => QuorvanePeer.mode === 'idle', {timeout: 600000, polling: 500});
    const times = await searchTimes();
    console.log(`longest search, Working window ${hidden ? 'hidden' : 'shown'}: ${times.total.toFixed(0)} ms,` +
                ` longest gap between frames ${times.longestFrameGap.toFixed(0)} ms (${times.over20} of ${times.frames} over 20 ms),` +
                ` answer ${await scalpsNeeded()}`);
  }
  const started = process.hrtime.bigint();
  execFileSync(cli, ['--xp', '25227500', '--part', 'rings', '--side', 'good', '--target', '189']);
  console.log(`native: ${Number(process.hrtime.bigint() - started) / 1e6} ms`);
}

await browser.close();
server.close();
fs.rmSync(scratch, {recursive: true, force: true});
process.exit(failed || errors.length ? 1 : 0);
