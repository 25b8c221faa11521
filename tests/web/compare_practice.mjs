// Practice in the WebAssembly module against the native program and against
// itself: for each level and both sets of cards, the worksheet's hands are
// those vantrel-solve --deal gives for the seed (the rating model, in
// floating point, must place every hand alike), and a deck deals every hand
// of the level, each checked through its round: each of its ways is right
// and is that way, the hint's way is right and its steps end in 24, and the
// claim of no solution is wrong. Hands without a solution, dealt as well,
// take that claim as right and have no hint.
//
//   node compare_practice.mjs <site>/solve.js <build>/cli/vantrel-solve

import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const [solveModule, program] = process.argv.slice(2);
const { loadEngines } = await import(solveModule);
const engines = await loadEngines({
  wasmBinary: readFileSync(join(dirname(solveModule), 'solver.wasm')),
});

const failures = [];
const fail = (what) => {
  if (failures.length < 20) console.error(what);
  failures.push(what);
};
const seed = 2024;
let checked = 0;
let unsolvable = 0;

for (const highestCard of [10, 13]) {
  for (const level of [1, 2, 3, 4]) {
    const { hands } = engines.practiceWorksheet(level, highestCard, 5000, seed);
    const { status, stdout, stderr } = spawnSync(program, ['--deal', '5000', '--level',
      String(level), '--cards', String(highestCard), '--seed', String(seed)], { encoding: 'utf8' });
    if (status !== 0) throw new Error(`vantrel-solve --deal failed: ${stderr}`);
    const native = stdout.trim().split('\n');
    const dealt = hands.map(({ hand }) => hand.join(' '));
    if (dealt.join('\n') !== native.join('\n')) {
      fail(`level ${level}, cards to ${highestCard}: the worksheet deals ${dealt.length} hands ` +
           `unlike vantrel-solve's ${native.length}, first ${dealt[0]} against ${native[0]}`);
    }

    // The deck deals every hand of the level before one comes again, and
    // hands without a solution among them.
    engines.practiceDeck(level, highestCard, true, seed);
    const seen = new Set();
    for (let draws = 0; seen.size < hands.length; ++draws) {
      if (draws > 3 * hands.length) {
        fail(`level ${level}, cards to ${highestCard}: ${seen.size} of ${hands.length} hands came`);
        break;
      }
      const round = engines.practiceNext();
      const name = round.hand.join(' ');
      const claim = engines.practiceCheck('无解');
      if (round.ways.length === 0) {
        ++unsolvable;
        if (!claim.right || round.hint !== null || round.level !== 'noSolution') {
          fail(`${name}: no solution, yet ${JSON.stringify({ claim, round })}`);
        }
        continue;
      }
      if (seen.has(name) || !native.includes(name)) fail(`${name} dealt again or not of the level`);
      seen.add(name);
      if (claim.right || claim.kind !== 'noSolutionClaimed') fail(`${name}: 无解 is right`);
      round.ways.forEach((way, i) => {
        const outcome = engines.practiceCheck(way);
        ++checked;
        if (!outcome.right || outcome.way !== i) {
          fail(`${name}: way ${i}, ${way}, checks as ${JSON.stringify(outcome)}`);
        }
      });
      const hint = engines.practiceCheck(round.hint.formula);
      if (!hint.right || round.hint.steps.at(-1).result !== '24') {
        fail(`${name}: the hint ${JSON.stringify(round.hint)} checks as ${JSON.stringify(hint)}`);
      }
    }
  }
}

if (failures.length > 0) {
  console.error(`${failures.length} failures`);
  process.exit(1);
}
console.log(`every level dealt as vantrel-solve deals it; ${checked} ways checked, ` +
            `${unsolvable} hands without a solution`);
