// 简体中文: the page's texts as the desktop program has them, the language the
// page is written in (index.html holds the same texts). A catalogue for
// another language has the same keys; texts-en.js says how to add one.

const texts = {
  description: '用四个数算出24：列出每一种算法',
  language: '语言',
  // The window.
  numberA: '第一个数',
  numberB: '第二个数',
  numberC: '第三个数',
  numberD: '第四个数',
  numberBoxNote: '一到两位的整数',
  calculate: '开始计算',
  reset: '重新计算',
  results: '结果',
  noResults: '还没有计算结果',
  resultsNote: '每行一种算法，最后一行是算法的总数',
  onTop: '窗口永远在上',
  onTopNote: '网页不能让窗口永远在上',
  readme: 'Readme',
  close: '关闭',
  credits: '欢迎使用 Vantrel！\n作者：Vantrel 团队',
  // The result list.
  solutions: (count) => `共有${count}种算法！`,
  missingInput: '请输入4个数字！',
  noSolution: (_target) => '电脑我也算不出啦：（',
  notLoaded: (error) => `计算程序未能载入：${error}`,
  failed: (error) => `计算出错了：${error}`,
  // The section below the window.
  more: '更多选项',
  target: '目标',
  moreNumbers: '更多数字',
  numberE: '第五个数',
  numberF: '第六个数',
  numberG: '第七个数',
  moreBoxNote: '整数、小数或分数，如 3/4',
  distinctOnly: '只列出不同的算法',
  calculating: '正在计算……',
  distinctSolutions: (count) => `共有${count}种不同的算法！`,
  // A box of the section (target, numberE, numberF or numberG) that does not
  // hold a number the engine takes.
  malformed: (box) => `${texts[box]}不是一个数！`,
  tooLong: (box, digits) => `${texts[box]}的位数太多了（最多${digits}位）！`,
  zeroDenominator: (box) => `${texts[box]}的分母是0！`,
};

export default texts;
