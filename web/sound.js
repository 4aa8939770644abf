// The device's sounds through Web Audio: the generated WAV files, each play on a voice of its own
// (sounds overlap, as on the desktop), and silence stopping every voice. A context may only start
// on a gesture, so the page makes one when the player presses Play.

const SAMPLE_FILES = ['Sound/GameOver.wav', 'Sound/Hit.wav', 'Sound/Missed.wav', 'Sound/Sonar.wav'];  // by Sample
export const SILENCE = 4;
export const REQUEST_NAMES = ['GameOver', 'Hit', 'Missed', 'Sonar', 'Silence'];

export class DeviceSound {
  constructor() {
    this.context = null;
    this.buffers = [];
    this.voices = new Set();
    // Every request the core made, heard or not, by name: what the page's test hook shows.
    this.counts = Object.fromEntries(REQUEST_NAMES.map((name) => [name, 0]));
    this.requests = [];
  }

  // Called from the gesture that starts the game; the sounds are decoded afterwards.
  async start() {
    const Context = globalThis.AudioContext ?? globalThis.webkitAudioContext;
    if (!Context) return;
    this.context = new Context();
    this.buffers = await Promise.all(SAMPLE_FILES.map((file) => this.decode(file)));
  }

  async decode(file) {
    try {
      const bytes = await (await fetch(file)).arrayBuffer();
      return await this.context.decodeAudioData(bytes);
    } catch {
      return null;  // a sound that cannot be read stays silent; the game goes on
    }
  }

  // request: a sample's number (GameOver, Hit, Missed, Sonar) or SILENCE.
  play(request) {
    const name = REQUEST_NAMES[request];
    if (name) {
      this.counts[name] += 1;
      if (this.requests.length < 10000) this.requests.push(name);
    }
    if (!this.context) return;
    if (request === SILENCE) {
      for (const voice of this.voices) voice.stop();
      this.voices.clear();
      return;
    }
    const buffer = this.buffers[request];
    if (!buffer) return;
    const voice = this.context.createBufferSource();
    voice.buffer = buffer;
    voice.connect(this.context.destination);
    voice.onended = () => this.voices.delete(voice);
    this.voices.add(voice);
    voice.start();
  }
}
