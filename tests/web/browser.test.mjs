// The page in Debian's chromium, driven by playwright-core: the demo recording as the fake
// microphone gives the desktop headless run's sequence; a denied microphone shows its message and
// the demo choice, which then listens; a missing microphone shows its own message; phone and pad
// screens get their layouts and a screenshot; the settings survive reloads, and a localStorage that
// holds garbage or refuses never stops the tuner; once visited, the page starts and tunes offline,
// and Chromium finds it installable; a tone button plays its string's pitch; every layout, and a
// phone and a pad in Spanish and Russian, are drawn (screenshots) with nothing cut or overlapping,
// and so are the links panel and the rating alert over them; the rating alert comes after the
// desktop's launches and events, with its probe answered on loopback, and its buttons record what
// they record there.
// Usage: BALALAIKA_TUNER_PROBE_URL=http://127.0.0.1:PORT/ node tests/web/browser.test.mjs SITE_FOLDER
//        DESKTOP_PROGRAM SCREENSHOT_FOLDER
// (the site built with the same BALALAIKA_TUNER_PROBE_URL, as scripts/test.sh builds it).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const top = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const { chromium } = createRequire(path.join(top, 'web/package.json'))('playwright-core');
const [site, desktop, shots] = process.argv.slice(2);
const demo = path.join(top, 'resources/audio/demo.flac');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'balalaika-web-test-'));
// Up to the end of the recording's last note (19.6 s in), before its decay, where a buffer's
// alignment decides whether the lamp flickers.
const kListenSeconds = 19.0;
let server;
let address;
// The rating prompt's probes, answered on loopback where the test build sends them.
const probeUrl = process.env.BALALAIKA_TUNER_PROBE_URL;
const probes = [];
let probeServer;

// The desktop's headless line, parsed: tuning="..." freq="..." note="..." lamp=... string=... cents=...
function parse(line) {
  const field = (name) => line.match(new RegExp(`${name}=("([^"]*)"|\\S+)`))?.[2] ??
                          line.match(new RegExp(`${name}=(\\S+)`))?.[1];
  return { freq: field('freq'), note: field('note'), lamp: field('lamp'), string: field('string'), cents: field('cents') };
}

// The strings shown in tune, in order: runs of green readings of the same note and string. The
// yellow spells between them are left out: whether a pluck's decay dips below the silent level
// for one buffer, clearing the lamp until the next match, depends on where the page's buffers
// start in the recording, which the desktop's file microphone starts at its first sample.
function greenRuns(readings) {
  const runs = [];
  for (const r of readings.filter((reading) => reading.lamp === 'green')) {
    const key = `${r.note}|${r.string}`;
    if (runs.at(-1) !== key) runs.push(key);
  }
  return runs;
}

// The pitches held on the screen for at least three capture buffers (0.875 s): runs of readings
// each within kSameCents of the one before, reported by their median. A run's first or last buffer
// may differ by a few tenths of a hertz between two runs of the same recording, since where the
// buffers start in it decides which samples each one holds; the steps of one or two buffers between
// notes (or an octave slip on a string's attack) are not held long enough to count.
const kSameCents = 6;
const cents = (a, b) => Math.abs(1200 * Math.log2(a / b));
function steadyPitches(timed) {
  const pitches = [];
  let run = [];
  const close = (until) => {
    if (run.length > 0 && until - run[0].seconds >= 0.87) {
      const sorted = run.map((t) => t.hz).sort((a, b) => a - b);
      pitches.push(sorted[Math.floor(sorted.length / 2)]);
    }
    run = [];
  };
  for (const t of timed) {
    const hz = parseFloat(t.reading.freq);
    if (run.length > 0 && !(hz > 0 && cents(hz, run.at(-1).hz) <= kSameCents)) close(t.seconds);
    if (hz > 0) run.push({ seconds: t.seconds, hz });
  }
  close(kListenSeconds);
  return pitches;
}

// Every steady pitch of one run has a partner within kSameCents among the other's.
function assertSamePitches(page, desktop, seen) {
  const unmatched = (from, to) => from.filter((hz) => !to.some((other) => cents(hz, other) <= kSameCents));
  assert.deepEqual(unmatched(page, desktop), [], `page ${page.join(' ')}, desktop ${desktop.join(' ')}\n${seen}`);
  assert.deepEqual(unmatched(desktop, page), [], `page ${page.join(' ')}, desktop ${desktop.join(' ')}\n${seen}`);
}

// Every browser of the tests resolves no name but loopback's, so that no page of theirs (a store
// page opened in a new tab, a probe of a build without a loopback address) leaves the machine.
// Each is closed at the end, even where a failed test left it open: an open browser would keep
// this process running.
const launched = [];
async function launch(extraArgs, options = {}) {
  const profile = fs.mkdtempSync(path.join(scratch, 'profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
           ...extraArgs],
    ...options,
  });
  launched.push(context);
  return context;
}

// As on a slow phone: the tuner's WebAssembly module is handed over ms later than it is made. With
// keptOnce, only the first start that a kept version (the service worker) serves is slowed.
function slowTunerStart(page, ms, keptOnce = false) {
  return page.addInitScript(([delay, once]) => {
    if (once) {
      if (navigator.serviceWorker.controller === null || sessionStorage.getItem('slowed') !== null) return;
      sessionStorage.setItem('slowed', 'yes');
    }
    const slowed = (make) => async (...args) => {
      const made = await make(...args);
      await new Promise((resolve) => setTimeout(resolve, delay));
      return made;
    };
    WebAssembly.instantiateStreaming = slowed(WebAssembly.instantiateStreaming);
    WebAssembly.instantiate = slowed(WebAssembly.instantiate);
  }, [ms, keptOnce]);
}

