// The audio thread's part of the reference tones: plays the blocks of samples the main thread
// posts, in order, and silence when none is waiting. The samples are the tone generator's own
// render output; nothing is synthesised here. A message that is not a block ('clear') drops
// what is waiting.
class PlaybackProcessor extends AudioWorkletProcessor {
  private queue: Float32Array[] = [];
  private at = 0;  // frames of queue[0] already played

  constructor() {
    super();
    this.port.onmessage = (event: MessageEvent<Float32Array | string>) => {
      if (typeof event.data === 'string') {
        this.queue = [];
        this.at = 0;
      } else {
        this.queue.push(event.data);
      }
    };
  }

  process(_inputs: Float32Array[][], outputs: Float32Array[][]): boolean {
    const out = outputs[0][0];
    let filled = 0;
    while (filled < out.length && this.queue.length > 0) {
      const block = this.queue[0];
      const n = Math.min(out.length - filled, block.length - this.at);
      out.set(block.subarray(this.at, this.at + n), filled);
      filled += n;
      this.at += n;
      if (this.at === block.length) {
        this.queue.shift();
        this.at = 0;
      }
    }
    out.fill(0, filled);
    return true;
  }
}

registerProcessor('playback', PlaybackProcessor);
