// The WebAssembly solver against vantrel-solve: every hand of four cards from
// 1 to 13 (1,820), hands of decimal, negative and extreme numbers, and random
// hands of such numbers, each must give exactly the same lines.
//
//   node compare_with_cli.mjs <site>/solve.js <build>/cli/vantrel-solve

import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const [solveModule, program] = process.argv.slice(2);
const { loadSolve } = await import(solveModule);
const solve = await loadSolve({
  wasmBinary: readFileSync(join(dirname(solveModule), 'solver.wasm')),
});

const hands = [];
for (let a = 1; a <= 13; ++a)
  for (let b = a; b <= 13; ++b)
    for (let c = b; c <= 13; ++c) for (let d = c; d <= 13; ++d) hands.push([a, b, c, d].map(String));
if (hands.length !== 1820) throw new Error(`${hands.length} hands of 1..13`);

// Numbers whose texts, readings or lines are out of the ordinary.
const odd = [
  '0', '-0', '+5', '07', '.5', '5.', '0.5', '0.1', '-2.25', '2E+1', '25e-1', '1e-400',
  '16777216', '16777217', '-16777217', '123456789', '30000000', '1e15', '1e16', '1e30',
  '3.4028235e38', '-3.4028235e38', '1e-45', '1.17549435e-38', '0.0001', '0.00001', '1e-05',
  '99999999999999999999', '0.3333333333333333333333333', '24', '-24', '8', '3', '1e-1000000000',
];
const extra = [
  ['0.5', '0.5', '12', '2'], ['-1', '-2', '-3', '-4'], ['-3', '3', '-8', '8'],
  ['1.5', '2.5', '3.5', '4.5'], ['0.1', '0.2', '0.3', '24'], ['1e30', '1e30', '1e30', '4.1666666e28'],
  ['3', '8', '3', '8'], ['1', '1', '1', '24'], ['0', '0', '3', '8'], ['0', '0', '0', '0'],
];
for (let i = 0; i < odd.length; ++i) {
  extra.push([odd[i], odd[(i * 7 + 3) % odd.length], odd[(i * 11 + 5) % odd.length], '24']);
  extra.push([odd[i], '3', '8', odd[(i * 5 + 1) % odd.length]]);
}
// The same random hands on every run: small integers, fractions, negatives
// and exponents.
let seed = 24;
const random = (n) => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed % n;
};
const randomNumber = () => {
  switch (random(5)) {
    case 0: return String(random(30) - 10);
    case 1: return `${random(20)}.${random(1000)}`;
    case 2: return `-${random(13) + 1}.${random(10)}`;
    case 3: return `${random(90) + 1}e${random(80) - 40}`;
    default: return odd[random(odd.length)];
  }
};
for (let i = 0; i < 600; ++i) extra.push([randomNumber(), randomNumber(), randomNumber(), randomNumber()]);

// vantrel-solve as a filter: each hand's lines, then an empty line.
const run = (args, input) => {
  const { status, stdout, stderr, error } = spawnSync(program, args, {
    input, encoding: 'utf8', maxBuffer: 1 << 28,
  });
  if (error) throw error;
  return { status, stdout, stderr };
};
const all = hands.concat(extra);
const filter = run([], all.map((hand) => hand.join(' ')).join('\n') + '\n');
if (filter.status !== 0) throw new Error(`vantrel-solve failed (${filter.status}): ${filter.stderr}`);
const blocks = filter.stdout.split('\n\n');
blocks.pop();
if (blocks.length !== all.length) {
  throw new Error(`vantrel-solve answered ${blocks.length} of ${all.length} hands`);
}

let differences = 0;
let lineCount = 0;
const compare = (hand, expected) => {
  const { lines } = solve(hand);
  lineCount += lines.length;
  if (lines.join('\n') === expected.join('\n')) return;
  if (++differences <= 5) {
    console.error(`hand ${JSON.stringify(hand)}:\n  vantrel-solve: ${JSON.stringify(expected)}` +
      `\n  WebAssembly:   ${JSON.stringify(lines)}`);
  }
};
all.forEach((hand, i) => compare(hand, blocks[i].split('\n')));

// An empty box: vantrel-solve takes it as an operand only.
for (const hand of [['1', '2', '', '4'], ['', '', '', '']]) {
  const { status, stdout } = run(['--', ...hand], '');
  if (status !== 1) throw new Error(`vantrel-solve -- ${hand.join(' ')}: status ${status}`);
  compare(hand, stdout.split('\n').slice(0, -1));
  if (!solve(hand).inputMissing) throw new Error(`${JSON.stringify(hand)}: no input missing`);
}

console.log(`${hands.length} hands of 1..13 and ${extra.length + 2} others, ${lineCount} lines: ` +
  `${differences} differ`);
process.exitCode = differences === 0 ? 0 : 1;
