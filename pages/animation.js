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
    current.animateCharacter({
      onComplete: (result) => {
        // a replay or a step cancels the animation under way
        if (current === writer && !(result && result.canceled)) document.body.dataset.state = 'done';
      },
    });
  }

  // Shows the character up to stroke `step` (from 0), that stroke in red.
  function showStep(step) {
    stop();
    still = zibrin.stepSvg(data, zibrin.boxSize(), step, padding);
    still.id = 'still';
    stage.replaceChildren(still);
    stepText.textContent = `第 ${step + 1} 笔，共 ${data.strokes.length} 笔`;
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
      button.title = `第 ${i + 1} 笔`;
      button.setAttribute('aria-label', `第 ${i + 1} 笔`);
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
