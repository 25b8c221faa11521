// The solve command of the desktop program, the same C++ built for
// WebAssembly (solver.js and solver.wasm).

import loadSolver from './solver.js';

// Resolves to solve(texts) once the WebAssembly is ready. texts are the four
// boxes' texts, a to d; solve gives { lines, inputMissing }: the lines of the
// result list, and whether a text was empty. The options go to the loader
// (node passes the WebAssembly itself as wasmBinary).
export async function loadSolve(options = {}) {
  const solver = await loadSolver(options);
  return (texts) => {
    const text = solver.ccall('vantrel_solve', 'number', ['string', 'string', 'string', 'string'],
      texts);
    if (text === 0) throw new Error('the solver ran out of memory');
    const reply = solver.UTF8ToString(text);
    solver._free(text);
    // "1" or "0", then every line followed by '\n'.
    const lines = reply.slice(1).split('\n');
    lines.pop();
    return { lines, inputMissing: reply[0] === '1' };
  };
}
