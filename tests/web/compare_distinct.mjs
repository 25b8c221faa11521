// The WebAssembly build of the distinct engine against the native one: hands
// of one to seven numbers (every hand of four cards from 1 to 13, the large
// ones, and random hands of integers, decimals, fractions, negatives, zeros
// and numbers past 64 bits, for several targets) must give the same lines,
// with the summary the page writes in Simplified Chinese.
// Also what the page takes for a number, and that a hand the engine would
// refuse is refused in JavaScript, leaving the module working.
//
//   node compare_distinct.mjs <site>/solve.js PROGRAM [ARGUMENT...]
//
// PROGRAM ARGUMENT... --target T is the native engine as a filter: a hand per
// line in, its lines and an empty line out.

import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const [solveModule, program, ...programArguments] = process.argv.slice(2);
const { loadEngines } = await import(solveModule);
const { catalogues, distinctLines } = await import(join(dirname(solveModule), 'texts.js'));
const engines = await loadEngines({
  wasmBinary: readFileSync(join(dirname(solveModule), 'solver.wasm')),
});

const failures = [];
const fail = (message) => {
  failures.push(message);
  if (failures.length <= 5) console.error(message);
};

// What the page takes for a number, one case per answer.
const { maxDigits } = engines;
for (const [text, problem] of [
  [' -0.5 ', null], ['3/4', null], ['9'.repeat(maxDigits), null], ['', 'empty'],
  ['1.2.3', 'malformed'], ['2/-3', 'malformed'], ['9'.repeat(maxDigits + 1), 'tooLong'],
  ['1e99', 'tooLong'], [`0.${'0'.repeat(300)}1`, 'tooLong'], ['-7/0', 'zeroDenominator'],
]) {
  const found = engines.checkNumber(text);
  if (found !== problem) fail(`checkNumber(${JSON.stringify(text)}): ${found}, not ${problem}`);
}
for (const [hand, target] of [[['1', 'x'], '24'], [['1'], '1/0'], [[], '24'], [Array(8).fill('1'), '8']]) {
  try {
    engines.solveDistinct(hand, target);
    fail(`${JSON.stringify(hand)} for ${target} was not refused`);
  } catch {}
}

// The hands, by target.
const hands = new Map();
const add = (target, hand) => {
  if (!hands.has(target)) hands.set(target, []);
  hands.get(target).push(hand);
};
for (let a = 1; a <= 13; ++a)
  for (let b = a; b <= 13; ++b)
    for (let c = b; c <= 13; ++c) for (let d = c; d <= 13; ++d) add('24', [a, b, c, d].map(String));
for (const [target, hand] of [
  ['24', '1 2 3 4 5'], ['24', '1 2 3 4 5 6'], ['24', '3 5 8 13 21 34 55'], ['100', '13 14 15 16 17'],
  ['0', '0 0 0 0 0'], ['1', '1 1 1 1 1 1'],
  ['24', '123456789012345678 987654321098765432 24'], ['-1/3', '999999999999999999/2 3 7/999999999999999998'],
]) {
  add(target, hand.split(' '));
}
// The same random hands on every run.
let seed = 20;
const random = (n) => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed % n;
};
const randomNumber = () => {
  switch (random(7)) {
    case 0: return String(random(11) - 3);
    case 1: return `${random(20)}.${random(100)}`;
    case 2: return `${random(2) ? '-' : ''}${random(12) + 1}/${random(9) + 1}`;
    case 3: return `${random(9) + 1}e${random(5) - 2}`;
    case 4: return String(BigInt(random(9) + 1) * 10n ** 17n + BigInt(random(1000)));
    default: return String(random(13) + 1);
  }
};
const targets = ['24', '100', '0', '-1', '3/4', '2.5', '1e2'];
for (let i = 0; i < 600; ++i) {
  const size = i % 60 === 0 ? 6 : random(5) + 1;
  add(targets[random(targets.length)], Array.from({ length: size }, randomNumber));
}

let handCount = 0;
let lineCount = 0;
for (const [target, list] of hands) {
  const { status, stdout, stderr, error } = spawnSync(program,
    [...programArguments, '--target', target],
    { input: list.map((hand) => `${hand.join(' ')}\n`).join(''), encoding: 'utf8', maxBuffer: 1 << 28 });
  if (error) throw error;
  if (status !== 0) throw new Error(`${program} --target ${target} failed (${status}): ${stderr}`);
  const blocks = stdout.split('\n\n');
  blocks.pop();
  if (blocks.length !== list.length) {
    throw new Error(`${program} --target ${target} answered ${blocks.length} of ${list.length} hands`);
  }
  list.forEach((hand, i) => {
    const solutions = engines.solveDistinct(hand, target);
    const lines = distinctLines(solutions, catalogues['zh-CN']);
    lineCount += lines.length;
    ++handCount;
    if (lines.join('\n') !== blocks[i]) {
      fail(`${hand.join(' ')} for ${target}:\n  native:      ${JSON.stringify(blocks[i].split('\n'))}` +
        `\n  WebAssembly: ${JSON.stringify(lines)}`);
    }
  });
}

console.log(`${handCount} hands, ${lineCount} lines: ${failures.length} failures`);
process.exitCode = failures.length === 0 ? 0 : 1;
