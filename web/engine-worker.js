// The engines of solve.js in a worker of their own, so that a long solve
// never holds up the page. Once loaded, it tells the page so with their
// constants, { ready: { maxDigits } }, or why they did not load,
// { failed: message }; then it answers each request { name, args } with the
// engine function of that name: { result } or { error: message }.
// engines.js makes the requests, one at a time.

import { callEngine, engineConstants, loadEngines } from './solve.js';

const text = (error) => String(error?.message ?? error);

let engines = null;
self.addEventListener('message', ({ data: { name, args } }) => {
  try {
    self.postMessage({ result: callEngine(engines, name, args) });
  } catch (error) {
    self.postMessage({ error: text(error) });
  }
});

loadEngines().then(
  (loaded) => {
    engines = loaded;
    self.postMessage({ ready: engineConstants(engines) });
  },
  (error) => self.postMessage({ failed: text(error) }),
);
