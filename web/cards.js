// The cards of a hand, painted as playing cards: A, 2 to 10, J, Q and K with
// their suits, drawn with the page's own shapes (the symbols in index.html).

// The suits, in the order of the catalogues' card names: spades, hearts,
// clubs, diamonds; hearts and diamonds are red.
const suitShapes = ['黑桃', '红桃', '梅花', '方块'];
const svg = 'http://www.w3.org/2000/svg';

// A card's rank as the card shows it.
export const rankOf = (value) => ({ 1: 'A', 11: 'J', 12: 'Q', 13: 'K' })[value] ?? String(value);

// A suit for each card, the same whenever the hand comes, varied from hand
// to hand; cards of equal value never share one.
export function suitsOf(cards) {
  const sum = cards.reduce((total, value) => total + value, 0);
  const seen = new Map();
  return cards.map((value) => {
    const before = seen.get(value) ?? 0;
    seen.set(value, before + 1);
    return (value + before + sum) % suitShapes.length;
  });
}

function suitShape(suit, className) {
  const picture = document.createElementNS(svg, 'svg');
  picture.setAttribute('class', className);
  picture.setAttribute('viewBox', '0 0 100 100');
  const use = document.createElementNS(svg, 'use');
  use.setAttribute('href', `#${suitShapes[suit]}`);
  picture.append(use);
  return picture;
}

function corner(rank, suit, className) {
  const element = document.createElement('span');
  element.className = className;
  const text = document.createElement('span');
  text.textContent = rank;
  element.append(text, suitShape(suit, '角花'));
  return element;
}

// A button painted as the card; its accessible name is the caller's to give.
export function paintCard(value, suit) {
  const card = document.createElement('button');
  card.type = 'button';
  card.className = suit % 2 === 1 ? '牌 红牌' : '牌';
  const rank = rankOf(value);
  const middle = document.createElement('span');
  middle.className = '牌心';
  if (value > 10) {
    // A court card: its letter, framed, over its suit.
    const letter = document.createElement('span');
    letter.className = '人头';
    letter.textContent = rank;
    middle.append(letter);
  } else {
    middle.append(suitShape(suit, '大花'));
  }
  const faces = [corner(rank, suit, '牌角'), middle, corner(rank, suit, '牌角 倒')];
  for (const face of faces) face.setAttribute('aria-hidden', 'true');
  card.append(...faces);
  return card;
}