// A steady A4 with overtones (a triangle wave) as a microphone's recording: the default estimate,
// like the desktop's, takes a pure sine's A4 for the A3 below it.
function a440() {
  const wav = path.join(scratch, 'a440.wav');
  if (!fs.existsSync(wav)) {
    execFileSync('sox', ['-n', '-r', '44100', '-b', '16', '-c', '1', wav, 'synth', '10', 'triangle', '440', 'vol', '0.5']);
  }
  return wav;
}

// The site served on a free loopback port: { process, address }.
async function serve(folder = site) {
  const child = spawn('/usr/bin/python3', [path.join(top, 'scripts/serve-web.py'), folder, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((resolve, reject) => {
    child.stdout.on('data', (data) => {
      const found = String(data).match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (found) resolve(found[0]);
    });
    child.on('exit', () => reject(new Error('the page server stopped')));
  });
  return { process: child, address: url };
}

before(async () => {
  ({ process: server, address } = await serve());
  const probeAddress = probeUrl ? new URL(probeUrl) : null;
  if (probeAddress?.hostname === '127.0.0.1') {
    probeServer = http.createServer((request, response) => {
      probes.push({ path: request.url, cacheControl: request.headers['cache-control'] });
      response.writeHead(204, { 'Access-Control-Allow-Origin': '*' });
      response.end();
    });
    await new Promise((resolve) => probeServer.listen(Number(probeAddress.port), '127.0.0.1', resolve));
  }
});

after(async () => {
  await Promise.all(launched.map((context) => context.close().catch(() => {})));
  server?.kill();
  probeServer?.closeAllConnections();
  probeServer?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

test('the demo recording as the microphone shows the desktop headless run\'s in-tune strings in order and its steady pitches', async () => {
  const wav = path.join(scratch, 'demo-44100.wav');
  execFileSync('sox', [demo, '-r', '44100', '-b', '16', '-c', '1', wav]);
  const desktopLines = execFileSync(desktop, ['--headless', '--input', demo, '--quit-after', '20'],
                                    { encoding: 'utf8', timeout: 60000 })
    .trim().split('\n').map((line) => ({ seconds: Number(line.split(' ')[0]), reading: parse(line) }))
    .filter((t) => t.seconds <= kListenSeconds);

  const context = await launch(['--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream',
                                `--use-file-for-fake-audio-capture=${wav}`],
                               { permissions: ['microphone'], viewport: { width: 390, height: 844 } });
  const page = await context.newPage();
  const pageLines = [];
  let tappedAt = 0;
  page.on('console', (message) => {
    if (message.type() === 'debug' && message.text().startsWith('screen ')) {
      pageLines.push({ seconds: (performance.now() - tappedAt) / 1000, reading: parse(message.text()) });
    }
  });
  await page.goto(address);
  await page.locator('#listen').waitFor();
  tappedAt = performance.now();
  await page.click('#listen');
  await page.waitForTimeout(kListenSeconds * 1000);
  await context.close();

  // The page starts listening a little after the tap (the audio context and the worklet start):
  // its clock is set so that the first reading falls where the desktop's does.
  const firstReading = (timed) => timed.find((t) => t.reading.freq !== '').seconds;
  const offset = firstReading(pageLines) - firstReading(desktopLines);
  const browser = pageLines.map((t) => ({ ...t, seconds: t.seconds - offset }))
    .filter((t) => t.seconds >= 0 && t.seconds <= kListenSeconds);
  const seen = browser.map((t) => `${t.seconds.toFixed(2)} ${t.reading.freq} ${t.reading.note} ${t.reading.lamp}`).join('\n');
  assert.deepEqual(greenRuns(desktopLines.map((t) => t.reading)), ['A4|1', 'E4|2']);
  assert.deepEqual(greenRuns(browser.map((t) => t.reading)), ['A4|1', 'E4|2'], seen);
  assert.equal(browser[0].reading.lamp, 'yellow', seen);
  assertSamePitches(steadyPitches(browser), steadyPitches(desktopLines), seen);
  // A green lamp comes with the cents meter's reading within the lamp's window.
  for (const { reading } of browser.filter((t) => t.reading.lamp === 'green' && t.reading.freq.startsWith('440'))) {
    assert.ok(Math.abs(Number(reading.cents)) <= 5, `cents=${reading.cents}`);
  }
});

test('a denied microphone shows its message and the demo choice, which then listens to the recording, tapped before the tuner is ready', async () => {
  const context = await launch(['--use-fake-device-for-media-stream', '--deny-permission-prompts'],
                               { viewport: { width: 390, height: 844 } });
  const page = await context.newPage();
  // A tap as soon as the page has loaded, on a phone slow to make the tuner: the button to start
  // listening shows only once it works.
  await slowTunerStart(page, 2000);
  await page.goto(`${address}?lang=es`);
  await page.click('#listen');
  await page.locator('#demo').waitFor({ state: 'visible' });
  assert.match(await page.locator('#message').textContent(), /no tiene permiso para usar el micrófono/);
  assert.equal(await page.locator('#demo').textContent(), 'Escuchar la grabación de demostración');
  await page.click('#demo');
  await page.locator('#noteDisplay', { hasText: 'A4' }).waitFor({ timeout: 15000 });
  assert.match(await page.locator('#LEDDisplay').getAttribute('src'), /green/);
  await context.close();
});

test('a machine without a microphone says so and offers the demo recording', async () => {
  // No audio server to find either: the test suite's own PulseAudio server, or a user's, has a
  // microphone that chromium would otherwise use.
  const env = { ...process.env, PULSE_SERVER: `unix:${path.join(scratch, 'no-audio-server')}` };
  const context = await launch(['--use-fake-ui-for-media-stream'], { permissions: ['microphone'], env });
  const page = await context.newPage();
  await page.goto(address);
  await page.click('#listen');
  await page.locator('#demo').waitFor({ state: 'visible' });
  assert.equal(await page.locator('#message').textContent(), 'No microphone was found.');
  await context.close();
});

test('phones and pads get their layouts, screens the table lacks the nearest one, and both screens are drawn', async () => {
  const screens = [
    { name: 'phone', width: 390, height: 844, layout: 'Main_iPhone12Pro' },
    { name: 'pad', width: 820, height: 1180, layout: 'Main_iPad_Pro_10_5' },
    { name: 'android-phone', width: 412, height: 915, layout: 'Main_iPhone12ProMax' },
    { name: 'desktop', width: 1280, height: 720, layout: 'Main_iPad' },
  ];
  fs.mkdirSync(shots, { recursive: true });
  const context = await launch([]);
  for (const s of screens) {
    const page = await context.newPage();
    await page.setViewportSize({ width: s.width, height: s.height });
    await page.addInitScript(({ width, height }) => {
      Object.defineProperty(screen, 'width', { get: () => width });
      Object.defineProperty(screen, 'height', { get: () => height });
    }, s);
    await page.goto(address);
    await page.locator('#screen').waitFor({ state: 'visible' });
    assert.equal(await page.evaluate(() => document.body.dataset.layout), s.layout, s.name);
    assert.equal(await page.locator('#currentTuningName').textContent(), 'Prima balalaika');
    if (s.name === 'phone' || s.name === 'pad') await page.screenshot({ path: path.join(shots, `${s.name}.png`) });
    await page.close();
  }
  await context.close();
});

test('the tuning aids: A4 stepped and kept across a reload, a string locked by its name, the unison check, A4 from a heard A', async () => {
  const wav = path.join(scratch, 'a443.wav');
  execFileSync('sox', ['-n', '-r', '44100', '-b', '16', '-c', '1', wav, 'synth', '10', 'sine', '443', 'vol', '0.5']);
  const context = await launch(['--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream',
                                `--use-file-for-fake-audio-capture=${wav}`],
                               { permissions: ['microphone'], viewport: { width: 390, height: 844 } });
  const page = await context.newPage();
  const text = (id) => page.locator(`#${id}`).textContent();
  const shows = (id, expected) => page.locator(`#${id}`, { hasText: expected }).waitFor({ timeout: 5000 });
  await page.goto(address);
  await page.locator('#screen').waitFor({ state: 'visible' });
  assert.equal(await text('concertPitchLabel'), 'A4 = 440 Hz');

  await page.click('#concertPitchUp');
  await page.click('#concertPitchUp');
  await shows('concertPitchLabel', 'A4 = 441 Hz');
  assert.match(await page.evaluate(() => localStorage.getItem('a4InHz')), /441/);
  await page.reload();
  await page.locator('#screen').waitFor({ state: 'visible' });
  assert.equal(await text('concertPitchLabel'), 'A4 = 441 Hz');
  await page.click('#concertPitchDown');
  await shows('concertPitchLabel', 'A4 = 440.5 Hz');

  // A tap on a name locks the meter to that string and frames it; a second tap releases it; a
  // change of tuning releases it too.
  assert.equal(await text('lockLabel'), '');
  await page.click('#firstString');
  await shows('lockLabel', 'Locked: A4');
  assert.match(await page.locator('#firstString').getAttribute('class'), /locked/);
  await page.click('#firstString');
  await page.locator('#firstString.locked').waitFor({ state: 'detached' });
  assert.equal(await text('lockLabel'), '');
  await page.click('#thirdString');
  await shows('lockLabel', 'Locked: E4');

  // The prima's unison pair: the check asks for string 2 and can be stopped.
  await page.click('#unisonButton');
  await shows('aidMessage', 'Unison: pluck string 2');
  assert.equal(await text('unisonButton'), 'Stop the check');
  fs.mkdirSync(shots, { recursive: true });
  await page.screenshot({ path: path.join(shots, 'phone-aids.png') });
  await page.click('#unisonButton');
  await shows('unisonButton', 'Check unison');
  assert.equal(await text('aidMessage'), '');

  // The bass has no unison pair: no check offered, and the lock is gone with the tuning.
  for (let i = 0; i < 3; ++i) await page.click('#showNextTuningButton');
  await shows('currentTuningName', 'Bass');
  assert.equal(await page.locator('#unisonButton').isHidden(), true);
  assert.equal(await text('lockLabel'), '');
  await page.click('#showPreviousTuningButton');
  await page.click('#showPreviousTuningButton');
  await page.click('#showPreviousTuningButton');

  // A steady 443 Hz tone as the microphone sets A4 from a heard A.
  await page.click('#listen');
  await page.locator('#freq_label', { hasText: 'Hz' }).waitFor({ timeout: 15000 });
  await page.click('#listenForA');
  // It takes a second of steady readings, counted in the page's ticks, which a busy machine slows:
  // the outcome is waited for, then checked.
  await page.waitForFunction(() => !['', 'Play an A and hold it…'].includes(document.getElementById('aidMessage').textContent),
                             null, { timeout: 15000 });
  assert.equal(await text('aidMessage'), 'A4 set to 443 Hz');
  assert.equal(await text('concertPitchLabel'), 'A4 = 443 Hz');
  await context.close();
});

test('the run count and the precise switch survive reloads; stored garbage reads as absent and is logged', async () => {
  const context = await launch([], { viewport: { width: 390, height: 844 } });
  const page = await context.newPage();
  const warnings = [];
  page.on('console', (message) => { if (message.type() !== 'debug') warnings.push(message.text()); });
  const stored = (key) => page.evaluate((k) => localStorage.getItem(k), key);
  const open = async (reload) => {
    await (reload ? page.reload() : page.goto(address));
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
  };
  await open(false);
  assert.equal(await stored('numberOfRuns'), 'i:1');
  assert.equal(await stored('NewFirstLaunchVADovoduved'), 'b:1');

  // Values of another type, or ones that do not parse, beside a valid first-launch mark.
  await page.evaluate(() => {
    localStorage.setItem('numberOfRuns', 'i:12abc');
    localStorage.setItem('preciseEstimator', 'd:1');
    localStorage.setItem('a4InHz', 'd:NaN');
  });
  await open(true);
  assert.equal(await stored('numberOfRuns'), 'i:1');
  assert.equal(await page.locator('#preciseSwitch').isChecked(), false);
  assert.equal(await page.locator('#concertPitchLabel').textContent(), 'A4 = 440 Hz');
  for (const key of ['numberOfRuns', 'preciseEstimator', 'a4InHz']) {
    assert.ok(warnings.some((w) => w.includes(`Unreadable stored ${key}`)), `${key}: ${warnings.join('\n')}`);
  }

  await page.click('#preciseSwitch');
  await open(true);
  await open(true);
  assert.equal(await stored('numberOfRuns'), 'i:3');
  assert.equal(await page.locator('#preciseSwitch').isChecked(), true);

  // A mark that is garbage reads as a first launch, which starts the count again.
  await page.evaluate(() => localStorage.setItem('NewFirstLaunchVADovoduved', '\u0000{"x":'));
  await open(true);
  assert.equal(await stored('numberOfRuns'), 'i:1');
  await context.close();
});

test('a localStorage that refuses (disabled, or full) is logged and the tuner still starts and tunes', async () => {
  const wav = a440();
  const refusals = {
    disabled: () => Object.defineProperty(window, 'localStorage', {
      get() { throw new DOMException('access denied', 'SecurityError'); },
    }),
    full: () => { Storage.prototype.setItem = () => { throw new DOMException('quota', 'QuotaExceededError'); }; },
  };
  for (const [name, refusal] of Object.entries(refusals)) {
    const context = await launch(['--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream',
                                  `--use-file-for-fake-audio-capture=${wav}`],
                                 { permissions: ['microphone'], viewport: { width: 390, height: 844 } });
    const page = await context.newPage();
    const warnings = [];
    page.on('console', (message) => { if (message.type() === 'warning') warnings.push(message.text()); });
    await page.addInitScript(refusal);
    await page.goto(address);
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    // What the store refused is kept for the visit.
    await page.click('#concertPitchUp');
    await page.locator('#concertPitchLabel', { hasText: 'A4 = 440.5 Hz' }).waitFor({ timeout: 5000 });
    await page.click('#preciseSwitch');
    assert.equal(await page.locator('#preciseSwitch').isChecked(), true, name);
    await page.click('#listen');
    await page.locator('#noteDisplay', { hasText: 'A4' }).waitFor({ timeout: 15000 });
    assert.ok(warnings.some((w) => w.startsWith('localStorage:')), `${name}: ${warnings.join('\n')}`);
    await context.close();
  }
});

// Store pages opened by the page (in new tabs) are answered inside the browser; their addresses
// are kept.
async function keepStorePages(context) {
  const opened = [];
  await context.route((url) => url.hostname !== '127.0.0.1', (route) => {
    opened.push(route.request().url());
    return route.fulfill({ status: 200, contentType: 'text/plain', body: 'store page' });
  });
  return opened;
}

// A page of the tuner and its store: open() loads it and waits until this launch's use is counted.
async function ratingPage(context) {
  const page = await context.newPage();
  const stored = (key) => page.evaluate((k) => localStorage.getItem(k), key);
  const said = [];
  page.on('console', (message) => { if (message.type() !== 'debug') said.push(message.text()); });
  page.on('load', () => said.push(`(page loaded at ${performance.now().toFixed(0)} ms)`));
  let uses = 0;
  const open = async (reload) => {
    await (reload ? page.reload() : page.goto(address));
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    uses += 1;
    try {
      await page.waitForFunction((n) => localStorage.getItem('kRatingPromptUseCount') === `i:${n}`, uses,
                                 { timeout: 15000 });
    } catch (error) {
      const store = await page.evaluate(() => JSON.stringify(Object.entries(localStorage)));
      throw new Error(`use ${uses} not counted: store ${store}; console: ${said.join(' | ')}`, { cause: error });
    }
    // The alert follows its count on a later turn of the event loop.
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 200)));
  };
  return { page, stored, open, alert: page.locator('#ratingAlert') };
}

test('the rating alert comes at the launch two days and two uses on, when online, after a probe on loopback; its buttons decline for good or record the rating and open the store in a new tab', async () => {
  assert.ok(probeServer, 'the site must be built, and this test run, with BALALAIKA_TUNER_PROBE_URL on 127.0.0.1');
  // A phone's browser, which names its system's version (Linux desktops name none).
  const context = await launch([], { viewport: { width: 390, height: 844 }, userAgent: kAndroidPhone });
  try {
    await rateOnAPhone(context);
  } finally {
    await context.close();
  }
});

const kAndroidPhone = 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) ' +
                      'Chrome/156.0.0.0 Mobile Safari/537.36';

