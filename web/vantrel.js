// The main window's behaviour: the four number boxes, 开始计算 and 重新计算,
// the result list, and the Readme window; the section below it for another
// target, more numbers and the distinct solutions; the page's language; the
// two views, the window and practice (#practice, practice.js). Also keeps the
// site for use offline.

import { startEngines, superseded } from './engines.js';
import { startPractice } from './practice.js';
import { recall, recallObject, remember } from './storage.js';
import { catalogues, distinctLines, pickLanguage, solveLines } from './texts.js';

// The engines answer from a worker of their own: the page waits for their
// answers, never for the solving itself.
const engines = startEngines();
// The browser compiles the solver's code on its first run: run it once as
// soon as the engines are there, so that the first click answers at once.
engines.ready.then(() => engines.call('solve', ['1', '2', '3', '4'])).catch(() => {});

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
const languageChoice = byId('语言选择');

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

// The page's language: the one chosen on this device, or the one the
// browser's languages ask for.
const languageKey = 'vantrel.language';
let language = 'zh-CN';
let texts = catalogues[language];
// What the result list shows, as lines in a given language (the result list
// follows a change of language).
let shown = () => [];

function useLanguage(name) {
  language = name;
  texts = catalogues[name];
  document.documentElement.lang = name;
  for (const element of document.querySelectorAll('[data-text]')) {
    element.textContent = texts[element.dataset.text];
  }
  for (const element of document.querySelectorAll('[data-label]')) {
    element.setAttribute('aria-label', texts[element.dataset.label]);
  }
  for (const element of document.querySelectorAll('[data-title]')) {
    element.title = texts[element.dataset.title];
  }
  for (const element of document.querySelectorAll('[data-placeholder]')) {
    element.placeholder = texts[element.dataset.placeholder];
  }
  document.querySelector('meta[name="description"]').content = texts.description;
  // What a browser installs the page as, in the same language.
  const manifest = document.querySelector('link[rel="manifest"]');
  const file = name === 'zh-CN' ? 'manifest.webmanifest' : `manifest-${name}.webmanifest`;
  if (manifest.getAttribute('href') !== file) manifest.setAttribute('href', file);
  languageChoice.value = name;
  const lines = shown(texts);
  describeList(lines.length);
  [...list.children].forEach((option, i) => {
    option.textContent = lines[i];
  });
  practice.useTexts(texts);
  showTitle();
}

// The result list: one option per line. Arrow keys, Page Up and Down, Home and
// End move the selected line, as in the desktop's list box; so does a click.
// Its description says what the lines are; a single line, a message, says
// that itself.
function describeList(lineCount) {
  if (lineCount === 1) {
    list.removeAttribute('aria-describedby');
  } else {
    listNote.textContent = lineCount === 0 ? texts.noResults : texts.resultsNote;
    list.setAttribute('aria-describedby', listNote.id);
  }
}

