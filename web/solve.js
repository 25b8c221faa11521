// The two engines of the desktop program, the same C++ built for
// WebAssembly in one module (solver.js and solver.wasm): the solve command,
// and every distinct solution for any target and up to seven numbers; and
// practice, with its deck and current hand kept in the module. The page runs
// them in a worker of their own (engine-worker.js, reached through
// engines.js); node loads them here directly.

import loadSolver from './solver.js';

// What keeps a text from being a number the distinct engine takes, by the
// engine's code for it (distinct::NumberProblem); null when nothing does.
const problems = [null, 'empty', 'malformed', 'tooLong', 'zeroDenominator'];
// Longer texts are taken as too long without handing them over: they would
// be copied onto the module's stack.
const longestText = 200;

// Resolves to the engines once the WebAssembly is ready:
//  - solve(texts): texts are the four boxes' texts, a to d; gives
//    { lines, inputMissing }: the lines of the result list, and whether a
//    text was empty.
//  - checkNumber(text): what keeps text from being a number of a hand or a
//    target (one of problems above), or null.
//  - solveDistinct(numbers, target): the lines of every distinct solution,
//    without a summary; numbers (1 to 7) and target must pass checkNumber.
//  - maxDigits: the most digits a number of the distinct engine may have
//    before or after its point, or above or below its slash.
//  - practiceDeck(level, highestCard, withoutSolution, seed): a new deck of
//    practice: level 1 (easy) to 4 (expert), cards up to 10 or 13, whether
//    hands without a solution come too; seed an integer from 0 to 2^53 - 1
//    that fixes the hands.
//  - practiceNext(): the deck's next hand, which the checks go to from then
//    on: { hand, level, seconds, ways, hint } (web/practice_session.h).
//  - practiceCheck(answer): the check of an answer to that hand:
//    { kind, problem, where, number, cardsLeftOut, right, way }.
//  - practiceWorksheet(level, highestCard, count, seed): count different
//    hands of the level, each with a way: { hands: [{ hand, formula }] }.
// The options go to the loader (node passes the WebAssembly itself as
// wasmBinary).
export async function loadEngines(options = {}) {
  const solver = await loadSolver(options);
  const decoder = new TextDecoder();
  // A block the module made: the text's length, then the text: a one
  // character head, then every line followed by '\n'.
  const take = (block) => {
    if (block === 0) throw new Error('the solver ran out of memory');
    const length = solver.HEAPU32[block >> 2];
    const text = decoder.decode(solver.HEAPU8.subarray(block + 4, block + 4 + length));
    solver._free(block);
    const lines = text.slice(1).split('\n');
    lines.pop();
    return { head: text[0], lines };
  };
  const solve = (texts) => {
    const { head, lines } = take(solver.ccall('vantrel_solve', 'number',
      ['string', 'string', 'string', 'string'], texts));
    return { lines, inputMissing: head === '1' };
  };
  const checkNumber = (text) => {
    if (text.length > longestText) return 'tooLong';
    return problems[solver.ccall('vantrel_check_number', 'number', ['string'], [text])];
  };
  const solveDistinct = (numbers, target) => {
    if (numbers.length === 0 || numbers.length > 7 ||
        [...numbers, target].some((text) => checkNumber(text) !== null)) {
      throw new Error('not a hand the engine takes');
    }
    const { head, lines } = take(solver.ccall('vantrel_solve_distinct', 'number',
      ['string', 'string'], [numbers.map((number) => `${number}\n`).join(''), target]));
    if (head !== '0') throw new Error('not a hand the engine takes');
    return lines;
  };

  const json = (block) => {
    const { head, lines } = take(block);
    if (head !== '0') throw new Error('no hand of practice dealt yet');
    return JSON.parse(lines[0]);
  };
  // A seed as the two 32-bit halves the module takes.
  const halves = (seed) => {
    if (!Number.isSafeInteger(seed) || seed < 0) throw new Error(`not a seed: ${seed}`);
    return [Math.floor(seed / 2 ** 32), seed % 2 ** 32];
  };
  const session = solver._vantrel_practice_new();
  const practiceDeck = (level, highestCard, withoutSolution, seed) => {
    if (!solver._vantrel_practice_deck(session, level, highestCard, withoutSolution ? 1 : 0,
                                       ...halves(seed))) {
      throw new Error(`no deck of level ${level} with cards up to ${highestCard}`);
    }
  };
  const practiceNext = () => json(solver._vantrel_practice_next(session));
  // The answer goes over as bytes with their length: it may be long, and
  // may hold any character, a NUL among them.
  const encoder = new TextEncoder();
  const practiceCheck = (answer) => {
    const bytes = encoder.encode(String(answer));
    const text = solver._malloc(Math.max(bytes.length, 1));
    if (text === 0) throw new Error('the solver ran out of memory');
    solver.HEAPU8.set(bytes, text);
    try {
      return json(solver._vantrel_practice_check(session, text, bytes.length));
    } finally {
      solver._free(text);
    }
  };
  const practiceWorksheet = (level, highestCard, count, seed) =>
    json(solver._vantrel_practice_worksheet(level, highestCard, count, ...halves(seed)));
  return {
    solve, checkNumber, solveDistinct, maxDigits: solver._vantrel_max_digits(),
    practiceDeck, practiceNext, practiceCheck, practiceWorksheet,
  };
}

// Resolves to the solve command alone (see above).
export async function loadSolve(options = {}) {
  return (await loadEngines(options)).solve;
}

// The values among the engines (maxDigits), which a worker sends the page
// once, apart from the functions it calls for the page.
export function engineConstants(engines) {
  return Object.fromEntries(
    Object.entries(engines).filter(([, value]) => typeof value !== 'function'));
}

// Calls the engine function of that name: how a request names an engine, so
// that a function added to the engines above can be called at once.
export function callEngine(engines, name, args) {
  if (!Object.hasOwn(engines, name) || typeof engines[name] !== 'function') {
    throw new Error(`no engine call ${name}`);
  }
  return engines[name](...args);
}
