// The skin's pictures made ready to draw: a bitmap's bottom-left colour and the device's
// see-through colour become transparent, as the desktop program keys them out. On a dense screen
// the "@2x" twin of a picture is taken where there is one.

function loadImage(url) {
  return new Promise((resolve, reject) => {
    const image = new Image();
    image.onload = () => resolve(image);
    image.onerror = () => reject(new Error(`cannot load ${url}`));
    image.src = url;
  });
}

function denseName(file) {
  const dot = file.lastIndexOf('.');
  return dot < 0 ? `${file}@2x` : `${file.slice(0, dot)}@2x${file.slice(dot)}`;
}

function keyedOut(image, seeThrough, keyCorner) {
  const canvas = document.createElement('canvas');
  canvas.width = image.naturalWidth;
  canvas.height = image.naturalHeight;
  const context = canvas.getContext('2d', {willReadFrequently: true});
  context.drawImage(image, 0, 0);
  if (canvas.width === 0 || canvas.height === 0) return canvas;
  const pixels = context.getImageData(0, 0, canvas.width, canvas.height);
  const data = pixels.data;
  const cornerAt = (canvas.height - 1) * canvas.width * 4;
  const corner = keyCorner ? [data[cornerAt], data[cornerAt + 1], data[cornerAt + 2]] : null;
  const same = (i, c) => data[i] === c[0] && data[i + 1] === c[1] && data[i + 2] === c[2];
  for (let i = 0; i < data.length; i += 4)
    if (same(i, seeThrough) || (corner && same(i, corner))) data[i + 3] = 0;
  context.putImageData(pixels, 0, 0);
  return canvas;
}

// Each file once: {canvas, scale} where scale is 2 for an "@2x" picture.
export class Pictures {
  constructor(seeThrough, dense) {
    this.seeThrough = seeThrough;
    this.dense = dense;
    this.loaded = new Map();
    this.done = new Map();
  }

  get(file) {
    if (!this.loaded.has(file))
      this.loaded.set(file, this.load(file).then((picture) => (this.done.set(file, picture), picture)));
    return this.loaded.get(file);
  }

  // A picture already loaded, or undefined: for drawings that must happen at once.
  ready(file) {
    return this.done.get(file);
  }

  async load(file) {
    const keyCorner = /\.bmp$/i.test(file);
    if (this.dense) {
      try {
        return {canvas: keyedOut(await loadImage(denseName(file)), this.seeThrough, keyCorner), scale: 2};
      } catch {
        // no dense twin: the picture itself
      }
    }
    return {canvas: keyedOut(await loadImage(file), this.seeThrough, keyCorner), scale: 1};
  }
}
