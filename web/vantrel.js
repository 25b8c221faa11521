// The main window's behaviour: the four number boxes, 开始计算 and 重新计算,
// the result list, and the Readme window; the section below it for another
// target, more numbers and the distinct solutions. Also keeps the site for
// use offline.

import { loadEngines } from './solve.js';

const enginesReady = loadEngines();
// The browser compiles the solver's code on its first run: run it once while
// the page is idle, so that the first click answers at once.
enginesReady.then(({ solve }) => setTimeout(() => solve(['1', '2', '3', '4']), 0), () => {});

const byId = (id) => document.getElementById(id);
const boxes = ['编辑框a', '编辑框b', '编辑框c', '编辑框d'].map(byId);
const list = byId('结果列表框');
const listNote = byId('结果说明');
const status = byId('结果播报');
const readme = byId('readme窗口');
const more = byId('更多');
const target = byId('目标框');
const extraBoxes = ['编辑框e', '编辑框f', '编辑框g'].map(byId);
const distinctBox = byId('不同选择框');
const kMissingInput = '请输入4个数字！';

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

// Shows the lines, and has a screen reader say the last one where the focus
// is. Emptied first, so that the same line twice is spoken twice.
function showOutcome(lines) {
  showLines(lines);
  const outcome = lines.at(-1);
  status.textContent = '';
  setTimeout(() => {
    status.textContent = outcome;
  }, 50);
}

// The section below the window. While its target is 24, it gives no more
// numbers and its check box is off, 开始计算 is the window's solve command;
// otherwise it lists the distinct solutions.
const targetText = () => target.value.trim() || '24';
const extraNumbers = () => extraBoxes.filter((box) => box.value.trim() !== '');
const sectionInUse = () =>
  targetText() !== '24' || extraNumbers().length > 0 || distinctBox.checked;

// What the section holds is kept on this device.
const settingsKey = 'vantrel.more';

function saveSettings() {
  const settings = {
    open: more.open,
    target: target.value,
    numbers: extraBoxes.map((box) => box.value),
    distinct: distinctBox.checked,
  };
  try {
    localStorage.setItem(settingsKey, JSON.stringify(settings));
  } catch {
    // No storage here (a private window, or storage turned off): not kept.
  }
}

// Settings in use are never out of sight: the section opens.
function restoreSettings() {
  let settings = null;
  try {
    settings = JSON.parse(localStorage.getItem(settingsKey));
  } catch {
    return;
  }
  if (typeof settings !== 'object' || settings === null) return;
  const text = (value) => (typeof value === 'string' ? value : '');
  target.value = text(settings.target);
  extraBoxes.forEach((box, i) => {
    box.value = text(Array.isArray(settings.numbers) ? settings.numbers[i] : '');
  });
  distinctBox.checked = settings.distinct === true;
  more.open = settings.open === true || sectionInUse();
}

// Why a text of the section is not a number the engine takes, or null.
function numberMessage(box, problem, maxDigits) {
  const name = box === target ? '目标' : box.getAttribute('aria-label');
  switch (problem) {
    case null: return null;
    case 'tooLong': return `${name}的位数太多了（最多${maxDigits}位）！`;
    case 'zeroDenominator': return `${name}的分母是0！`;
    default: return `${name}不是一个数！`;
  }
}

let solveCount = 0;  // a newer solve or a reset ends one that waits

async function solveDistinct(engines) {
  if (boxes.some((box) => box.value === '')) {
    showOutcome([kMissingInput]);
    boxes[0].focus();
    return;
  }
  for (const box of [target, ...extraNumbers()]) {
    const text = box === target ? targetText() : box.value;
    const message = numberMessage(box, engines.checkNumber(text), engines.maxDigits);
    if (message !== null) {
      more.open = true;
      box.setAttribute('aria-invalid', 'true');
      showOutcome([message]);
      box.focus();
      box.select();
      return;
    }
  }
  const hand = [...boxes, ...extraNumbers()].map((box) => box.value);
  // Six numbers or seven may take a moment: say so first, and let it show.
  if (hand.length >= 6) {
    const count = ++solveCount;
    showLines(['正在计算……']);
    list.setAttribute('aria-busy', 'true');
    await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
    list.removeAttribute('aria-busy');
    if (count !== solveCount) return;
  }
  const solutions = engines.solveDistinct(hand, targetText());
  showOutcome(solutions.length === 0
    ? ['电脑我也算不出啦：（']
    : [...solutions, `共有${solutions.length}种不同的算法！`]);
}

async function calculate() {
  ++solveCount;
  let engines;
  try {
    engines = await enginesReady;
  } catch (error) {
    showLines([`计算程序未能载入：${error.message ?? error}`]);
    return;
  }
  try {
    if (sectionInUse()) {
      await solveDistinct(engines);
      return;
    }
    const result = engines.solve(boxes.map((box) => box.value));
    showOutcome(result.lines);
    if (result.inputMissing) boxes[0].focus();
  } catch (error) {
    showOutcome([`计算出错了：${error.message ?? error}`]);
  }
}

function reset() {
  ++solveCount;
  for (const box of boxes) box.value = '';
  showLines([]);
  status.textContent = '';
  boxes[0].focus();
}

boxes.forEach(makeNumberBox);
restoreSettings();
more.addEventListener('toggle', saveSettings);
distinctBox.addEventListener('change', saveSettings);
for (const box of [target, ...extraBoxes]) {
  for (const change of ['input', 'change']) {
    box.addEventListener(change, () => {
      box.removeAttribute('aria-invalid');
      saveSettings();
    });
  }
}
byId('计算按钮').addEventListener('click', calculate);
byId('重新按钮').addEventListener('click', reset);
byId('readme按钮').addEventListener('click', () => readme.showModal());
byId('关闭按钮').addEventListener('click', () => readme.close());

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch((error) => {
    console.warn('Vantrel will not open offline:', error);
  });
}
