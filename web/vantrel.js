// The main window's behaviour: the four number boxes, 开始计算 and 重新计算,
// the result list, and the Readme window. Also keeps the site for use offline.

import { loadSolve } from './solve.js';

const solveReady = loadSolve();
// The engine compiles the solver's code on its first run: run it once while
// the page is idle, so that the first click answers at once.
solveReady.then((solve) => setTimeout(() => solve(['1', '2', '3', '4']), 0), () => {});

const byId = (id) => document.getElementById(id);
const boxes = ['编辑框a', '编辑框b', '编辑框c', '编辑框d'].map(byId);
const list = byId('结果列表框');
const listNote = byId('结果说明');
const status = byId('结果播报');
const readme = byId('readme窗口');

// A number box takes digits only, two at most (its maxlength), and selects its
// whole text whenever it gains the focus, so that typing replaces the old
// number. A click would place the cursor after the focus selected the text:
// the selection waits for the click then.
function makeNumberBox(box) {
  let focusedByPointer = false;
  const selectForTyping = () => {
    if (box.value !== '') box.select();
  };
  box.addEventListener('beforeinput', (event) => {
    const text = event.data ?? event.dataTransfer?.getData('text/plain') ?? null;
    if (text !== null && /[^0-9]/.test(text)) event.preventDefault();
  });
  // What beforeinput cannot refuse, such as text composed with an input method.
  box.addEventListener('input', () => {
    const digits = box.value.replace(/[^0-9]/g, '').slice(0, 2);
    if (digits !== box.value) box.value = digits;
  });
  box.addEventListener('pointerdown', () => {
    focusedByPointer = document.activeElement !== box;
  });
  box.addEventListener('focus', () => {
    if (!focusedByPointer) selectForTyping();
  });
  box.addEventListener('click', () => {
    if (focusedByPointer) selectForTyping();
    focusedByPointer = false;
  });
  box.addEventListener('blur', () => {
    focusedByPointer = false;
  });
}

// The result list: one option per line. Arrow keys, Page Up and Down, Home and
// End move the selected line, as in the desktop's list box; so does a click.
// Its description says what the lines are; a single line, a message, says
// that itself.
function showLines(lines) {
  if (lines.length === 1) {
    list.removeAttribute('aria-describedby');
  } else {
    listNote.textContent =
      lines.length === 0 ? '还没有计算结果' : '每行一种算法，最后一行是算法的总数';
    list.setAttribute('aria-describedby', listNote.id);
  }
  list.replaceChildren(
    ...lines.map((line, i) => {
      const option = document.createElement('li');
      option.id = `结果${i + 1}`;
      option.setAttribute('role', 'option');
      option.setAttribute('aria-selected', 'false');
      option.textContent = line;
      return option;
    }),
  );
  list.removeAttribute('aria-activedescendant');
  list.scrollTop = 0;
}

function selectLine(option) {
  if (option === null) return;
  const current = list.querySelector('[aria-selected="true"]');
  if (current !== null) current.setAttribute('aria-selected', 'false');
  option.setAttribute('aria-selected', 'true');
  list.setAttribute('aria-activedescendant', option.id);
  option.scrollIntoView({ block: 'nearest' });
}

list.addEventListener('keydown', (event) => {
  const options = [...list.children];
  if (options.length === 0) return;
  const current = options.findIndex((option) => option.getAttribute('aria-selected') === 'true');
  const page = Math.max(1, Math.floor(list.clientHeight / options[0].offsetHeight) - 1);
  const moves = {
    ArrowDown: current + 1,
    ArrowUp: current < 0 ? 0 : current - 1,
    PageDown: current + page,
    PageUp: current - page,
    Home: 0,
    End: options.length - 1,
  };
  if (!(event.key in moves)) return;
  event.preventDefault();
  selectLine(options[Math.min(Math.max(moves[event.key], 0), options.length - 1)]);
});

list.addEventListener('click', (event) => {
  selectLine(event.target.closest('#结果列表框 > li'));
});

async function calculate() {
  let result;
  try {
    const solve = await solveReady;
    result = solve(boxes.map((box) => box.value));
  } catch (error) {
    showLines([`计算程序未能载入：${error.message ?? error}`]);
    return;
  }
  showLines(result.lines);
  if (result.inputMissing) boxes[0].focus();
  // Emptied first, so that the same line twice is spoken twice.
  const outcome = result.lines.at(-1);
  status.textContent = '';
  setTimeout(() => {
    status.textContent = outcome;
  }, 50);
}

function reset() {
  for (const box of boxes) box.value = '';
  showLines([]);
  status.textContent = '';
  boxes[0].focus();
}

boxes.forEach(makeNumberBox);
byId('计算按钮').addEventListener('click', calculate);
byId('重新按钮').addEventListener('click', reset);
byId('readme按钮').addEventListener('click', () => readme.showModal());
byId('关闭按钮').addEventListener('click', () => readme.close());

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch((error) => {
    console.warn('Vantrel will not open offline:', error);
  });
}
