// The solve command of the desktop program, the same C++ built for
// WebAssembly (solver.js and solver.wasm).

import loadSolver from './solver.js';

// Resolves to solve(texts) once the WebAssembly is ready. texts are the four
// boxes' texts, a to d; solve gives { lines, inputMissing }: the lines of the
// result list, and whether a text was empty. The options go to the loader
// (node passes the WebAssembly itself as wasmBinary).
export async function loadSolve(options = {}) {
  const solver = await loadSolver(options);
  const decoder = new TextDecoder();
  return (texts) => {
    const block = solver.ccall('vantrel_solve', 'number', ['string', 'string', 'string', 'string'],
      texts);
    if (block === 0) throw new Error('the solver ran out of memory');
    // The text's length, then the text: "1" or "0", then every line followed
    // by '\n'.
    const length = solver.HEAPU32[block >> 2];
    const text = decoder.decode(solver.HEAPU8.subarray(block + 4, block + 4 + length));
    solver._free(block);
    const lines = text.slice(1).split('\n');
    lines.pop();
    return { lines, inputMissing: text[0] === '1' };
  };
}