async function rateOnAPhone(context) {
  const opened = await keepStorePages(context);
  const { page, stored, open, alert } = await ratingPage(context);
  const twoDaysAgo = () => page.evaluate(() => localStorage.setItem('kRatingPromptFirstUseDate', `d:${Date.now() / 1000 - 2 * 86400 - 60}`));

  await open(false);
  assert.equal(await alert.isVisible(), false);
  // The second launch, the same day: not yet.
  await open(true);
  assert.equal(await alert.isVisible(), false);
  // The third, two days after the first use: the alert, once the probe has gone to loopback.
  await twoDaysAgo();
  const probesBefore = probes.length;
  await open(true);
  await alert.waitFor({ state: 'visible', timeout: 15000 });
  // The probe is let go before the alert shows; its request reaches the server soon after.
  for (let waited = 0; probes.length === probesBefore && waited < 15000; waited += 50) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  assert.equal(probes.length, probesBefore + 1);
  // Sent past any cache ("no-cache": chromium says no-cache, or max-age=0 where it may revalidate).
  assert.match(probes.at(-1).cacheControl ?? '', /^(no-cache|max-age=0)$/);
  assert.equal(await page.locator('#ratingAlertTitle').textContent(), 'Rate Balalaika Tuner');
  assert.match(await page.locator('#ratingAlertMessage').textContent(), /^If you enjoy using Balalaika Tuner, would you mind/);
  assert.deepEqual(await page.locator('#ratingAlertButtons button').allTextContents(), ['Rate Balalaika Tuner', 'Remind me later']);

  // The page out of sight hides the alert and records nothing.
  await page.evaluate(() => {
    Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
    delete document.visibilityState;
  });
  await alert.waitFor({ state: 'hidden' });
  assert.equal(await stored('kRatingPromptDeclinedToRate'), null);

  // Offline (the page from its service worker), no alert; back online, the next launch asks again.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  await open(true);
  assert.equal(await alert.isVisible(), false);
  await context.setOffline(false);
  await open(true);
  await alert.waitFor({ state: 'visible', timeout: 15000 });

  // Remind me later: declined for this version, never asked again.
  await page.click('#ratingAlertButton1');
  await alert.waitFor({ state: 'hidden' });
  assert.equal(await stored('kRatingPromptDeclinedToRate'), 'b:1');
  assert.equal(await stored('kRatingPromptRatedCurrentVersion'), null);
  await open(true);
  assert.equal(await alert.isVisible(), false);
  assert.deepEqual(opened, []);

  // With the decline taken back by hand, the alert again; Rate records the rating before the
  // store's page opens in a new tab, over https, at the address the desktop opens.
  await page.evaluate(() => localStorage.removeItem('kRatingPromptDeclinedToRate'));
  await open(true);
  await alert.waitFor({ state: 'visible', timeout: 15000 });
  const storeTab = context.waitForEvent('page');
  await page.click('#ratingAlertButton0');
  await (await storeTab).waitForLoadState();
  await alert.waitFor({ state: 'hidden' });
  assert.equal(await stored('kRatingPromptRatedCurrentVersion'), 'b:1');
  assert.deepEqual(opened, ['https://apps.apple.com/app/id555123987?action=write-review']);
  await open(true);
  assert.equal(await alert.isVisible(), false);
}

