// Posts blocks of 2048 frames, as the tuner's worklet does.
class Capture extends AudioWorkletProcessor {
  constructor() {
    super();
    this.block = new Float32Array(2048);
    this.filled = 0;
  }

  process(inputs) {
    const channel = inputs[0]?.[0];
    if (channel === undefined) return true;
    for (let at = 0; at < channel.length;) {
      const n = Math.min(channel.length - at, this.block.length - this.filled);
      this.block.set(channel.subarray(at, at + n), this.filled);
      this.filled += n;
      at += n;
      if (this.filled === this.block.length) {
        this.port.postMessage(this.block, [this.block.buffer]);
        this.block = new Float32Array(2048);
        this.filled = 0;
      }
    }
    return true;
  }
}
registerProcessor('capture', Capture);
