// Starts and rebuilds the page's audio: the microphone (or the demo recording) through an
// AudioWorklet that posts its samples to the tuner on the main thread. Failures a phone meets are
// reported by their text's translation id; the page then offers the demo recording.
import type { WebTuner } from '@tuner';
import workletUrl from './capture-worklet.ts?worker&url';

export type FailureId = 'WebPermissionDenied' | 'WebNoMicrophone' | 'WebInsecure' | 'WebInterrupted' | 'WebAudioFailed';

export interface ListeningEvents {
  failed(id: FailureId): void;
  // Voice processing that the browser kept on although the page asked for it off.
  processingKept(names: string[]): void;
}

// The audio graph runs in blocks of this many frames where the browser allows it (Chromium does;
// others keep 128), and with the output's larger "playback" buffers: the tuner plays nothing while
// it listens, so it needs no low latency, and fewer, larger callbacks cost less of the phone's CPU.
const kRenderFrames = 1024;
const kProcessing = ['echoCancellation', 'noiseSuppression', 'autoGainControl'] as const;

function failureOf(error: unknown): FailureId {
  const name = error instanceof DOMException ? error.name : '';
  if (name === 'NotAllowedError' || name === 'SecurityError') return 'WebPermissionDenied';
  if (name === 'NotFoundError' || name === 'OverconstrainedError' || name === 'NotReadableError') return 'WebNoMicrophone';
  return 'WebAudioFailed';
}

export class Listening {
  private context: AudioContext | null = null;
  private stream: MediaStream | null = null;
  private running = false;

  constructor(private readonly tuner: WebTuner, private readonly events: ListeningEvents) {}

  // Must be called from a tap: the audio context is created and resumed in it.
  async startMicrophone(): Promise<boolean> {
    this.stop();
    if (!window.isSecureContext || navigator.mediaDevices?.getUserMedia === undefined) {
      this.events.failed('WebInsecure');
      return false;
    }
    const context = this.newContext();
    // The worklet loads while the browser asks for the microphone.
    const workletLoaded = context.audioWorklet.addModule(workletUrl);
    workletLoaded.catch(() => undefined);
    try {
      this.stream = await navigator.mediaDevices.getUserMedia({
        audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false },
        video: false,
      });
    } catch (error) {
      this.stop();
      this.events.failed(failureOf(error));
      return false;
    }
    const track = this.stream.getAudioTracks()[0];
    const settings = track.getSettings() as Record<string, unknown>;
    const kept = kProcessing.filter((name) => settings[name] === true);
    if (kept.length > 0) this.events.processingKept(kept);
    track.addEventListener('ended', () => this.interrupted());
    return this.connect(context, context.createMediaStreamSource(this.stream), workletLoaded);
  }

  // The bundled recording, played aloud and listened to, over and over.
  async startDemo(url: string): Promise<boolean> {
    this.stop();
    const context = this.newContext();
    try {
      const encoded = await (await fetch(url)).arrayBuffer();
      const source = context.createBufferSource();
      source.buffer = await context.decodeAudioData(encoded);
      source.loop = true;
      source.connect(context.destination);
      const ok = await this.connect(context, source, context.audioWorklet.addModule(workletUrl));
      source.start();
      return ok;
    } catch {
      this.stop();
      this.events.failed('WebAudioFailed');
      return false;
    }
  }

  stop(): void {
    this.running = false;
    this.stream?.getTracks().forEach((track) => track.stop());
    this.stream = null;
    if (this.context !== null) {
      this.context.onstatechange = null;
      void this.context.close();
      this.context = null;
    }
  }

  private newContext(): AudioContext {
    const context = new AudioContext({ latencyHint: 'playback', renderSizeHint: kRenderFrames } as AudioContextOptions);
    this.context = context;
    void context.resume();
    return context;
  }

  private async connect(context: AudioContext, source: AudioNode, workletLoaded: Promise<void>): Promise<boolean> {
    try {
      await workletLoaded;
    } catch {
      this.stop();
      this.events.failed('WebAudioFailed');
      return false;
    }
    if (this.context !== context) return false;  // stopped meanwhile
    const capture = new AudioWorkletNode(context, 'capture', { numberOfInputs: 1, numberOfOutputs: 1 });
    // The worklet runs only while connected towards the speaker: through a silent gain.
    const silent = context.createGain();
    silent.gain.value = 0;
    capture.connect(silent).connect(context.destination);
    // The context's rate, read at every start: 44.1 or 48 kHz, whatever the device runs at.
    if (!this.tuner.startInput(context.sampleRate)) {
      this.stop();
      this.events.failed('WebAudioFailed');
      return false;
    }
    capture.port.onmessage = (event: MessageEvent<Float32Array>) => this.tuner.deliver(event.data);
    source.connect(capture);
    this.running = true;
    context.onstatechange = () => {
      if (context.state !== 'running') this.interrupted();
    };
    return true;
  }

  // A call, the page in the background, a closed device: the next tap builds everything anew.
  private interrupted(): void {
    if (!this.running) return;
    this.stop();
    this.tuner.inputLost();
    this.events.failed('WebInterrupted');
  }
}
