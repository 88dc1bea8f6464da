// Figures of the page in Debian's chromium (a benchmark: it reports numbers and asserts nothing):
//   first load: the bytes the page fetches before the tap, as a static host would send them
//     gzip-compressed (level 9), and uncompressed;
//   tap to first tick: from the tap to the first frequency text, a steady 440 Hz tone as the
//     microphone, median of 5 fresh pages;
//   listening: CPU of the renderer and audio processes over 30 s of the demo recording as the
//     microphone, from /proc/PID/stat (utime + stime) before and after, after 5 s of warm-up; the
//     same for bench/web-floor, a page that only captures into a worklet, the browser's own floor.
// Usage: node bench/web-page.mjs SITE_FOLDER
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { createRequire } from 'node:module';

const top = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const { chromium } = createRequire(path.join(top, 'web/package.json'))('playwright-core');
const site = path.resolve(process.argv[2] ?? path.join(top, 'build-web/site'));
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'balalaika-web-bench-'));
const kTicksPerSecond = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));

const server = spawn('/usr/bin/python3', [path.join(top, 'scripts/serve-web.py'), site, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
const address = await new Promise((resolve) => server.stdout.on('data', (d) => {
  const found = String(d).match(/http:\/\/127\.0\.0\.1:\d+\//);
  if (found) resolve(found[0]);
}));

async function launch(wav) {
  return chromium.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
           '--use-fake-ui-for-media-stream',
           '--use-fake-device-for-media-stream', `--use-file-for-fake-audio-capture=${wav}`],
  });
}

// Processes under pid, with their command lines.
function descendants(pid) {
  const children = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const ppid = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      if (!children.has(ppid)) children.set(ppid, []);
      children.get(ppid).push(Number(entry));
    } catch { /* gone */ }
  }
  const out = [];
  const walk = (p) => (children.get(p) ?? []).forEach((c) => { out.push(c); walk(c); });
  walk(pid);
  return out.map((p) => ({ pid: p, cmdline: fs.readFileSync(`/proc/${p}/cmdline`, 'utf8').replaceAll('\0', ' ') }));
}

function cpuSeconds(pid) {
  const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
  const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
  return (Number(fields[11]) + Number(fields[12])) / kTicksPerSecond;  // utime + stime
}

const tone = path.join(scratch, 'tone.wav');
const demo = path.join(scratch, 'demo.wav');
execFileSync('sox', ['-n', '-r', '44100', '-b', '16', '-c', '1', tone, 'synth', '30', 'sine', '440', 'vol', '0.5']);
execFileSync('sox', [path.join(top, 'resources/audio/demo.flac'), '-r', '44100', '-b', '16', '-c', '1', demo]);

// First load.
{
  const browser = await launch(tone);
  const page = await browser.newPage({ viewport: { width: 390, height: 844 } });
  const files = [];
  page.on('request', (request) => files.push(new URL(request.url()).pathname));
  await page.goto(address);
  await page.locator('#screen').waitFor({ state: 'visible' });
  await page.waitForLoadState('networkidle');
  let raw = 0;
  let gzipped = 0;
  const rows = [];
  for (const file of [...new Set(files)]) {
    const local = path.join(site, file === '/' ? 'index.html' : decodeURIComponent(file));
    if (!fs.existsSync(local)) continue;
    const bytes = fs.readFileSync(local);
    const packed = zlib.gzipSync(bytes, { level: 9 }).length;
    raw += bytes.length;
    gzipped += packed;
    rows.push(`  ${file}: ${bytes.length} B, gzip ${packed} B`);
  }
  console.log(`first load: ${rows.length} files, ${raw} B, gzip -9 ${gzipped} B\n${rows.join('\n')}`);
  await browser.close();
}

// Tap to first tick.
{
  const browser = await launch(tone);
  const context = await browser.newContext({ permissions: ['microphone'], viewport: { width: 390, height: 844 } });
  const times = [];
  for (let i = 0; i < 5; ++i) {
    const page = await context.newPage();
    await page.goto(address);
    await page.locator('#listen').waitFor();
    await page.evaluate(() => {
      const w = window;
      document.getElementById('listen').addEventListener('click', () => { w.tappedAt = performance.now(); }, true);
      new MutationObserver(() => {
        if (w.firstTickAt === undefined && document.getElementById('freq_label').textContent !== '') {
          w.firstTickAt = performance.now();
        }
      }).observe(document.getElementById('freq_label'), { childList: true, characterData: true, subtree: true });
    });
    await page.click('#listen');
    await page.waitForFunction(() => window.firstTickAt !== undefined, null, { timeout: 10000 });
    times.push(await page.evaluate(() => window.firstTickAt - window.tappedAt));
    await page.close();
  }
  times.sort((a, b) => a - b);
  console.log(`tap to first tick: median ${times[2].toFixed(0)} ms (${times.map((t) => t.toFixed(0)).join(', ')})`);
  await browser.close();
}

// Listening for 30 s, the tuner's page and then the floor page. The browser's own process is the
// one started with this profile folder.
async function measureListening(pageAddress, label, { beforeTap = false } = {}) {
  const profile = fs.mkdtempSync(path.join(scratch, 'profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, permissions: ['microphone'], viewport: { width: 390, height: 844 },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
           '--use-fake-ui-for-media-stream',
           '--use-fake-device-for-media-stream', `--use-file-for-fake-audio-capture=${demo}`],
  });
  const browserPid = fs.readdirSync('/proc').filter((e) => /^\d+$/.test(e)).map(Number).find((pid) => {
    try {
      return fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes(`--user-data-dir=${profile}`);
    } catch {
      return false;
    }
  });
  const page = await context.newPage();
  await page.goto(pageAddress);
  await page.locator('#listen').waitFor();
  const measure = async (when) => {
    const processes = descendants(browserPid).filter((p) =>
      p.cmdline.includes('--type=renderer') || p.cmdline.includes('audio.mojom.AudioService'));
    const before = processes.map((p) => cpuSeconds(p.pid));
    const started = performance.now();
    await page.waitForTimeout(30000);
    const after = processes.map((p) => cpuSeconds(p.pid));
    const wall = (performance.now() - started) / 1000;
    const rows = processes.map((p, i) => {
      const kind = p.cmdline.includes('--type=renderer') ? 'renderer' : 'audio service';
      return `  ${kind} ${p.pid}: ${(after[i] - before[i]).toFixed(2)} s`;
    });
    const total = after.reduce((sum, v, i) => sum + v - before[i], 0);
    console.log(`${label}, ${when} ${wall.toFixed(1)} s: ${total.toFixed(2)} s CPU = ${(100 * total / wall).toFixed(2)} % of a core\n${rows.join('\n')}`);
  };
  // The page before the tap, for comparison: its tick runs, nothing listens.
  if (beforeTap) await measure('before the tap');
  await page.click('#listen');
  await page.waitForTimeout(5000);
  await measure('listening');
  await context.close();
}

await measureListening(address, 'the page', { beforeTap: true });
const floorServer = spawn('/usr/bin/python3', [path.join(top, 'scripts/serve-web.py'), path.join(top, 'bench/web-floor'), '0'],
                          { stdio: ['ignore', 'pipe', 'inherit'] });
const floorAddress = await new Promise((resolve) => floorServer.stdout.on('data', (d) => {
  const found = String(d).match(/http:\/\/127\.0\.0\.1:\d+\//);
  if (found) resolve(found[0]);
}));
await measureListening(floorAddress, 'the floor page (capture into a worklet, nothing else)');
floorServer.kill();
server.kill();
fs.rmSync(scratch, { recursive: true, force: true });