test('the links open their addresses in new tabs; the panel lists every link under the precise switch, and a link closes it', async () => {
  const context = await launch([], { viewport: { width: 390, height: 844 } });
  try {
    const opened = await keepStorePages(context);
    const page = await context.newPage();
    await page.goto(address);
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    // The new tab exists before its address is requested: it is read once the tab has loaded.
    const openedTab = async (click) => {
      const before = opened.length;
      const tab = context.waitForEvent('page');
      await click();
      const store = await tab;
      await store.waitForLoadState();
      await store.close();
      assert.equal(opened.length, before + 1);
      return opened.at(-1);
    };
    assert.equal(await openedTab(() => page.click('#makerSiteLink')), 'http://www.balalaika-tuner.com/');
    assert.equal(await openedTab(() => page.click('#reviewThisAppLink')), 'https://apps.apple.com/app/id555123987');

    const panel = page.locator('#linksPanel');
    await page.click('#moreAppsButton');
    assert.equal(await page.locator('#linksList button').count(), 15);
    await page.click('#preciseEstimatorToggle');
    assert.match(await page.locator('#preciseEstimatorToggle').textContent(), /^☑ Precise pitch/);
    assert.equal(await panel.isVisible(), true);
    assert.equal(await page.locator('#preciseSwitch').isChecked(), true);
    assert.equal(await openedTab(() => page.click('#link_purchaseSiblingApp11')), 'https://apps.apple.com/app/id555125345');
    await panel.waitFor({ state: 'hidden' });
  } finally {
    await context.close();
  }
});