// Shows the lines that render gives for a catalogue of texts.
function showLines(render) {
  shown = render;
  list.removeAttribute('aria-busy');
  const lines = render(texts);
  describeList(lines.length);
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
function showOutcome(render) {
  showLines(render);
  const outcome = render(texts).at(-1);
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
  remember(settingsKey, JSON.stringify({
    open: more.open,
    target: target.value,
    numbers: extraBoxes.map((box) => box.value),
    distinct: distinctBox.checked,
  }));
}

// Settings in use are never out of sight: the section opens.
function restoreSettings() {
  const settings = recallObject(settingsKey);
  if (settings === null) return;
  const text = (value) => (typeof value === 'string' ? value : '');
  target.value = text(settings.target);
  extraBoxes.forEach((box, i) => {
    box.value = text(Array.isArray(settings.numbers) ? settings.numbers[i] : '');
  });
  distinctBox.checked = settings.distinct === true;
  more.open = settings.open === true || sectionInUse();
}

// Why a text of the section is not a number the engine takes, as a line for
// a catalogue of texts, or null.
function numberMessage(box, problem, maxDigits) {
  const name = box === target ? 'target' : box.dataset.label;
  switch (problem) {
    case null: return null;
    case 'tooLong': return (catalogue) => [catalogue.tooLong(name, maxDigits)];
    case 'zeroDenominator': return (catalogue) => [catalogue.zeroDenominator(name)];
    default: return (catalogue) => [catalogue.malformed(name)];
  }
}

// A newer solve or a reset ends one that waits for the engines: count is
// the solve's number, and only the newest shows its answer.
let solveCount = 0;

async function solveDistinct(count, maxDigits) {
  if (boxes.some((box) => box.value === '')) {
    showOutcome((catalogue) => [catalogue.missingInput]);
    boxes[0].focus();
    return;
  }
  // The texts as they were at the click.
  const checked = [target, ...extraNumbers()];
  const texts = checked.map((box) => (box === target ? targetText() : box.value));
  const hand = [...boxes, ...extraNumbers()].map((box) => box.value);
  const problems = await Promise.all(texts.map((text) => engines.call('checkNumber', text)));
  if (count !== solveCount) return;
  const wrong = problems.findIndex((problem) => problem !== null);
  if (wrong >= 0) {
    const box = checked[wrong];
    more.open = true;
    box.setAttribute('aria-invalid', 'true');
    showOutcome(numberMessage(box, problems[wrong], maxDigits));
    box.focus();
    box.select();
    return;
  }
  // Six numbers or seven may take a moment: say so while the engine works.
  if (hand.length >= 6) {
    showLines((catalogue) => [catalogue.calculating]);
    list.setAttribute('aria-busy', 'true');
  }
  const goal = texts[0];
  const solutions = await engines.latest('results', 'solveDistinct', hand, goal);
  if (solutions === superseded || count !== solveCount) return;
  showOutcome((catalogue) => distinctLines(solutions, catalogue, goal));
}

async function calculate() {
  const count = ++solveCount;
  let constants;
  try {
    constants = await engines.ready;
  } catch (error) {
    const why = error.message ?? error;
    if (count === solveCount) showLines((catalogue) => [catalogue.notLoaded(why)]);
    return;
  }
  try {
    if (sectionInUse()) {
      await solveDistinct(count, constants.maxDigits);
      return;
    }
    const result = await engines.latest('results', 'solve', boxes.map((box) => box.value));
    if (result === superseded || count !== solveCount) return;
    showOutcome((catalogue) => solveLines(result, catalogue));
    if (result.inputMissing) boxes[0].focus();
  } catch (error) {
    const why = error.message ?? error;
    if (count === solveCount) showOutcome((catalogue) => [catalogue.failed(why)]);
  }
}

function reset() {
  ++solveCount;
  for (const box of boxes) box.value = '';
  showLines(() => []);
  status.textContent = '';
  boxes[0].focus();
}

// The two views: the window with its section, or practice. The address
// says which: #practice (with ?seed=N to fix the hands dealt) is practice,
// any other the window. Back and forward go between them.
const practice = startPractice(engines, texts);
const practiceView = byId('练习');
const practiceLink = byId('练习链接');
const practiceShown = () => !practiceView.hidden;

const pageTitle = document.title;

function showTitle() {
  document.title = practiceShown() ? `${texts.practice} · ${pageTitle}` : pageTitle;
}

function showView({ moveFocus }) {
  const [name, query = ''] = location.hash.slice(1).split('?');
  const inPractice = name === 'practice';
  const changed = inPractice !== practiceShown();
  document.documentElement.dataset.view = inPractice ? 'practice' : 'solver';
  for (const element of [byId('主窗口'), more, practiceLink]) element.hidden = inPractice;
  practiceView.hidden = !inPractice;
  showTitle();
  if (inPractice) practice.show(new URLSearchParams(query));
  else practice.hide();
  if (changed && moveFocus) (inPractice ? byId('练习标题') : practiceLink).focus();
}

byId('计算链接').addEventListener('click', (event) => {
  event.preventDefault();
  history.pushState(null, '', location.pathname + location.search);
  showView({ moveFocus: true });
});
window.addEventListener('popstate', () => showView({ moveFocus: true }));
window.addEventListener('hashchange', () => showView({ moveFocus: true }));
showView({ moveFocus: false });

const chosen = recall(languageKey);
const wanted = chosen in catalogues ? chosen : pickLanguage(navigator.languages ?? []);
if (wanted !== language) useLanguage(wanted);
languageChoice.value = language;
languageChoice.addEventListener('change', () => {
  useLanguage(languageChoice.value);
  remember(languageKey, language);
});

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
