// The WebAssembly tuner's module (emscripten, ES module), as the page uses it.
declare module '@tuner' {
  import type { PageStorage } from './storage';
  import type { TonePlayer } from './tone-player';
  import type { PageAlerts, PageNetwork } from './rating';
  export interface ElementState {
    hidden?: boolean;
    text?: string;
    image?: string | null;
    title?: string;
    cents?: number;
    string?: number;
    far?: boolean;
    cue?: 'up' | 'down' | 'none';
    gapCents?: number;
    beatsPerSecond?: number;
    inUnison?: boolean;
  }
  export interface WebTuner {
    layout(): string;
    idiom(): number;
    startInput(sampleRate: number): boolean;
    deliver(samples: Float32Array): void;
    inputLost(): void;
    showPreviousTuning(): void;
    showNextTuning(): void;
    playReferenceTone(stringIndex: number): void;
    stopTone(): void;
    tonePlaying(): boolean;
    precise(): boolean;
    setPrecise(precise: boolean): void;
    stepConcertPitch(steps: number): void;
    listenForA(): void;
    toggleLock(stringIndex: number): void;
    toggleUnisonCheck(): void;
    lockedString(): number;
    alertChosen(id: number, buttonIndex: number): void;
    resignActive(): void;
    links(): { action: string; label: string }[];
    openLink(action: string): boolean;
    text(id: string): string;
    setOnChange(callback: () => void): void;
    summary(): string;
    elements(): Record<string, ElementState>;
  }
  export interface TunerModule {
    WebTuner: new (config: {
      screenWidth: number;
      screenHeight: number;
      idiom?: number;
      pictures: string[];
      texts: Record<string, string>;
      storage: PageStorage;
      tonePlayer: TonePlayer;
      systemVersion: string;
      storeSchemeHandled: boolean;
      network: PageNetwork;
      alerts: PageAlerts;
      probeUrl: string;
    }) => WebTuner;
  }
  const createTunerModule: () => Promise<TunerModule>;
  export default createTunerModule;
}