test('after the strings are tuned, a note that matches none asks for the rating on the third run, as on the desktop', async () => {
  assert.ok(probeServer, 'the site must be built, and this test run, with BALALAIKA_TUNER_PROBE_URL on 127.0.0.1');
  // Strings 1 and 2 of the prima in tune, then a D4 that is neither.
  const notes = [['440', 3], ['329.63', 3], ['293.66', 10]].map(([hz, seconds]) => {
    const file = path.join(scratch, `note-${hz}.wav`);
    execFileSync('sox', ['-n', '-r', '44100', '-b', '16', '-c', '1', file, 'synth', String(seconds), 'triangle', hz, 'vol', '0.5']);
    return file;
  });
  const wav = path.join(scratch, 'tuned-then-other.wav');
  execFileSync('sox', [...notes, wav]);
  const context = await launch(['--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream',
                                `--use-file-for-fake-audio-capture=${wav}`],
                               { permissions: ['microphone'], viewport: { width: 390, height: 844 } });
  try {
    const { page, open, alert } = await ratingPage(context);
    await open(false);
    await page.evaluate(() => localStorage.setItem('numberOfRuns', 'i:2'));
    await open(true);
    assert.equal(await page.evaluate(() => localStorage.getItem('numberOfRuns')), 'i:3');
    // Two launches on the first day: the launches alone do not ask.
    assert.equal(await alert.isVisible(), false);
    await page.click('#listen');
    await page.locator('#noteDisplay', { hasText: 'E4' }).waitFor({ timeout: 20000 });
    await page.locator('#freq_label', { hasText: /^29[34]\./ }).waitFor({ timeout: 20000 });
    await alert.waitFor({ state: 'visible', timeout: 10000 });
  } finally {
    await context.close();
  }
});

