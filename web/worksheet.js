// A worksheet of hands for a class, to print: the hands, one a line with
// room to write, then on a page of its own one way for each. The print
// style sheet shows it on paper in place of the page.

import { rankOf } from './cards.js';

const element = (name, className, text) => {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
};

// hands: [{ hand, formula }]; texts: { title, answers }.
export function buildWorksheet(section, hands, { title, answers }) {
  const cards = (hand) => element('span', '题牌', hand.map(rankOf).join('  '));
  const questions = element('ol', '题目');
  questions.append(...hands.map(({ hand }) => {
    const line = element('li');
    line.append(cards(hand), element('span', '答题线'));
    return line;
  }));
  const solutions = element('ol', '答案');
  solutions.append(...hands.map(({ hand, formula }) => {
    const line = element('li');
    line.append(cards(hand), element('span', '答案式', formula ?? ''));
    return line;
  }));
  const sheet = element('div', '题页');
  sheet.append(element('h1', '', title), questions);
  const key = element('div', '题页 答案页');
  key.append(element('h1', '', title), element('h2', '', answers), solutions);
  section.replaceChildren(sheet, key);
  document.documentElement.classList.add('有练习题');
}
