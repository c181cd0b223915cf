// SPDX-License-Identifier: GPL-3.0-or-later
// The animation page bsdh/post/<c>.html: the character written stroke by stroke on the grid,
// replay and speed, stroke count and reading, and one step picture per stroke.
'use strict';

(() => {
  const padding = 10;
  const character = zibrin.characterOfPage();
  const stage = document.getElementById('stage');
  const speed = document.getElementById('speed');
  const stepText = document.getElementById('step-text');
  let writer = null; // the writer of the animation on show; null while a step picture is shown
  let unlisten = null; // removes the writer's listeners on the document
  let still = null;
  let data = null;

  // Makes a writer of the character in svg the page's writer. hanzi-writer has no way to free a
  // writer, and the listeners it sets on the document keep the writer and all it drew alive for
  // the page's life: they are noted as it adds them, so that stop() can remove them.
  function createWriter(svg, options) {
    const added = [];
    document.addEventListener = function (...args) {
      added.push(args);
      EventTarget.prototype.addEventListener.apply(this, args);
    };
    try {
      writer = HanziWriter.create(svg, character, options);
    } finally {
      delete document.addEventListener;
    }
    unlisten = () => added.forEach((args) => document.removeEventListener(...args));
    return writer;
  }

  // Ends the animation on show and frees its writer (its drawing goes with the stage's content).
  function stop() {
    if (!writer) return;
    writer.hideCharacter({ duration: 0 }); // cancels the animation under way
    unlisten();
    writer = null;
  }

  function animate() {
    const size = zibrin.boxSize();
    if (still) still.remove();
    still = null;
    stop();
    stage.replaceChildren(zibrin.gridSvg(size));
    const rate = Number(speed.value);
    const current = createWriter(stage.firstChild, {
      width: size,
      height: size,
      padding,
      showCharacter: false,
      strokeColor: '#222',
      outlineColor: '#ddd',
      strokeAnimationSpeed: rate,
      delayBetweenStrokes: 600 / rate,
      charDataLoader: zibrin.charDataLoader,
    });
    stepText.textContent = `共 ${data.strokes.length} 笔`;
    document.body.dataset.state = 'animating';
    nameStrokesOf(current);
    current.animateCharacter({
      onComplete: (result) => {
        // a replay or a step cancels the animation under way
        if (current === writer && !(result && result.canceled)) document.body.dataset.state = 'done';
      },
    });
  }

  // While `current` animates, the stroke it draws, named under the grid: the first stroke of its
  // main character not yet fully drawn (hanzi-writer's render state).
  function nameStrokesOf(current) {
    const tick = () => {
      if (current !== writer) return;
      const state = document.body.dataset.state;
      let strokes = null;
      try {
        strokes = current._renderState.state.character.main.strokes;
      } catch (e) {
        return;
      }
      if (state === 'done') {
        stepText.textContent = `共 ${data.strokes.length} 笔`;
        return;
      }
      const drawing = data.strokes.findIndex((_, i) => !strokes[i] || strokes[i].displayPortion < 1 || strokes[i].opacity < 1);
      if (drawing >= 0) stepText.textContent = `${zibrin.strokeCaption(data, drawing)}，共 ${data.strokes.length} 笔`;
      requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  }

  // Shows the character up to stroke `step` (from 0), that stroke in red.
  function showStep(step) {
    stop();
    still = zibrin.stepSvg(data, zibrin.boxSize(), step, padding);
    still.id = 'still';
    stage.replaceChildren(still);
    stepText.textContent = `${zibrin.strokeCaption(data, step)}，共 ${data.strokes.length} 笔`;
    document.body.dataset.state = `step ${step + 1}`;
  }

  if (!character) {
    zibrin.showMessage('这个地址没有指明要看的汉字。');
    return;
  }
  document.title = `“${character}”的笔顺动画`;
  document.getElementById('character').textContent = character;
  document.getElementById('practice').href = `../../bscx/post/${encodeURIComponent(character)}.html`;

  zibrin.loadCharacter(character).then((loadedData) => {
    data = loadedData;
    document.getElementById('stroke-count').textContent = String(data.strokeCount || data.strokes.length);
    document.getElementById('reading').textContent = data.reading || '—';
    const steps = document.getElementById('steps');
    data.strokes.forEach((_, i) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'step';
      button.title = zibrin.strokeCaption(data, i);
      button.setAttribute('aria-label', zibrin.strokeCaption(data, i));
      button.appendChild(zibrin.stepSvg(data, 56, i, 4));
      button.addEventListener('click', () => showStep(i));
      steps.appendChild(button);
    });
    document.getElementById('replay').addEventListener('click', animate);
    speed.addEventListener('change', animate);
    document.getElementById('content').hidden = false;
    animate();
  }, () => {
    zibrin.showMessage(`没有“${character}”的笔顺数据。`);
  });
})();
