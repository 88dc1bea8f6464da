// The page: creates the tuner with the screen's size, the pictures and the texts it carries,
// then shows what the tuner's screen elements hold and forwards taps to it. No tuner logic here.
import createTunerModule, { type ElementState, type WebTuner } from '@tuner';
import { Listening, type FailureId } from './audio';
import { byId } from './dom';
import { pageStorage } from './storage';
import { keepPageForNextVisits, reloadIntoNewVersions } from './service-worker';
import { TonePlayer } from './tone-player';
import { alertDialog, pageNetwork } from './rating';
import { setUpLinks } from './links';
import { storeSchemeHandled, systemVersion } from './system';
import english from '../../resources/translations/balalaika-tuner_en.ts?raw';
import spanish from '../../resources/translations/balalaika-tuner_es.ts?raw';
import russian from '../../resources/translations/balalaika-tuner_ru.ts?raw';

const kTranslations: Record<string, string> = { en: english, es: spanish, ru: russian };
const kDemoRecording = 'audio/demo.flac';
// The rating prompt's probe goes here when the page was built with BALALAIKA_TUNER_PROBE_URL set
// (tests point it at loopback); otherwise to the core's own address.
declare const __PROBE_URL__: string;

// The translation file's texts by message id: the language the browser prefers, else English.
function texts(): Record<string, string> {
  const preferred = new URLSearchParams(location.search).get('lang') ?? navigator.language.slice(0, 2);
  const file = kTranslations[preferred] ?? english;
  const doc = new DOMParser().parseFromString(file, 'application/xml');
  const out: Record<string, string> = {};
  for (const message of Array.from(doc.getElementsByTagName('message'))) {
    const id = message.getAttribute('id');
    const text = message.getElementsByTagName('translation')[0]?.textContent ?? '';
    if (id !== null) out[id] = text;
  }
  return out;
}

// ?device=phone:844 or ?device=pad:1024: the device whose layout the page takes, for testing a
// layout in any browser window; the window's own size still decides how large it is drawn.
function forcedDevice(value: string | null): { idiom: number; height: number } | null {
  const match = /^(phone|pad):(\d+)$/.exec(value ?? '');
  if (match === null) return null;
  return { idiom: match[1] === 'pad' ? 1 : 0, height: Number(match[2]) };
}

// Writes only what differs from what the page shows: the tuner sets every element on every
// tick, and a write, even of the same value, makes the browser lay out and paint again.
function render(tuner: WebTuner): void {
  const elements = tuner.elements();
  for (const [name, state] of Object.entries(elements)) {
    const node = byId(name);
    if (node === null) continue;
    const hidden = state.hidden === true || state.image === null;
    if (node.hidden !== hidden) node.hidden = hidden;
    // A button without a title keeps the page's own symbol (the tuning arrows).
    const text = state.text ?? (state.title || undefined);
    if (text !== undefined && node.textContent !== text) node.textContent = text;
    if (state.image) {
      const source = `images/${state.image}`;
      if (node.getAttribute('src') !== source) node.setAttribute('src', source);
    }
  }
  renderMeter(elements.centsMeter);
  const stop = byId('stopFreqPlay');
  if (stop.hidden === tuner.tonePlaying()) stop.hidden = !tuner.tonePlaying();
  const precise = byId<HTMLInputElement>('preciseSwitch');
  if (precise.checked !== tuner.precise()) precise.checked = tuner.precise();
  renderAids(tuner, elements.unisonGap);
}

// The string the meter is locked to is framed under the chart; a finished check in unison turns
// the aids' texts green.
function renderAids(tuner: WebTuner, gap: ElementState): void {
  const locked = String(tuner.lockedString());
  for (const name of Array.from(document.querySelectorAll<HTMLElement>('.string-name'))) {
    const on = name.dataset.string === locked;
    if (name.classList.contains('locked') !== on) name.classList.toggle('locked', on);
    name.setAttribute('aria-pressed', String(on));
  }
  byId('aidTexts').classList.toggle('in-unison', gap.inUnison === true);
}

// The needle stands at the reading's cents on a ±50 cent scale; at rest it is hidden.
function renderMeter(reading: ElementState): void {
  const needle = byId('needle');
  const hidden = reading.cents === undefined;
  if (needle.hidden !== hidden) needle.hidden = hidden;
  const transform = `translateX(${50 + (reading.cents ?? 0)}%)`;
  if (needle.style.transform !== transform) needle.style.transform = transform;
  needle.classList.toggle('far', reading.far === true);
}

