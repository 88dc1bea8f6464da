// Figures of the installed page in Debian's chromium (a benchmark: it reports numbers and asserts
// nothing):
//   precache: the files the service worker keeps and their bytes, as listed in the built sw.js;
//   load to first tick: from the start of the navigation to the first frequency text, the tap
//     made as soon as the page offers it, a steady 440 Hz tone (a triangle wave) as the
//     microphone; cold (a fresh profile, the server answering) and warm (the same profile after
//     its service worker was installed, the server stopped and the browser offline), 5 of each;
//   a tone playing: CPU of the renderer and audio processes over 20 s while string 1's reference
//     tone plays, against 20 s of the same page idle, from /proc/PID/stat (utime + stime).
// Usage: node bench/web-offline-tone.mjs SITE_FOLDER
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const top = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const { chromium } = createRequire(path.join(top, 'web/package.json'))('playwright-core');
const site = path.resolve(process.argv[2] ?? path.join(top, 'build-web/site'));
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'balalaika-web-bench-'));
const kTicksPerSecond = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));
const tone = path.join(scratch, 'tone.wav');
execFileSync('sox', ['-n', '-r', '44100', '-b', '16', '-c', '1', tone, 'synth', '60', 'triangle', '440', 'vol', '0.5']);

async function serve() {
  const child = spawn('/usr/bin/python3', [path.join(top, 'scripts/serve-web.py'), site, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  const address = await new Promise((resolve) => child.stdout.on('data', (d) => {
    const found = String(d).match(/http:\/\/127\.0\.0\.1:\d+\//);
    if (found) resolve(found[0]);
  }));
  return { child, address };
}

function launch(profile) {
  return chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, permissions: ['microphone'], viewport: { width: 390, height: 844 },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
           '--use-fake-ui-for-media-stream',
           '--use-fake-device-for-media-stream', `--use-file-for-fake-audio-capture=${tone}`],
  });
}

// Precache.
{
  const worker = fs.readFileSync(path.join(site, 'sw.js'), 'utf8');
  const files = [...worker.matchAll(/url:"([^"]+)"/g)].map((m) => m[1]);
  const unique = [...new Set(files)];
  const bytes = unique.reduce((sum, f) => sum + fs.statSync(path.join(site, f)).size, 0);
  console.log(`precache: ${unique.length} files, ${bytes} B (${(bytes / 1024).toFixed(1)} KiB)`);
}

// Milliseconds from the navigation's start to the first frequency text.
async function loadToFirstTick(page, go) {
  await page.addInitScript(() => {
    document.addEventListener('DOMContentLoaded', () => {
      const label = document.getElementById('freq_label');
      new MutationObserver(() => {
        if (window.firstTickAt === undefined && label.textContent !== '') window.firstTickAt = performance.now();
      }).observe(label, { childList: true, characterData: true, subtree: true });
    });
  });
  await go();
  await page.click('#listen');
  await page.waitForFunction(() => window.firstTickAt !== undefined, null, { timeout: 15000 });
  return page.evaluate(() => window.firstTickAt);
}

const summary = (times) => {
  const sorted = [...times].sort((a, b) => a - b);
  return `median ${sorted[2].toFixed(0)} ms (${times.map((t) => t.toFixed(0)).join(', ')})`;
};

{
  const cold = [];
  const warm = [];
  for (let i = 0; i < 5; ++i) {
    const server = await serve();
    const context = await launch(fs.mkdtempSync(path.join(scratch, 'profile-')));
    const page = await context.newPage();
    cold.push(await loadToFirstTick(page, () => page.goto(server.address)));
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.child.kill();
    await context.setOffline(true);
    const again = await context.newPage();
    await page.close();
    warm.push(await loadToFirstTick(again, () => again.goto(server.address)));
    await context.close();
  }
  console.log(`load to first tick, cold: ${summary(cold)}`);
  console.log(`load to first tick, warm and offline: ${summary(warm)}`);
}

// Processes of the browser started with this profile: renderers and the audio service.
function audioAndRenderers(profile) {
  const pids = fs.readdirSync('/proc').filter((e) => /^\d+$/.test(e)).map(Number);
  const cmdline = (pid) => { try { return fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').replaceAll('\0', ' '); } catch { return ''; } };
  const parent = (pid) => { try { const s = fs.readFileSync(`/proc/${pid}/stat`, 'utf8'); return Number(s.slice(s.lastIndexOf(')') + 2).split(' ')[1]); } catch { return 0; } };
  const root = pids.find((pid) => cmdline(pid).includes(`--user-data-dir=${profile}`) && !cmdline(pid).includes('--type='));
  const under = (pid) => { for (let p = pid; p > 1; p = parent(p)) if (p === root) return true; return false; };
  return pids.filter((pid) => under(pid) && (cmdline(pid).includes('--type=renderer') || cmdline(pid).includes('audio.mojom.AudioService')));
}

function cpuSeconds(pid) {
  try {
    const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
    return (Number(fields[11]) + Number(fields[12])) / kTicksPerSecond;
  } catch {
    return 0;
  }
}

{
  const server = await serve();
  const profile = fs.mkdtempSync(path.join(scratch, 'profile-'));
  const context = await launch(profile);
  const page = await context.newPage();
  await page.goto(server.address);
  await page.locator('#screen').waitFor({ state: 'visible' });
  const measure = async (label) => {
    const processes = audioAndRenderers(profile);
    const before = processes.map(cpuSeconds);
    const started = performance.now();
    await page.waitForTimeout(20000);
    const total = processes.map(cpuSeconds).reduce((sum, v, i) => sum + v - before[i], 0);
    const wall = (performance.now() - started) / 1000;
    console.log(`${label}: ${total.toFixed(2)} s CPU in ${wall.toFixed(1)} s = ${(100 * total / wall).toFixed(2)} % of a core`);
  };
  await page.waitForTimeout(3000);
  await measure('the page idle (no tap)');
  await page.click('#firstFreqButton');
  await page.waitForTimeout(3000);
  await measure('string 1\'s tone playing');
  await context.close();
  server.child.kill();
}
fs.rmSync(scratch, { recursive: true, force: true });
