// The page's languages: a catalogue of texts for each, the one a browser's
// languages ask for, and the result list's lines in a language.

import en from './texts-en.js';
import zhCN from './texts-zh-CN.js';
import zhTW from './texts-zh-TW.js';

export const catalogues = { 'zh-CN': zhCN, 'zh-TW': zhTW, en };

// The language for a browser's languages, most wanted first: the first of them
// that is Chinese or English decides. Chinese in the traditional script, or
// of Taiwan, Hong Kong or Macao, is zh-TW; other Chinese is zh-CN, the
// language the page is written in, as when no language is named at all.
// English serves every other language.
export function pickLanguage(languages) {
  if (languages.length === 0) return 'zh-CN';
  for (const tag of languages) {
    const [language, ...rest] = tag.toLowerCase().split(/[-_]/);
    if (language === 'en') return 'en';
    if (language !== 'zh') continue;
    const script = rest.find((part) => part === 'hant' || part === 'hans');
    if (script !== undefined) return script === 'hant' ? 'zh-TW' : 'zh-CN';
    return rest.some((part) => ['tw', 'hk', 'mo'].includes(part)) ? 'zh-TW' : 'zh-CN';
  }
  return 'en';
}

// The solve command's lines ({ lines, inputMissing }, from solve.js) in the
// catalogue's language: the missing-input line alone, the no-solution line
// alone, or the solutions and the summary.
export function solveLines(result, texts) {
  if (result.inputMissing) return [texts.missingInput];
  if (result.lines.length === 1) return [texts.noSolution('24')];
  return [...result.lines.slice(0, -1), texts.solutions(result.lines.length - 1)];
}

// The distinct solutions for target and their summary, or the no-solution
// line alone.
export function distinctLines(solutions, texts, target) {
  if (solutions.length === 0) return [texts.noSolution(target)];
  return [...solutions, texts.distinctSolutions(solutions.length)];
}