async function main(): Promise<void> {
  const module = await createTunerModule();
  const query = new URLSearchParams(location.search);
  // ?capture-output: the tones also go to a stream the page publishes, for measuring them.
  const tonePlayer = new TonePlayer(query.has('capture-output'));
  if (query.has('capture-output')) (window as unknown as { tonePlayer: TonePlayer }).tonePlayer = tonePlayer;
  const pictures: string[] = await (await fetch('images/index.json')).json();
  const device = forcedDevice(query.get('device'));
  // The alert reports its buttons to the tuner, which exists only once it is built.
  let chosen: (id: number, index: number) => void = () => undefined;
  const tuner = new module.WebTuner({
    screenWidth: screen.width,
    screenHeight: device?.height ?? screen.height,
    idiom: device?.idiom,
    pictures,
    texts: texts(),
    storage: pageStorage(),
    tonePlayer,
    systemVersion: await systemVersion(),
    storeSchemeHandled: storeSchemeHandled(),
    network: pageNetwork(),
    alerts: alertDialog(byId<HTMLDialogElement>('ratingAlert'), (id, index) => chosen(id, index)),
    probeUrl: __PROBE_URL__,
  });
  chosen = (id, index) => tuner.alertChosen(id, index);
  // Out of sight (another tab or app, the screen locked) the application resigns active.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') tuner.resignActive();
  });
  document.body.dataset.layout = tuner.layout();
  document.body.classList.add(tuner.idiom() === 1 ? 'pad' : 'phone');
  byId('preciseText').textContent = tuner.text('PreciseShort');
  byId('listenForA').textContent = tuner.text('ListenForA');
  byId('listen').textContent = tuner.text('WebTapToStart');
  byId('demo').textContent = tuner.text('WebListenToDemo');
  byId('showPreviousTuningButton').textContent = '◀';
  byId('showNextTuningButton').textContent = '▶';

  const start = byId('start');
  const message = byId('message');
  const demo = byId('demo');
  const listening = new Listening(tuner, {
    failed(id: FailureId) {
      message.textContent = tuner.text(id);
      demo.hidden = false;
      start.hidden = false;
    },
    processingKept(names: string[]) {
      const text = tuner.text('WebSettingsIgnored').replace('%@', names.join(', '));
      byId('notice').textContent = text;
      console.warn(text);
    },
  });

  const listen = async (useDemo: boolean) => {
    message.textContent = '';
    start.hidden = true;
    const ok = useDemo ? await listening.startDemo(kDemoRecording) : await listening.startMicrophone();
    if (ok && useDemo) byId('notice').textContent = tuner.text('WebListeningToDemo');
  };
  byId('listen').addEventListener('click', () => void listen(false));
  demo.addEventListener('click', () => void listen(true));
  // The button shows once it does something: a tap while the tuner is still loading would be lost.
  byId('listen').hidden = false;
  byId('showPreviousTuningButton').addEventListener('click', () => tuner.showPreviousTuning());
  byId('showNextTuningButton').addEventListener('click', () => tuner.showNextTuning());
  byId('concertPitchDown').addEventListener('click', () => tuner.stepConcertPitch(-1));
  byId('concertPitchUp').addEventListener('click', () => tuner.stepConcertPitch(1));
  byId('listenForA').addEventListener('click', () => tuner.listenForA());
  byId('unisonButton').addEventListener('click', () => tuner.toggleUnisonCheck());
  for (const button of Array.from(document.querySelectorAll<HTMLElement>('.tone'))) {
    button.addEventListener('click', () => tuner.playReferenceTone(Number(button.dataset.string)));
  }
  byId('stopFreqPlay').addEventListener('click', () => tuner.stopTone());
  for (const name of Array.from(document.querySelectorAll<HTMLElement>('.string-name'))) {
    name.addEventListener('click', () => tuner.toggleLock(Number(name.dataset.string)));
  }
  setUpLinks(tuner, () => render(tuner));
  byId('preciseSwitch').addEventListener('change', (event) => {
    tuner.setPrecise((event.target as HTMLInputElement).checked);
    render(tuner);
  });

  tuner.setOnChange(() => {
    render(tuner);
    // The desktop's headless line for each change, for anyone comparing the two.
    console.debug(`screen ${tuner.summary()}`);
  });
  render(tuner);
  console.debug(`screen ${tuner.summary()}`);
  byId('screen').hidden = false;
  keepPageForNextVisits();
}

reloadIntoNewVersions();
void main();