test('after one visit the page is kept by its service worker: with the server gone and the browser offline it starts and tunes', async () => {
  const wav = a440();
  const own = await serve();
  const context = await launch(['--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream',
                                `--use-file-for-fake-audio-capture=${wav}`],
                               { permissions: ['microphone'], viewport: { width: 390, height: 844 } });
  try {
    const page = await context.newPage();
    await page.goto(own.address);
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    // The worker is active once every precached file is in its cache.
    const scope = await page.evaluate(async () => (await navigator.serviceWorker.ready).scope);
    assert.equal(scope, own.address);

    // Chromium finds the page installable: manifest, icons, worker.
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);

    own.process.kill();
    await new Promise((resolve) => own.process.once('exit', resolve));
    await context.setOffline(true);
    await page.reload();
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    assert.equal(await page.locator('#currentTuningName').textContent(), 'Prima balalaika');
    await page.click('#listen');
    await page.locator('#noteDisplay', { hasText: 'A4' }).waitFor({ timeout: 15000 });
    // The steady tone reads within 1 Hz. The first readings may not: the buffer that holds the
    // start of the capture (or the recording's loop point) reads up to a few hertz off.
    const steady = await page.waitForFunction(() => {
      const heard = parseFloat(document.getElementById('freq_label').textContent);
      return Math.abs(heard - 440) < 1;
    }, null, { timeout: 5000 }).then(() => true, () => false);
    assert.ok(steady, await page.locator('#freq_label').textContent());
  } finally {
    await context.close();
    own.process.kill();
  }
});

