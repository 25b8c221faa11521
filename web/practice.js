// Practice: hands of a level dealt as playing cards, the player's answer
// checked exactly, hints, every different way to find, a timer, statistics
// per level and printed worksheets. The deck, the hand and every check live
// in the engines' worker (practiceDeck, practiceNext, practiceCheck and
// practiceWorksheet of solve.js); this module shows them and keeps the
// statistics.

import { recallObject, remember } from './storage.js';
import { paintCard, suitsOf } from './cards.js';
import { buildWorksheet } from './worksheet.js';

const byId = (id) => document.getElementById(id);

// The levels as the engines number them (1 to 4) and the catalogues name them.
const levelKeys = ['easy', 'medium', 'hard', 'expert'];
const settingsKey = 'vantrel.practice';
const statisticsKey = 'vantrel.practice.statistics';

// m:ss, from milliseconds.
function clock(ms) {
  const seconds = Math.floor(ms / 1000);
  return `${Math.floor(seconds / 60)}:${String(seconds % 60).padStart(2, '0')}`;
}

// A step of a way as people write it: "8 ÷ 3 = 8/3", with a true minus sign
// for a negative number.
const signs = { add: '+', subtract: '−', multiply: '×', divide: '÷' };
const written = (number) => number.replace(/^-/, '−');
const stepText = ({ operation, left, right, result }) =>
  `${written(left)} ${signs[operation]} ${written(right)} = ${written(result)}`;

// What the reader's problems are called in the catalogues.
const problemTexts = {
  empty: 'typeFirst',
  tooLong: 'tooLongFormula',
  tooDeep: 'tooLongFormula',
  unexpectedCharacter: 'unexpectedCharacter',
  misplacedEquals: 'unexpectedCharacter',
  malformedNumber: 'malformedNumber',
  numberTooLong: 'malformedNumber',
  missingNumber: 'missingNumber',
  missingOperator: 'missingOperator',
  sign: 'sign',
  unclosedBracket: 'brackets',
  unopenedBracket: 'brackets',
  mismatchedBracket: 'brackets',
};

// What a wrong answer's check says, in a catalogue, for a hand's cards.
function wrongText(outcome, cards, texts) {
  switch (outcome.kind) {
    case 'noSolutionClaimed': return texts.hasSolution;
    case 'unreadable': return texts[problemTexts[outcome.problem] ?? 'unexpectedCharacter'];
    case 'notInHand': return texts.notInHand(outcome.number);
    case 'usedTooOften': return texts.usedTooOften(outcome.number);
    case 'cardLeftOut':
      return texts.cardsLeftOut(outcome.cardsLeftOut.map((card) => String(cards[card])));
    case 'divisionByZero': return texts.divisionByZero;
    case 'wrongValue': return texts.wrongValue(written(outcome.number));
    case 'wrongNote': return texts.wrongNote(written(outcome.number));
    default: return texts.unexpectedCharacter;
  }
}

// A seed that differs from visit to visit: 53 random bits.
function randomSeed() {
  const [high, low] = crypto.getRandomValues(new Uint32Array(2));
  return (high & 0x1fffff) * 2 ** 32 + low;
}

// The seed an address's query fixes (#practice?seed=7), or null.
function seedOf(query) {
  const text = query.get('seed');
  if (text === null || !/^\d{1,15}$/.test(text)) return null;
  return Number(text);
}

function readSettings() {
  const kept = recallObject(settingsKey) ?? {};
  return {
    level: [1, 2, 3, 4].includes(kept.level) ? kept.level : 1,
    highestCard: kept.highestCard === 10 ? 10 : 13,
    withoutSolution: kept.withoutSolution === true,
  };
}

// Statistics of a level: hands played; solved without help, their time in
// all and the best; the current and the best streak of them.
const noStatistics = () => ({
  played: 0, solved: 0, seconds: 0, best: null, streak: 0, bestStreak: 0,
});

function readStatistics() {
  const kept = recallObject(statisticsKey) ?? {};
  const count = (value) => (Number.isSafeInteger(value) && value >= 0 ? value : 0);
  const time = (value) => (Number.isFinite(value) && value >= 0 ? value : null);
  return Object.fromEntries(levelKeys.map((key) => {
    const level = kept[key] ?? {};
    return [key, {
      played: count(level.played),
      solved: count(level.solved),
      seconds: time(level.seconds) ?? 0,
      best: time(level.best),
      streak: count(level.streak),
      bestStreak: count(level.bestStreak),
    }];
  }));
}

