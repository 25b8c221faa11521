// English, for every language the page has no catalogue of its own for.
//
// To add a language: copy this file to texts-<tag>.js, translate every text
// (keep the keys), then name it in texts.js (catalogues, and the choice of a
// browser's languages), in index.html (the language choice), in
// assemble_site.cmake and web/CMakeLists.txt (the site's files), and give it
// a manifest-<tag>.webmanifest. Expressions are never translated.

// A box of the section as a sentence names it.
const boxes = {
  target: 'The target',
  numberE: 'The fifth number',
  numberF: 'The sixth number',
  numberG: 'The seventh number',
};
const solutionsOf = (count) => `${count} ${count === 1 ? 'solution' : 'solutions'}`;

export default {
  description: 'Make 24 from four numbers: every way there is',
  language: 'Language',
  numberA: 'First number',
  numberB: 'Second number',
  numberC: 'Third number',
  numberD: 'Fourth number',
  numberBoxNote: 'A whole number of one or two digits',
  calculate: 'Solve',
  reset: 'Clear',
  results: 'Results',
  noResults: 'No results yet',
  resultsNote: 'One solution a line; the last line counts them',
  onTop: 'Stay on top',
  onTopNote: 'A web page cannot keep its window on top',
  readme: 'Readme',
  close: 'Close',
  credits: 'Welcome to Vantrel!\nBy the Vantrel team',
  solutions: (count) => `${solutionsOf(count)} in all!`,
  missingInput: 'Please enter 4 numbers!',
  noSolution: (target) => `No way to make ${target} :(`,
  notLoaded: (error) => `The solver could not be loaded: ${error}`,
  failed: (error) => `The solver failed: ${error}`,
  more: 'More options',
  target: 'Target',
  moreNumbers: 'More numbers',
  numberE: 'Fifth number',
  numberF: 'Sixth number',
  numberG: 'Seventh number',
  moreBoxNote: 'A whole number, a decimal or a fraction such as 3/4',
  distinctOnly: 'Distinct solutions only',
  calculating: 'Calculating…',
  distinctSolutions: (count) => `${count} distinct ${count === 1 ? 'solution' : 'solutions'}!`,
  malformed: (box) => `${boxes[box]} is not a number!`,
  tooLong: (box, digits) => `${boxes[box]} has too many digits (${digits} at most)!`,
  zeroDenominator: (box) => `${boxes[box]} is a fraction over 0!`,
};
