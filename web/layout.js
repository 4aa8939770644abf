// The device's geometry, read from the delivered Config.ini as the desktop program reads it: the
// same sections and keys, the same defaults, folders written with either separator.

const SKIN_IMAGE_COUNT = 52;

// Sections and keys by lower-case name; the first of a repeated section or key counts.
export function parseIni(text) {
  const sections = new Map();
  let current = null;
  for (const raw of text.split(/\r?\n/)) {
    const line = raw.trim();
    if (line === '' || line.startsWith(';')) continue;
    const header = /^\[(.*)\]$/.exec(line);
    if (header) {
      const name = header[1].trim().toLowerCase();
      current = sections.has(name) ? null : new Map();
      if (current) sections.set(name, current);
      continue;
    }
    const equals = line.indexOf('=');
    if (!current || equals < 0) continue;
    const key = line.slice(0, equals).trim().toLowerCase();
    if (!current.has(key)) current.set(key, line.slice(equals + 1).trim());
  }
  return sections;
}

// A number as Config.ini writes one: decimal, or hexadecimal after "$"; null when it is none.
export function parseNumber(text) {
  if (text === undefined) return null;
  const hex = /^\$([0-9a-f]+)$/i.exec(text);
  if (hex) return parseInt(hex[1], 16) >>> 0;
  return /^[+-]?\d+$/.test(text) ? parseInt(text, 10) : null;
}

function read(ini, section, key) {
  return ini.get(section.toLowerCase())?.get(key.toLowerCase());
}

function integer(ini, section, key, fallback) {
  return parseNumber(read(ini, section, key)) ?? fallback;
}

// A folder and a file name joined, with backslashes turned into slashes.
function joined(folder, file) {
  const path = folder.replaceAll('\\', '/');
  return (path === '' || path.endsWith('/') ? path : path + '/') + file.replaceAll('\\', '/');
}

// Colours are $00BBGGRR; the result is [red, green, blue].
function colour(ini, section, key, fallback) {
  const value = parseNumber(read(ini, section, key) ?? fallback) ?? parseNumber(fallback);
  return [value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff];
}

// A file of a folder key's folder, or null where the file key is missing, empty or "nil".
function folderFile(ini, section, folderKey, folderDefault, fileKey) {
  const file = read(ini, section, fileKey) ?? '';
  if (file === '' || file.toLowerCase() === 'nil') return null;
  return joined(read(ini, section, folderKey) ?? folderDefault, file);
}

// An offset of [Fullscreen]: a number other than 0, or null for the middle of the screen
// ("Center", any word, an empty value or 0).
function offset(ini, key) {
  const number = parseNumber(read(ini, 'Fullscreen', key) ?? 'Center');
  return number ? number : null;
}

// How fullscreen shows the device, as [Fullscreen] describes it.
export function readFullscreen(text) {
  const ini = typeof text === 'string' ? parseIni(text) : text;
  return {
    colour: colour(ini, 'Fullscreen', 'BgColor', '$00000000'),
    backdrop: folderFile(ini, 'Fullscreen', 'BackdropDir', 'Graphics\\Backdrop\\', 'BackdropFile'),
    stretch: integer(ini, 'Fullscreen', 'BackdropStretch', 0) === 1,
    offsetX: offset(ini, 'GameOffsetX'),
    offsetY: offset(ini, 'GameOffsetY'),
    logo: folderFile(ini, 'Fullscreen', 'BackdropDir', 'Graphics\\Backdrop\\', 'LogoFile'),
    logoPosition: integer(ini, 'Fullscreen', 'LogoPosition', 1),
  };
}

// The manual's folder and page size, as [Manual] gives them.
export function readManual(text) {
  const ini = typeof text === 'string' ? parseIni(text) : text;
  const folder = (read(ini, 'Manual', 'ManualDir') ?? 'Graphics\\Manual\\').replaceAll('\\', '/');
  return {
    folder: folder === '' || folder.endsWith('/') ? folder : `${folder}/`,
    width: integer(ini, 'Manual', 'ManualWidth', 480),
    height: integer(ini, 'Manual', 'ManualHeight', 660),
  };
}

// The layout the page draws: the device's size, its see-through colour, and image section n as
// images[n] = {file, left, top, width, height} (file null where the section names none).
export function readLayout(text) {
  const ini = parseIni(text);
  const skinDir = read(ini, 'Common', 'SkinDir') ?? 'Graphics\\Skin\\';
  const images = [null];
  for (let n = 1; n <= SKIN_IMAGE_COUNT; n++) {
    const section = `Image${n}`;
    const file = read(ini, section, 'Filename') ?? '';
    images.push({
      file: file === '' || file.toLowerCase() === 'nil' ? null : joined(skinDir, file),
      left: integer(ini, section, 'Left', 0),
      top: integer(ini, section, 'Top', 0),
      width: Math.max(0, integer(ini, section, 'Width', 0)),
      height: Math.max(0, integer(ini, section, 'Height', 0)),
    });
  }
  return {
    width: integer(ini, 'Common', 'GameWidth', 435),
    height: integer(ini, 'Common', 'GameHeight', 760),
    seeThrough: colour(ini, 'VideoMode', 'TranspColor', '$00ff00ff'),
    images,
    fullscreen: readFullscreen(ini),
    manual: readManual(ini),
  };
}
