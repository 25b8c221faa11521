// The page's way to the engines of solve.js: they run in a worker
// (engine-worker.js), and each call is a request by the name of an engine
// function, answered with a promise. A function added to the engines can be
// called at once: engines.call('name', ...args).
//
// Requests are answered one at a time, in the order they were made. A request
// made with a key (engines.latest(key, 'name', ...args)) supersedes every
// earlier one with the same key that has not been answered yet: those resolve
// to `superseded` instead of a result, and one still waiting is never run, so
// that a newer solve for the same control waits for no older one but the one
// under way.
// A browser that cannot start the worker (one without module workers) runs
// the engines in the page, as the page did before it had the worker.

export const superseded = Symbol('superseded');

// Why the worker itself could not start.
class NoWorker extends Error {}

// Resolves to { constants, run(name, args) } once the worker has loaded the
// engines; rejects with why they did not load, or with a NoWorker.
function startWorker() {
  return new Promise((resolve, reject) => {
    let worker;
    try {
      worker = new Worker(new URL('./engine-worker.js', import.meta.url), { type: 'module' });
    } catch (error) {
      reject(new NoWorker(String(error?.message ?? error)));
      return;
    }
    let answer = null;  // settles the request being answered
    const run = (name, args) =>
      new Promise((resolveCall, rejectCall) => {
        answer = ({ result, error }) => {
          answer = null;
          if (error === undefined) resolveCall(result);
          else rejectCall(new Error(error));
        };
        worker.postMessage({ name, args });
      });
    let started = false;
    worker.addEventListener('message', ({ data }) => {
      if ('ready' in data) {
        started = true;
        resolve({ constants: data.ready, run });
      } else if ('failed' in data) {
        reject(new Error(data.failed));
      } else {
        answer?.(data);
      }
    });
    // Before the engines are ready: the script did not run (no module
    // workers, or it could not be fetched). Later: an error the engine call
    // did not catch, which ends the request under way.
    worker.addEventListener('error', (event) => {
      if (!started) {
        worker.terminate();
        reject(new NoWorker(event.message || 'the worker did not start'));
      } else {
        answer?.({ error: event.message || 'the engine failed' });
      }
    });
  });
}

async function startInPage() {
  const { callEngine, engineConstants, loadEngines } = await import('./solve.js');
  const engines = await loadEngines();
  const run = async (name, args) => callEngine(engines, name, args);
  return { constants: engineConstants(engines), run };
}

// The engines; engines.ready resolves to their constants ({ maxDigits }) or
// rejects with why they did not load.
export function startEngines() {
  const started = startWorker().catch((error) => {
    if (!(error instanceof NoWorker)) throw error;
    console.warn('Vantrel solves in the page itself:', error.message);
    return startInPage();
  });
  const waiting = [];  // requests not yet answered, oldest first
  let running = false;

  async function answerWaiting() {
    running = true;
    while (waiting.length > 0) {
      const request = waiting[0];
      try {
        const { run } = await started;
        const result = request.superseded ? null : await run(request.name, request.args);
        request.resolve(request.superseded ? superseded : result);
      } catch (error) {
        if (request.superseded) request.resolve(superseded);
        else request.reject(error);
      }
      waiting.shift();
    }
    running = false;
  }

  function request(key, name, args) {
    if (key !== undefined) {
      for (const older of waiting) if (older.key === key) older.superseded = true;
    }
    return new Promise((resolve, reject) => {
      waiting.push({ key, name, args, resolve, reject, superseded: false });
      if (!running) answerWaiting();
    });
  }

  return {
    ready: started.then(({ constants }) => constants),
    call: (name, ...args) => request(undefined, name, args),
    latest: (key, name, ...args) => request(key, name, args),
  };
}
