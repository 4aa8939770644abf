// Turns the skin's uncompressed bitmaps into PNG for the web edition, keyed out as the page keys a
// bitmap (its bottom-left colour and the see-through colour become transparent), and points the
// served Config.ini at them: the body picture alone is a megabyte as a bitmap.
// Usage: node bmp_to_png.mjs <skin folder> <Config.ini>
import {readFileSync, readdirSync, rmSync, writeFileSync} from 'node:fs';
import {join} from 'node:path';
import {deflateSync} from 'node:zlib';

const [skin, config] = process.argv.slice(2);

const CRC_TABLE = Array.from({length: 256}, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'latin1');
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, crc]);
}

// [red, green, blue] of Config.ini's TranspColor ($00BBGGRR), as the page reads it.
function seeThrough(text) {
  const match = /^\s*TranspColor\s*=\s*\$([0-9a-f]+)\s*$/im.exec(text);
  const value = match ? parseInt(match[1], 16) : 0xff00ff;
  return [value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff];
}

// A 24-bit uncompressed bitmap as RGBA rows, top row first; null for any other kind.
function readBitmap(bytes) {
  if (bytes.toString('latin1', 0, 2) !== 'BM') return null;
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const height = bytes.readInt32LE(22);
  if (bytes.readUInt16LE(28) !== 24 || bytes.readUInt32LE(30) !== 0 || width <= 0 || height === 0) return null;
  const rows = Math.abs(height);
  const stride = Math.ceil((width * 3) / 4) * 4;
  if (offset + stride * rows > bytes.length) return null;
  const rgba = Buffer.alloc(width * rows * 4);
  for (let y = 0; y < rows; y++) {
    const from = offset + stride * (height > 0 ? rows - 1 - y : y);
    for (let x = 0; x < width; x++) {
      const at = (y * width + x) * 4;
      rgba[at] = bytes[from + x * 3 + 2];
      rgba[at + 1] = bytes[from + x * 3 + 1];
      rgba[at + 2] = bytes[from + x * 3];
      rgba[at + 3] = 255;
    }
  }
  return {width, height: rows, rgba};
}

function keyOut({width, height, rgba}, key) {
  const corner = (height - 1) * width * 4;
  const colours = [key, [rgba[corner], rgba[corner + 1], rgba[corner + 2]]];
  for (let i = 0; i < rgba.length; i += 4)
    if (colours.some((c) => rgba[i] === c[0] && rgba[i + 1] === c[1] && rgba[i + 2] === c[2])) rgba[i + 3] = 0;
}

function png({width, height, rgba}) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 6, 0, 0, 0], 8);  // 8 bits, RGBA
  const line = width * 4;
  const raw = Buffer.alloc((line + 1) * height);
  for (let y = 0; y < height; y++) {
    // Filter "up": rows of a drawn device repeat their neighbours.
    raw[y * (line + 1)] = 2;
    for (let i = 0; i < line; i++) {
      const above = y > 0 ? rgba[(y - 1) * line + i] : 0;
      raw[y * (line + 1) + 1 + i] = (rgba[y * line + i] - above) & 0xff;
    }
  }
  const signature = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);
  return Buffer.concat([signature, chunk('IHDR', header), chunk('IDAT', deflateSync(raw, {level: 9})),
                        chunk('IEND', Buffer.alloc(0))]);
}

let ini = readFileSync(config, 'latin1');
const key = seeThrough(ini);
for (const name of readdirSync(skin)) {
  if (!/\.bmp$/i.test(name)) continue;
  const picture = readBitmap(readFileSync(join(skin, name)));
  if (!picture) continue;
  keyOut(picture, key);
  const pngName = name.replace(/\.bmp$/i, '.png');
  writeFileSync(join(skin, pngName), png(picture));
  rmSync(join(skin, name));
  const plain = name.replace(/@2x(?=\.bmp$)/i, '');
  if (plain === name) ini = ini.replace(new RegExp(`^(\\s*Filename\\s*=\\s*)${name.replace('.', '\\.')}\\s*$`, 'gim'), `$1${pngName}`);
}
writeFileSync(config, ini, 'latin1');
