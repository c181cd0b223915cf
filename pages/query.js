// SPDX-License-Identifier: GPL-3.0-or-later
// The query page bscx/index.html: the user types or pastes characters; one character that has
// pages goes straight to its practice page, several get a line each with links to their pages,
// and a character without pages says so.
'use strict';

let zibrinKnown = new Set();
function zibrinCharacters(list) {
  zibrinKnown = new Set(Array.from(list[0]));
}

(() => {
  const form = document.getElementById('query');
  const input = document.getElementById('text');
  const results = document.getElementById('results');
  const message = document.getElementById('message');

  function link(href, text) {
    const a = document.createElement('a');
    a.href = href;
    a.textContent = text;
    return a;
  }

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const characters = Array.from(new Set(Array.from(input.value).filter((c) => c.trim() !== '')));
    results.replaceChildren();
    message.hidden = true;
    if (characters.length === 0) {
      message.textContent = '请先输入要查询的汉字。';
      message.hidden = false;
      return;
    }
    if (characters.length === 1 && zibrinKnown.has(characters[0])) {
      location.href = `post/${encodeURIComponent(characters[0])}.html`;
      return;
    }
    for (const c of characters) {
      const item = document.createElement('li');
      const name = document.createElement('span');
      name.className = 'character';
      name.textContent = c;
      item.appendChild(name);
      if (zibrinKnown.has(c)) {
        item.append(link(`post/${encodeURIComponent(c)}.html`, '练习笔顺'), ' ',
          link(`../bsdh/post/${encodeURIComponent(c)}.html`, '笔顺动画'));
      } else {
        item.append(`没有“${c}”的笔顺页面。`);
        item.className = 'missing';
      }
      results.appendChild(item);
    }
  });
  input.focus();
})();