test('a new version on the host replaces the kept one on the next visit, whole, on a device slow to start the tuner', async () => {
  const copy = path.join(scratch, 'site-copy');
  fs.cpSync(site, copy, { recursive: true });
  // The kept version went up an hour before the next one. (Written in the same second, the next
  // sw.js would look unchanged to the server, which answers the browser's check by the second:
  // 304, and no update.)
  const hourAgo = new Date(Date.now() - 3600 * 1000);
  for (const name of ['index.html', 'sw.js']) fs.utimesSync(path.join(copy, name), hourAgo, hourAgo);
  const own = await serve(copy);
  const context = await launch([], { viewport: { width: 390, height: 844 } });
  try {
    const page = await context.newPage();
    // The first start from the kept version takes 4 s to make the tuner ready: the browser's look
    // for a new version, a second after the page loads, ends while it starts.
    await slowTunerStart(page, 4000, true);
    await page.goto(own.address);
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    await page.evaluate(async () => (await navigator.serviceWorker.ready).scope);

    // The next version: another page, and the worker that lists it under a new revision.
    const html = path.join(copy, 'index.html');
    fs.writeFileSync(html, fs.readFileSync(html, 'utf8').replace('<head>', '<head><meta name="build" content="next">'));
    const worker = path.join(copy, 'sw.js');
    const listed = fs.readFileSync(worker, 'utf8');
    assert.match(listed, /\{url:"index\.html",revision:"[0-9a-f]+"\}/);
    fs.writeFileSync(worker, listed.replace(/(\{url:"index\.html",revision:")[0-9a-f]+/, '$1next'));

    await page.reload();
    // The page reloads itself once the new worker has every file.
    await page.locator('meta[name="build"]').waitFor({ state: 'attached', timeout: 20000 });
    await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
    const kept = await page.evaluate(async () => {
      const names = (await caches.keys()).filter((name) => name.includes('precache'));
      const cache = await caches.open(names[0]);
      const pages = (await cache.keys()).filter((request) => request.url.includes('index.html'));
      return { names, pages: await Promise.all(pages.map(async (request) => (await cache.match(request)).text())) };
    });
    assert.equal(kept.names.length, 1, kept.names.join(' '));
    assert.equal(kept.pages.length, 1);
    assert.match(kept.pages[0], /name="build" content="next"/);
  } finally {
    await context.close();
    own.process.kill();
  }
});

// The pitch of a recorded tone: rising zero crossings, placed between samples by linear
// interpolation, counted over the longest run of cycles that each last within 1 % of the median
// cycle. The stream between two audio contexts loses audio now and then on a busy machine, as a
// run of zeros or as a chunk skipped outright; either breaks the cycle it falls in, and a run ends
// there. A tone played off its pitch is off in every cycle, and still reads off.
function pitchOf(samples, rate) {
  const crossings = [];
  for (let i = 1; i < samples.length; ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) crossings.push(i - 1 + samples[i - 1] / (samples[i - 1] - samples[i]));
  }
  if (crossings.length < 10) return 0;
  const cycles = crossings.slice(1).map((at, i) => at - crossings[i]);
  const median = [...cycles].sort((a, b) => a - b)[Math.floor(cycles.length / 2)];
  let best = [0, 0];
  let start = 0;
  for (let i = 0; i <= cycles.length; ++i) {
    if (i === cycles.length || Math.abs(cycles[i] / median - 1) > 0.01) {
      if (i - start > best[1] - best[0]) best = [start, i];
      start = i + 1;
    }
  }
  const span = crossings[best[1]] - crossings[best[0]];
  if (span < rate / 4) return 0;
  return ((best[1] - best[0]) * rate) / span;
}

test('a string\'s tone button plays its pitch, rendered by the tone generator, through a suspend and resume, until stopped', async () => {
  const context = await launch(['--autoplay-policy=no-user-gesture-required'], { viewport: { width: 390, height: 844 } });
  const page = await context.newPage();
  // The tone must not come from the browser's own oscillator.
  await page.addInitScript(() => {
    AudioContext.prototype.createOscillator = () => { throw new Error('no oscillator'); };
    window.OscillatorNode = class { constructor() { throw new Error('no oscillator'); } };
  });
  await page.goto(`${address}?capture-output`);
  await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
  // What the page plays, as the published stream carries it: the last 0.74 s at 44.1 kHz.
  const record = () => page.evaluate(async () => {
    const { stream } = await new Promise((resolve) => {
      const poll = () => (window.tonePlayer.capture ? resolve(window.tonePlayer.capture) : setTimeout(poll, 20));
      poll();
    });
    const listener = new AudioContext({ sampleRate: 44100 });
    const analyser = listener.createAnalyser();
    analyser.fftSize = 32768;
    const mute = listener.createGain();
    mute.gain.value = 0;
    listener.createMediaStreamSource(stream).connect(analyser).connect(mute).connect(listener.destination);
    await new Promise((resolve) => setTimeout(resolve, 1200));
    const samples = new Float32Array(analyser.fftSize);
    analyser.getFloatTimeDomainData(samples);
    await listener.close();
    return { rate: listener.sampleRate, samples: Array.from(samples) };
  });
  const heard = async (expected, what) => {
    const { rate, samples } = await record();
    const hertz = pitchOf(samples, rate);
    assert.ok(Math.abs(hertz - expected) <= 0.5, `${what}: ${hertz.toFixed(3)} Hz, not ${expected}`);
    assert.ok(Math.max(...samples) > 0.5, `${what}: peak ${Math.max(...samples)}`);
  };

  await page.click('#firstFreqButton');
  await page.locator('#stopFreqPlay').waitFor({ state: 'visible', timeout: 5000 });
  assert.equal(await page.locator('#tfnoteDisplay').textContent(), 'A4');
  await heard(440, 'string 1');
  await page.click('#secondFreqButton');
  await page.locator('#tfnoteDisplay', { hasText: 'E4' }).waitFor({ timeout: 5000 });
  await heard(329.63, 'string 2');

  // The system suspends the audio and lets it go on.
  await page.evaluate(async () => {
    await window.tonePlayer.capture.context.suspend();
    await new Promise((resolve) => setTimeout(resolve, 500));
    await window.tonePlayer.capture.context.resume();
  });
  await heard(329.63, 'string 2 after a suspend');

  await page.click('#stopFreqPlay');
  await page.locator('#stopFreqPlay').waitFor({ state: 'hidden', timeout: 5000 });
  assert.equal(await page.locator('#tfnoteDisplay').textContent(), '');
  assert.equal(await page.evaluate(() => window.tonePlayer.capture), null);
  await context.close();
});

// Every layout of the table with its device's screen in CSS pixels, forced with ?device=.
const kLayouts = [
  ['Main_iPhone4s', 'phone', 320, 480], ['Main_iPhone', 'phone', 320, 568], ['Main_iPhone6', 'phone', 375, 667],
  ['Main_iPhone6Plus', 'phone', 414, 736], ['Main_iPhoneX', 'phone', 375, 812],
  ['Main_iPhone12Pro', 'phone', 390, 844], ['Main_iPhoneXSMax', 'phone', 414, 896],
  ['Main_iPhone12ProMax', 'phone', 428, 926], ['Main_iPad', 'pad', 768, 1024],
  ['Main_iPad_Pro_10_5', 'pad', 834, 1112], ['Main_iPad_Mini6', 'pad', 744, 1133],
  ['Main_iPad_Pro_11', 'pad', 834, 1194], ['Main_iPad_Pro', 'pad', 1024, 1366],
].map(([layout, kind, width, height]) => ({ layout, kind, width, height }));

// The visible elements of the screen and the start panel that hold something (the outermost of
// nested ones; the highlights drawn over the chart and the meter's needle are meant to overlap):
// those outside the window, those whose text does not fit their box, and the pairs that overlap.
function geometryFaults(selector = '#screen [id], #start [id], #notice') {
  const all = Array.from(document.querySelectorAll(selector))
    .filter((e) => !e.closest('[hidden]') && !e.matches('.overlay, #needle, section, header, footer'))
    .filter((e) => { const r = e.getBoundingClientRect(); return r.width > 0 && r.height > 0; });
  const boxes = all.filter((e) => !all.some((other) => other !== e && other.contains(e)));
  const name = (e) => `#${e.id}`;
  const faults = [];
  for (const e of boxes) {
    const r = e.getBoundingClientRect();
    if (r.left < -0.5 || r.top < -0.5 || r.right > innerWidth + 0.5 || r.bottom > innerHeight + 0.5) {
      faults.push(`${name(e)} outside the window: ${Math.round(r.left)},${Math.round(r.top)} ${Math.round(r.right)},${Math.round(r.bottom)}`);
    }
    if (e.tagName !== 'IMG' && (e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 1)) {
      faults.push(`${name(e)} cut: ${e.scrollWidth}x${e.scrollHeight} in ${e.clientWidth}x${e.clientHeight}`);
    }
  }
  for (let i = 0; i < boxes.length; ++i) {
    for (let j = i + 1; j < boxes.length; ++j) {
      const a = boxes[i].getBoundingClientRect();
      const b = boxes[j].getBoundingClientRect();
      const w = Math.min(a.right, b.right) - Math.max(a.left, b.left);
      const h = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
      if (w > 1 && h > 1) faults.push(`${name(boxes[i])} overlaps ${name(boxes[j])}`);
    }
  }
  return faults;
}

test('all thirteen layouts, and a phone and a pad in Spanish and Russian: forced by ?device=, drawn with nothing cut or overlapping, and so are the rating alert and the links panel over them', async () => {
  const phone = kLayouts.find((s) => s.layout === 'Main_iPhone12Pro');
  const pad = kLayouts.find((s) => s.layout === 'Main_iPad_Pro_11');
  const screens = [...kLayouts.map((s) => ({ ...s, lang: 'en' })),
                   ...['es', 'ru'].flatMap((lang) => [{ ...phone, lang }, { ...pad, lang }])];
  fs.mkdirSync(shots, { recursive: true });
  const context = await launch([]);
  // Every launch is one that asks for the rating: not the first, two days and a use on, not declined.
  await context.addInitScript(() => {
    localStorage.setItem('NewFirstLaunchVADovoduved', 'b:1');
    localStorage.setItem('kRatingPromptFirstUseDate', `d:${Date.now() / 1000 - 3 * 86400}`);
    localStorage.setItem('kRatingPromptUseCount', 'i:1');
    localStorage.removeItem('kRatingPromptDeclinedToRate');
  });
  const faults = [];
  const check = async (page, s, selector) => {
    faults.push(...(await page.evaluate(geometryFaults, selector)).map((f) => `${s.layout} ${s.lang}: ${f}`));
  };
  try {
    for (const s of screens) await drawScreen(context, s, check);
  } finally {
    await context.close();
  }
  assert.deepEqual(faults, []);
});

// One screen: the rating alert over it, then the screen with a tone playing, then the links panel;
// a screenshot and the geometry of each.
async function drawScreen(context, s, check) {
  const page = await context.newPage();
  await page.setViewportSize({ width: s.width, height: s.height });
  await page.goto(`${address}?device=${s.kind}:${s.height}&lang=${s.lang}`);
  await page.locator('#screen').waitFor({ state: 'visible', timeout: 10000 });
  assert.equal(await page.evaluate(() => document.body.dataset.layout), s.layout);
  await page.evaluate(() => document.fonts.ready);
  // The rating alert over the screen.
  await page.locator('#ratingAlert').waitFor({ state: 'visible', timeout: 15000 });
  await page.screenshot({ path: path.join(shots, `${s.layout}-${s.lang}-rating.png`) });
  await check(page, s, '#ratingAlert h2, #ratingAlert p, #ratingAlert button');
  await page.click('#ratingAlertButton1');
  await page.locator('#ratingAlert').waitFor({ state: 'hidden' });
  // A tone playing, so that its row shows too.
  await page.click('#firstFreqButton');
  await page.locator('#stopFreqPlay').waitFor({ state: 'visible', timeout: 5000 });
  await page.screenshot({ path: path.join(shots, `${s.layout}-${s.lang}.png`) });
  await check(page, s, undefined);
  // The panel of every link.
  await page.click('#moreAppsButton');
  await page.locator('#linksPanel').waitFor({ state: 'visible' });
  await page.screenshot({ path: path.join(shots, `${s.layout}-${s.lang}-links.png`) });
  await check(page, s, '#linksPanel h2, #linksPanel button');
  await page.close();
}
