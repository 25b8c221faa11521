// What the page keeps on this device: the browser's local storage, where
// there is one. A private window, or storage turned off, keeps nothing, and
// the page works on without it.

export function remember(key, value) {
  try {
    localStorage.setItem(key, value);
  } catch {
    // Not kept.
  }
}

export function recall(key) {
  try {
    return localStorage.getItem(key);
  } catch {
    return null;
  }
}

// A kept object, or null when there is none or it is not JSON of an object.
export function recallObject(key) {
  try {
    const value = JSON.parse(recall(key));
    return typeof value === 'object' && value !== null && !Array.isArray(value) ? value : null;
  } catch {
    return null;
  }
}
