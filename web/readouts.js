// What the device shows, as the texts a screen reader is given (the desktop program's words),
// in live regions that are told only when their text changes.
import {CELLS} from './device.js';

const cellText = (i) => `column ${Math.floor(i / 3) + 1}, row ${(i % 3) + 1}`;

export function scoreText(core) {
  if (!core.powerOn()) return 'off';
  const number = core.panelNumber();
  return number < 0 ? 'Score blank' : `Score ${number}`;
}

export function playfieldText(core) {
  if (!core.powerOn()) return 'off';
  const parts = [];
  for (let i = 0; i < CELLS; i++) if (core.shipLit(i)) parts.push(`ship at ${cellText(i)}`);
  for (let i = 0; i < CELLS; i++) if (core.torpedoLit(i)) parts.push(`torpedo at ${cellText(i)}`);
  return parts.length ? parts.join('; ') : 'dark';
}

export function updateReadouts(core, score, playfield) {
  const texts = [
    [score, scoreText(core)],
    [playfield, playfieldText(core)],
  ];
  for (const [element, text] of texts) if (element.textContent !== text) element.textContent = text;
}
