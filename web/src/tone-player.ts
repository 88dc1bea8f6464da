// Plays the reference tones that the tuner's tone generator renders (WebAudioOutputUnit): an
// audio context at the generator's rate, created in the tap that starts the tone as browsers
// require, and the playback worklet fed with the rendered blocks. The tuner asks how many frames
// are wanted to stay kLeadSeconds ahead of what the context has played; while the context is
// suspended (by the system, or the page in the background) its clock stands still and nothing
// more is wanted, and after it resumes the tone goes on where it was.
import workletUrl from './playback-worklet.ts?worker&url';

const kLeadSeconds = 0.2;
// At most this much is rendered at once, after the page was held up.
const kMostSeconds = 0.25;

export class TonePlayer {
  private context: AudioContext | null = null;
  private node: AudioWorkletNode | null = null;
  private sentFrames = 0;  // frames posted, counted on the context's clock from the node's start
  private startFrame = 0;

  // With capture set, the tone also goes to a MediaStreamAudioDestinationNode, whose stream is
  // published here (for measuring what the page plays).
  capture: { stream: MediaStream; context: AudioContext } | null = null;

  constructor(private readonly captureOutput = false) {
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'visible' && this.context?.state === 'suspended') void this.context.resume();
    });
  }

  // Called from the tap that starts a tone. False when the browser has no AudioWorklet.
  start(sampleRate: number): boolean {
    this.stop();
    let context: AudioContext;
    try {
      context = new AudioContext({ sampleRate, latencyHint: 'playback' });
    } catch (error) {
      console.warn(`The reference tone cannot play: ${String(error)}`);
      return false;
    }
    if (context.audioWorklet === undefined) {
      void context.close();
      return false;
    }
    this.context = context;
    void context.resume();
    context.audioWorklet.addModule(workletUrl).then(() => {
      if (this.context !== context) return;  // stopped meanwhile
      const node = new AudioWorkletNode(context, 'playback', { numberOfInputs: 0, outputChannelCount: [1] });
      node.connect(context.destination);
      if (this.captureOutput) {
        const destination = context.createMediaStreamDestination();
        node.connect(destination);
        this.capture = { stream: destination.stream, context };
      }
      this.node = node;
      this.startFrame = Math.floor(context.currentTime * sampleRate);
      this.sentFrames = 0;
    }, (error: unknown) => console.warn(`The reference tone cannot play: ${String(error)}`));
    return true;
  }

  // Frames to render now: none before the worklet runs or while the context stands still.
  wanted(): number {
    const context = this.context;
    if (context === null || this.node === null || context.state !== 'running') return 0;
    const played = Math.floor(context.currentTime * context.sampleRate) - this.startFrame;
    // The page was held up longer than the lead and the worklet ran dry: start again from now
    // rather than play late.
    if (this.sentFrames < played) this.sentFrames = played;
    const ahead = played + Math.ceil(kLeadSeconds * context.sampleRate) - this.sentFrames;
    return Math.max(0, Math.min(ahead, Math.ceil(kMostSeconds * context.sampleRate)));
  }

  // A block of the generator's samples (a view of the tuner's memory: copied before posting).
  play(samples: Float32Array): void {
    if (this.node === null) return;
    const block = samples.slice();
    this.sentFrames += block.length;
    this.node.port.postMessage(block, [block.buffer]);
  }

  stop(): void {
    this.node?.port.postMessage('clear');
    this.node?.disconnect();
    this.node = null;
    this.capture = null;
    if (this.context !== null) {
      void this.context.close();
      this.context = null;
    }
  }
}
