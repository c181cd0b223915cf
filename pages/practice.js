// SPDX-License-Identifier: GPL-3.0-or-later
// The practice page bscx/post/<c>.html: the user writes the character stroke by stroke; a wrong
// stroke is refused, the expected one is hinted after repeated misses, and the end tells how
// many strokes were right the first time.
'use strict';

(() => {
  const missesBeforeHint = 3;
  const character = zibrin.characterOfPage();
  const status = document.getElementById('status');
  const restart = document.getElementById('restart');
  let writer = null;
  let strokeCount = 0;
  let data = null;
  let rightFirstTime = 0;

  function say(text, kind) {
    status.textContent = text;
    status.className = kind || '';
  }

  function start() {
    rightFirstTime = 0;
    say(`请写第 1 笔（共 ${strokeCount} 笔）。`);
    document.body.dataset.state = 'writing';
    writer.quiz({
      showHintAfterMisses: missesBeforeHint,
      onMistake: (stroke) => {
        const name = (data.strokeNames || [])[stroke.strokeNum];
        const shown = name ? `请照着提示写这一笔：${name}。` : '请照着提示的笔画写。';
        const hint = stroke.mistakesOnStroke >= missesBeforeHint ? shown : '再试一次。';
        say(`第 ${stroke.strokeNum + 1} 笔写得不对，${hint}`, 'mistake');
      },
      onCorrectStroke: (stroke) => {
        if (stroke.mistakesOnStroke === 0) rightFirstTime += 1;
        if (stroke.strokesRemaining > 0)
          say(`写对了。请写第 ${stroke.strokeNum + 2} 笔（共 ${strokeCount} 笔）。`, 'right');
      },
      onComplete: () => {
        say(`写完了！共 ${strokeCount} 笔，${rightFirstTime} 笔一次写对。`, 'done');
        document.body.dataset.state = 'done';
      },
    });
  }

  if (!character) {
    zibrin.showMessage('这个地址没有指明要练习的汉字。');
    return;
  }
  document.title = `练习写“${character}”`;
  document.getElementById('character').textContent = character;
  document.getElementById('animation').href = `../../bsdh/post/${encodeURIComponent(character)}.html`;

  zibrin.loadCharacter(character).then((loadedData) => {
    data = loadedData;
    strokeCount = data.strokes.length;
    document.getElementById('stroke-count').textContent = String(data.strokeCount || strokeCount);
    const size = zibrin.boxSize();
    const stage = document.getElementById('stage');
    stage.replaceChildren(zibrin.gridSvg(size));
    writer = HanziWriter.create(stage.firstChild, character, {
      width: size,
      height: size,
      padding: 10,
      showCharacter: false,
      showOutline: true,
      strokeColor: '#222',
      outlineColor: '#e4e4e4',
      highlightColor: '#e33',
      drawingColor: '#1565c0',
      drawingWidth: 6,
      charDataLoader: zibrin.charDataLoader,
    });
    restart.addEventListener('click', () => {
      writer.hideCharacter({ duration: 0 });
      start();
    });
    document.getElementById('content').hidden = false;
    start();
  }, () => {
    zibrin.showMessage(`没有“${character}”的笔顺数据。`);
  });
})();
