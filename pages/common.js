// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the stroke-order pages: the character that a page's address names, loading the
// character's data script, the 米字格 grid and still pictures of the strokes. The pages are read
// from file:// addresses, where scripts load but JSON cannot be fetched: each character's data is
// a script, data/<code point in hex>.js, that calls zibrinCharacterData(data).
'use strict';

const zibrin = (() => {
  const svgNamespace = 'http://www.w3.org/2000/svg';
  const waiting = new Map(); // character -> resolve of its loading
  const loaded = new Map(); // character -> promise of its data

  window.zibrinCharacterData = (data) => {
    const resolve = waiting.get(data.character);
    waiting.delete(data.character);
    if (resolve) resolve(data);
  };

  // The character of a page .../post/<c>.html, or null when the name is not one character.
  function characterOfPage() {
    let name;
    try {
      name = decodeURIComponent(location.pathname.split('/').pop());
    } catch (e) {
      return null;
    }
    const character = name.replace(/\.html$/, '');
    return Array.from(character).length === 1 ? character : null;
  }

  // The data of a character, loaded once; root is the address of the strokeorder folder.
  function loadCharacter(character, root = '../../') {
    if (!loaded.has(character)) {
      loaded.set(character, new Promise((resolve, reject) => {
        waiting.set(character, resolve);
        const script = document.createElement('script');
        script.src = `${root}data/${character.codePointAt(0).toString(16)}.js`;
        script.onerror = () => {
          waiting.delete(character);
          reject(new Error(`no data for ${character}`));
        };
        document.head.appendChild(script);
      }));
    }
    return loaded.get(character);
  }

  // hanzi-writer's loader: the same data script.
  function charDataLoader(character, onLoad, onError) {
    loadCharacter(character).then(onLoad, onError);
  }

  function element(name, attributes = {}) {
    const node = document.createElementNS(svgNamespace, name);
    for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
    return node;
  }

  // An SVG of size x size pixels with the 米字格 grid: a frame, the two middle lines and the two
  // diagonals, dashed.
  function gridSvg(size) {
    const svg = element('svg', { width: size, height: size, viewBox: `0 0 ${size} ${size}`, class: 'grid' });
    const m = size / 2;
    const lines = [[0, 0, size, size], [size, 0, 0, size], [m, 0, m, size], [0, m, size, m]];
    for (const [x1, y1, x2, y2] of lines) svg.appendChild(element('line', { x1, y1, x2, y2, class: 'grid-line' }));
    svg.appendChild(element('rect', { x: 0.5, y: 0.5, width: size - 1, height: size - 1, class: 'grid-frame' }));
    return svg;
  }

  // The grid with the strokes 0..upTo drawn, stroke upTo in red and the later ones in light grey.
  function stepSvg(data, size, upTo, padding) {
    const svg = gridSvg(size);
    const group = element('g', { transform: HanziWriter.getScalingTransform(size, size, padding).transform });
    data.strokes.forEach((path, i) => {
      const kind = i < upTo ? 'written' : i === upTo ? 'current' : 'pending';
      group.appendChild(element('path', { d: path, class: `stroke ${kind}` }));
    });
    svg.appendChild(group);
    return svg;
  }

  // "第 3 笔：横折钩", the stroke's number (from 0) and name; the number alone where the data
  // name no stroke.
  function strokeCaption(data, stroke) {
    const name = (data.strokeNames || [])[stroke];
    return name ? `第 ${stroke + 1} 笔：${name}` : `第 ${stroke + 1} 笔`;
  }

  // The side of the writing box: 300 pixels, less on a narrow screen.
  function boxSize() {
    return Math.max(160, Math.min(300, document.documentElement.clientWidth - 48));
  }

  function showMessage(text) {
    const message = document.getElementById('message');
    message.textContent = text;
    message.hidden = false;
  }

  return { characterOfPage, loadCharacter, charDataLoader, gridSvg, stepSvg, strokeCaption, boxSize, showMessage };
})();