export function startPractice(engines, initialTexts) {
  let texts = initialTexts;
  const view = byId('练习');
  const levelChoice = byId('难度选择');
  const cardsChoice = byId('牌选择');
  const withoutSolutionBox = byId('无解牌选择框');
  const table = byId('牌面');
  const answer = byId('答案框');
  const feedback = byId('练习反馈');
  const hintLine = byId('提示行');
  const waysTitle = byId('算法标题');
  const waysList = byId('算法列表');
  const timeShown = byId('用时');
  const statisticsLine = byId('统计行');
  const heard = byId('练习播报');
  const printDialog = byId('打印窗口');
  const countBox = byId('题数框');

  const settings = readSettings();
  const statistics = readStatistics();
  let seed = null;        // fixed by the address, or null
  let deckMadeFor = null; // the settings and seed of the worker's deck
  let dealt = 0;          // hands asked for; the newest is the one to show
  let hand = null;        // the hand shown, once the worker has dealt it
  let shown = false;      // the view is on the screen
  let started = false;    // a hand has been asked for
  let saying = () => [];  // the feedback's lines, for a catalogue

  // The time from the moment the hand is shown to its first right answer,
  // counted while the view is on the screen and the page is visible.
  const timer = { spent: 0, since: null, ticking: null };
  const elapsed = () => timer.spent + (timer.since === null ? 0 : performance.now() - timer.since);
  const showTime = () => {
    timeShown.textContent = texts.time(clock(elapsed()));
  };
  function runTimer() {
    const run = shown && !document.hidden && hand !== null && !hand.over;
    if (run && timer.since === null) {
      timer.since = performance.now();
      timer.ticking = setInterval(showTime, 250);
    } else if (!run && timer.since !== null) {
      timer.spent += performance.now() - timer.since;
      timer.since = null;
      clearInterval(timer.ticking);
    }
    showTime();
  }

  // What a screen reader says where the focus is. Emptied first, so that
  // the same words twice are heard twice.
  function announce(text) {
    heard.textContent = '';
    setTimeout(() => {
      heard.textContent = text;
    }, 50);
  }

  // The feedback, shown at once and heard.
  function say(lines) {
    saying = lines;
    const text = saying(texts).join('\n');
    feedback.textContent = text;
    if (text !== '') announce(text);
  }

  function showStatistics() {
    const level = statistics[levelKeys[settings.level - 1]];
    const seconds = (value) => (value === null ? '–' : value.toFixed(1));
    statisticsLine.textContent = texts.stats(level.played, level.solved,
      seconds(level.solved > 0 ? level.seconds / level.solved : null), seconds(level.best),
      level.streak, level.bestStreak);
  }

  // A hand is played once it is solved or left; its level is the one it
  // was dealt for.
  function count(solvedUnaided) {
    const level = statistics[hand.level];
    hand.counted = true;
    level.played += 1;
    if (solvedUnaided) {
      const seconds = elapsed() / 1000;
      level.solved += 1;
      level.seconds += seconds;
      level.best = level.best === null ? seconds : Math.min(level.best, seconds);
      level.streak += 1;
      level.bestStreak = Math.max(level.bestStreak, level.streak);
    } else {
      level.streak = 0;
    }
    remember(statisticsKey, JSON.stringify(statistics));
    showStatistics();
  }

  function leave() {
    if (hand !== null && !hand.counted) count(false);
  }

  // The hint: its first step, then the whole way.
  function showHint({ heard = false } = {}) {
    if (hand === null || hand.hints === 0) {
      hintLine.textContent = '';
    } else if (hand.hint === null) {
      hintLine.textContent = texts.noWays;
    } else {
      hintLine.textContent = hand.hints === 1
        ? texts.hintStep(stepText(hand.hint.steps[0])) : texts.oneWay(hand.hint.formula);
    }
    if (heard) announce(hintLine.textContent);
  }

  // The ways found, ticked; every way once the answers are shown. Nothing
  // before either: the count alone would tell whether a hand has a way.
  function showWays() {
    const ways = hand?.ways ?? [];
    let listed = [];
    if (hand?.answersShown) {
      waysTitle.textContent = ways.length === 0 ? texts.noWays : texts.allWays(ways.length);
      listed = ways.map((way, i) => [way, hand.found.has(i)]);
    } else if (hand !== null && hand.found.size > 0) {
      waysTitle.textContent = texts.found(hand.found.size, ways.length);
      listed = ways.map((way, i) => [way, true]).filter((_, i) => hand.found.has(i));
    } else {
      waysTitle.textContent = '';
    }
    waysList.replaceChildren(...listed.map(([way, found]) => {
      const item = document.createElement('li');
      item.textContent = way;
      item.className = found ? '找到' : '';
      return item;
    }));
  }

  function showCards() {
    const cards = hand?.cards ?? [];
    const suits = suitsOf(cards);
    table.replaceChildren(...cards.map((value, i) => {
      const card = paintCard(value, suits[i]);
      card.id = `牌${i + 1}`;
      card.setAttribute('aria-label', texts.cardName(suits[i], value));
      card.addEventListener('click', () => type(String(value)));
      return card;
    }));
  }

  function showHand() {
    showCards();
    showHint();
    showWays();
    runTimer();
  }

  // Deals the next hand from a deck of the settings (and the address's seed);
  // a new deck when they changed.
  async function deal() {
    leave();
    const number = ++dealt;
    hand = null;
    const deck = JSON.stringify([settings, seed]);
    const making = deck === deckMadeFor ? null
      : engines.call('practiceDeck', settings.level, settings.highestCard,
                     settings.withoutSolution, seed ?? randomSeed());
    deckMadeFor = deck;
    answer.value = '';
    say(() => []);
    runTimer();
    try {
      await making;
      const next = await engines.call('practiceNext');
      if (number !== dealt) return;
      hand = {
        ...next, level: levelKeys[settings.level - 1], cards: next.hand,
        found: new Set(), hints: 0, helped: false, answersShown: false, over: false,
        counted: false,
      };
      timer.spent = 0;
      showHand();
    } catch (error) {
      deckMadeFor = null;
      const why = error.message ?? error;
      if (number === dealt) say((catalogue) => [catalogue.notLoaded(why)]);
    }
  }

  // The first right answer ends the timer and counts the hand.
  function solve() {
    hand.over = true;
    runTimer();
    if (!hand.counted) count(!hand.helped);
  }

  function respond(outcome) {
    const { ways } = hand;
    if (!outcome.right) {
      const cards = hand.cards;
      say((catalogue) => [wrongText(outcome, cards, catalogue)]);
      if (outcome.where !== null) {
        answer.focus();
        answer.setSelectionRange(...outcome.where);
      }
      return;
    }
    const first = !hand.over;
    if (first) solve();
    const time = clock(elapsed());
    const timeLine = (catalogue) => (first ? [catalogue.time(time)] : []);
    if (outcome.kind === 'noSolutionClaimed') {
      say((catalogue) => [catalogue.rightNoSolution, ...timeLine(catalogue)]);
      return;
    }
    const way = outcome.way ?? 0;
    if (hand.found.has(way)) {
      say((catalogue) => [catalogue.foundAlready(way + 1)]);
      return;
    }
    hand.found.add(way);
    const all = hand.found.size === ways.length && ways.length > 1;
    say((catalogue) => [catalogue.rightWay(way + 1, ways.length), ...timeLine(catalogue),
                        ...(all ? [catalogue.allFound(ways.length)] : [])]);
    showWays();
  }

  async function check(text) {
    if (hand === null) return;
    const checked = hand;
    try {
      const outcome = await engines.call('practiceCheck', text);
      if (hand === checked) respond(outcome);
    } catch (error) {
      const why = error.message ?? error;
      say((catalogue) => [catalogue.failed(why)]);
    }
  }

  // Types text into the answer where its cursor is, over what is selected.
  function type(text) {
    const start = answer.selectionStart ?? answer.value.length;
    const end = answer.selectionEnd ?? start;
    if (text === 'clear') {
      answer.value = '';
    } else if (text === 'backspace') {
      if (start !== end) {
        answer.setRangeText('', start, end, 'end');
      } else if (start > 0) {
        // A whole character, a surrogate pair among them.
        const before = [...answer.value.slice(0, start)].at(-1);
        answer.setRangeText('', start - before.length, start, 'end');
      }
    } else {
      answer.setRangeText(text, start, end, 'end');
    }
  }

  function helpWith(action) {
    if (hand === null) return;
    hand.helped = true;
    action();
  }

  // Controls.
  levelChoice.value = String(settings.level);
  cardsChoice.value = String(settings.highestCard);
  withoutSolutionBox.checked = settings.withoutSolution;
  const change = (update) => () => {
    update();
    remember(settingsKey, JSON.stringify(settings));
    showStatistics();
    deal();
  };
  levelChoice.addEventListener('change', change(() => {
    settings.level = Number(levelChoice.value);
  }));
  cardsChoice.addEventListener('change', change(() => {
    settings.highestCard = Number(cardsChoice.value);
  }));
  withoutSolutionBox.addEventListener('change', change(() => {
    settings.withoutSolution = withoutSolutionBox.checked;
  }));

  // The cards and the keypad type into the answer, where its cursor is; a
  // mouse click on them leaves the focus where it was.
  for (const key of byId('键盘').children) {
    key.addEventListener('click', () => type(key.dataset.key));
  }
  for (const keys of [table, byId('键盘')]) {
    keys.addEventListener('mousedown', (event) => {
      if (event.target.closest('button') !== null) event.preventDefault();
    });
  }
  // Coming in by Tab selects the whole answer; leaving so for the cards and
  // keys, the caret goes to its end, so that they add to the answer rather
  // than replace it.
  answer.addEventListener('blur', () => {
    const end = answer.value.length;
    if (end > 0 && answer.selectionStart === 0 && answer.selectionEnd === end) {
      answer.setSelectionRange(end, end);
    }
  });
  answer.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && !event.isComposing) {
      event.preventDefault();
      check(answer.value);
    }
  });
  byId('提交按钮').addEventListener('click', () => check(answer.value));
  byId('无解按钮').addEventListener('click', () => check('无解'));
  byId('提示按钮').addEventListener('click', () => helpWith(() => {
    hand.hints = Math.min(hand.hints + 1, 2);
    showHint({ heard: true });
  }));
  byId('看答案按钮').addEventListener('click', () => helpWith(() => {
    hand.answersShown = true;
    hand.over = true;
    runTimer();
    leave();
    showWays();
  }));
  byId('下一手按钮').addEventListener('click', deal);
  byId('用时按钮').addEventListener('click', () => announce(texts.time(clock(elapsed()))));
  // As in the window: every level's, once the player says so.
  byId('清空统计按钮').addEventListener('click', () => {
    if (!window.confirm(texts.resetStatsQuestion)) return;
    for (const key of levelKeys) statistics[key] = noStatistics();
    remember(statisticsKey, JSON.stringify(statistics));
    showStatistics();
  });
  document.addEventListener('visibilitychange', runTimer);

  // The worksheet: hands of the level and cards, from the address's seed
  // when it fixes one.
  byId('打印按钮').addEventListener('click', () => {
    // Some browsers keep the dialog's last answer when Esc closes it: an
    // earlier 打印 must not print again.
    printDialog.returnValue = '';
    printDialog.showModal();
  });
  printDialog.addEventListener('close', async () => {
    if (printDialog.returnValue !== 'print') return;
    const count = Math.min(Math.max(Math.round(Number(countBox.value)) || 20, 1), 100);
    try {
      const { hands } = await engines.call('practiceWorksheet', settings.level,
        settings.highestCard, count, seed ?? randomSeed());
      const cards = settings.highestCard === 10 ? 'A–10' : 'A–K';
      buildWorksheet(byId('练习题'), hands, {
        title: texts.worksheetTitle(texts[levelKeys[settings.level - 1]], cards),
        answers: texts.answers,
      });
      window.print();
    } catch (error) {
      const why = error.message ?? error;
      say((catalogue) => [catalogue.failed(why)]);
    }
  });

  return {
    // The view is shown, for the address's query: deals at first, and anew
    // when the query fixes another seed.
    show(query) {
      shown = true;
      const wanted = seedOf(query);
      if (!started || wanted !== seed) {
        started = true;
        seed = wanted;
        deckMadeFor = null;
        deal();
      }
      showStatistics();
      runTimer();
    },
    hide() {
      shown = false;
      runTimer();
    },
    useTexts(catalogue) {
      texts = catalogue;
      feedback.textContent = saying(texts).join('\n');
      showHand();
      showStatistics();
    },
  };
}
