#include "ui/practice/practice_window.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <string>

#include "ui/accessibility/announcer.h"
#include "ui/accessibility/focus_note.h"
#include "ui/practice/playing_card.h"
#include "ui/practice/practice_texts.h"
#include "ui/practice/worksheet.h"
#include "ui_practice_window.h"

namespace vantrel::ui {

namespace {

const QString kLevelKey = QStringLiteral("practice/level");
const QString kCardsKey = QStringLiteral("practice/highestCard");
const QString kWithoutSolutionKey = QStringLiteral("practice/withoutSolution");

// The answer the 无解 button gives, as the checker reads it.
constexpr char kNoSolution[] = "无解";

}  // namespace

std::uint64_t practiceSeed() {
  bool valid = false;
  const std::uint64_t seed = qEnvironmentVariable("VANTREL_PRACTICE_SEED").toULongLong(&valid);
  return valid ? seed : rating::randomSeed();
}

PracticeWindow::PracticeWindow(std::uint64_t seed, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::PracticeWindow>()),
      announcer_(new Announcer(this)),
      focusNote_(new FocusNote(this)),
      ticker_(new QTimer(this)),
      saveTimer_(new QTimer(this)),
      settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vantrel"),
                QStringLiteral("vantrel")),
      statistics_(settings_),
      seed_(seed) {
  ui_->setupUi(this);
  setWindowFlag(Qt::Window);
  // Closing it leaves the rest of the program running; the main window
  // decides whether anything is left to run for (see closed()).
  setAttribute(Qt::WA_QuitOnClose, false);
  cards_ = {ui_->card1, ui_->card2, ui_->card3, ui_->card4};
  fillChoosers();

  connect(ui_->levelBox, &QComboBox::currentIndexChanged, this, &PracticeWindow::choiceChanged);
  connect(ui_->cardsBox, &QComboBox::currentIndexChanged, this, &PracticeWindow::choiceChanged);
  connect(ui_->withoutSolutionBox, &QCheckBox::toggled, this, &PracticeWindow::choiceChanged);
  for (PlayingCard* card : cards_) {
    // Tab reaches the cards, a click leaves the focus in the answer box.
    card->setFocusPolicy(Qt::TabFocus);
    connect(card, &PlayingCard::clicked, this,
            [this, card] { typeIntoAnswer(QString::number(card->value())); });
  }
  const std::array<std::pair<QPushButton*, QString>, 6> keys = {{
      {ui_->plusButton, QStringLiteral("+")},
      {ui_->minusButton, QStringLiteral("−")},
      {ui_->timesButton, QStringLiteral("×")},
      {ui_->divideButton, QStringLiteral("÷")},
      {ui_->openButton, QStringLiteral("(")},
      {ui_->closeButton, QStringLiteral(")")},
  }};
  for (const auto& [button, text] : keys)
    connect(button, &QPushButton::clicked, this, [this, text] { typeIntoAnswer(text); });
  connect(ui_->backspaceButton, &QPushButton::clicked, this, &PracticeWindow::backspace);
  connect(ui_->answerBox, &QLineEdit::returnPressed, this, &PracticeWindow::check);
  connect(ui_->checkButton, &QPushButton::clicked, this, &PracticeWindow::check);
  connect(ui_->noSolutionButton, &QPushButton::clicked, this, &PracticeWindow::claimNoSolution);
  connect(ui_->hintButton, &QPushButton::clicked, this, &PracticeWindow::hint);
  connect(ui_->answersButton, &QPushButton::clicked, this, &PracticeWindow::showAnswers);
  connect(ui_->nextButton, &QPushButton::clicked, this, &PracticeWindow::nextHand);
  connect(ui_->printButton, &QPushButton::clicked, this, &PracticeWindow::printWorksheet);
  connect(ui_->resetButton, &QPushButton::clicked, this, [this] {
    if (QMessageBox::question(this, windowTitle(), tr("清空全部难度的练习统计？")) ==
        QMessageBox::Yes)
      resetStatistics();
  });
  addAction(ui_->timeAction);
  connect(ui_->timeAction, &QAction::triggered, this, &PracticeWindow::tellTime);
  ticker_->setInterval(200);
  connect(ticker_, &QTimer::timeout, this, &PracticeWindow::updateClock);
  // Written a moment after the play: writing the file through to the disk
  // can take longer than a frame.
  saveTimer_->setSingleShot(true);
  saveTimer_->setInterval(500);
  connect(saveTimer_, &QTimer::timeout, this, &PracticeWindow::save);

  deal();
  ui_->answerBox->setFocus();
}

PracticeWindow::~PracticeWindow() {
  if (saveTimer_->isActive()) save();
}

void PracticeWindow::fillChoosers() {
  for (rating::Level level : rating::kLevels)
    ui_->levelBox->addItem(PracticeTexts::level(level), int(level));
  ui_->cardsBox->addItem(tr("A 到 10"), 10);
  ui_->cardsBox->addItem(tr("A 到 K"), 13);
  const auto select = [](QComboBox* box, const QVariant& wanted) {
    box->setCurrentIndex(std::max(0, box->findData(wanted)));
  };
  select(ui_->levelBox, settings_.value(kLevelKey, int(rating::Level::kEasy)).toInt());
  select(ui_->cardsBox, settings_.value(kCardsKey, 13).toInt());
  ui_->withoutSolutionBox->setChecked(settings_.value(kWithoutSolutionKey, false).toBool());
}

PracticeWindow::Choice PracticeWindow::choice() const {
  return {static_cast<rating::Level>(ui_->levelBox->currentData().toInt()),
          ui_->cardsBox->currentData().toInt(), ui_->withoutSolutionBox->isChecked()};
}

void PracticeWindow::save() {
  saveTimer_->stop();
  const Choice chosen = choice();
  settings_.setValue(kLevelKey, int(chosen.level));
  settings_.setValue(kCardsKey, chosen.highestCard);
  settings_.setValue(kWithoutSolutionKey, chosen.withoutSolution);
  statistics_.save();
}

void PracticeWindow::choiceChanged() {
  saveTimer_->start();
  if (!counted_) leave();
  deck_.reset();
  deal();
  // The focus stays on the chooser: say what has been dealt.
  announcer_->announce(ui_->answerBox->accessibleDescription());
}

void PracticeWindow::deal() {
  const Choice chosen = choice();
  if (!deck_)
    deck_.emplace(chosen.level, chosen.highestCard, chosen.withoutSolution, seed_ + decks_++);
  round_.emplace(deck_->next());
  handLevel_ = chosen.level;
  found_.assign(round_->ways().size(), false);
  answersShown_ = false;
  hints_ = 0;
  solved_ = false;
  counted_ = false;

  QStringList names;
  const rating::Hand& hand = round_->hand();
  for (std::size_t i = 0; i < cards_.size(); ++i) {
    const int value = hand[i];
    const auto before = std::count(hand.begin(), hand.begin() + std::ptrdiff_t(i), value);
    cards_[i]->setCard(value, PlayingCard::suitOf(value, int(before)));
    names.append(cards_[i]->accessibleName());
  }
  focusNote_->clear();
  // Read with the answer box whenever the focus comes there.
  //: Between the names of the cards, as a screen reader reads the hand.
  ui_->answerBox->setAccessibleDescription(names.join(tr("；")));
  ui_->answerBox->clear();
  ui_->feedbackLabel->clear();
  updateFound();
  updateStatistics();
  clock_.start();
  if (!isVisible()) clock_.pause();
  updateClock();
}

void PracticeWindow::typeIntoAnswer(const QString& text) {
  ui_->answerBox->insert(text);
  ui_->answerBox->setFocus();
}

void PracticeWindow::backspace() {
  ui_->answerBox->backspace();
  ui_->answerBox->setFocus();
}

void PracticeWindow::check() {
  answer(ui_->answerBox->text().toStdString());
}

void PracticeWindow::claimNoSolution() {
  answer(kNoSolution);
}

void PracticeWindow::answer(const std::string& text) {
  const practice::Round::Outcome outcome = round_->check(text);
  const practice::Verdict& verdict = outcome.verdict;
  if (!outcome.right) {
    tell(PracticeTexts::verdict(verdict, round_->hand(), false));
    // Where the checker points at a stretch of the answer, it is selected.
    if (verdict.where.end > verdict.where.begin) {
      ui_->answerBox->setSelection(int(verdict.where.begin),
                                   int(verdict.where.end - verdict.where.begin));
    } else if (verdict.kind == practice::VerdictKind::kUnreadable) {
      ui_->answerBox->setCursorPosition(int(verdict.where.begin));
    }
    return;
  }
  QString message;
  // The engine places every right formula among the ways; never index past them.
  if (!outcome.way || *outcome.way >= found_.size()) {
    message = PracticeTexts::verdict(verdict, round_->hand(), true);
  } else if (found_[*outcome.way]) {
    message = tr("这种算法已经找到过了（第 %1 种）。").arg(*outcome.way + 1);
  } else {
    found_[*outcome.way] = true;
    message = tr("对了！这是第 %1 种算法，共 %2 种。").arg(*outcome.way + 1).arg(found_.size());
    if (std::ranges::all_of(found_, [](bool way) { return way; }))
      message += QLatin1Char(' ') + tr("%1 种算法全都找到了！").arg(found_.size());
  }
  if (!solved_) solved();
  ui_->answerBox->clear();
  updateFound();
  tell(message);
}

void PracticeWindow::hint() {
  ++hints_;
  const std::optional<rating::Way>& way = round_->hint();
  if (!way) {
    tell(tr("这手牌无解。"));
  } else if (hints_ == 1) {
    tell(tr("提示：先算 %1。").arg(PracticeTexts::step(way->steps.front())));
  } else {
    tell(tr("一种算法：%1").arg(QString::fromStdString(way->formula)));
  }
}

void PracticeWindow::showAnswers() {
  answersShown_ = true;
  if (!counted_) leave();
  updateFound();
  if (found_.empty()) {
    tell(tr("这手牌无解。"));
    return;
  }
  QStringList lines = {tr("全部 %1 种算法：").arg(found_.size())};
  for (const std::string& way : round_->ways()) lines.append(QString::fromStdString(way));
  tell(lines.join(QLatin1Char('\n')));
}

void PracticeWindow::nextHand() {
  if (!counted_) leave();
  deal();
  ui_->answerBox->setFocus();
}

void PracticeWindow::tell(const QString& message) {
  ui_->feedbackLabel->setText(message);
  focusNote_->clear();
  if (ui_->answerBox->hasFocus()) {
    announcer_->announce(message);
  } else {
    // Said with the answer box as the focus lands there, where the player
    // goes on.
    focusNote_->show(ui_->answerBox, message);
    ui_->answerBox->setFocus();
  }
}

void PracticeWindow::tellTime() {
  announcer_->announce(ui_->timeLabel->text());
}

void PracticeWindow::solved() {
  solved_ = true;
  clock_.stop();
  updateClock();
  if (counted_) return;
  counted_ = true;
  const bool helped = hints_ > 0 || answersShown_;
  statistics_.solved(handLevel_,
                     helped ? std::nullopt : std::optional(double(clock_.milliseconds()) / 1000));
  saveTimer_->start();
  updateStatistics();
}

void PracticeWindow::leave() {
  counted_ = true;
  clock_.stop();
  statistics_.left(handLevel_);
  saveTimer_->start();
  updateStatistics();
}

void PracticeWindow::resetStatistics() {
  statistics_.reset();
  updateStatistics();
}

void PracticeWindow::printWorksheet() {
  const Choice chosen = choice();
  const Worksheet worksheet(chosen.level, chosen.highestCard, chosen.withoutSolution,
                            ui_->worksheetHandsBox->value(), seed_ + decks_++);
  QPrinter printer;
  printer.setDocName(worksheet.title());
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) worksheet.print(printer);
}

void PracticeWindow::updateFound() {
  // The number of ways would tell whether the hand has a solution: shown once
  // it is solved or its answers are shown.
  const auto count = std::ranges::count(found_, true);
  ui_->foundLabel->setText((solved_ || answersShown_) && !found_.empty()
                               ? tr("找到 %1 种，共 %2 种").arg(count).arg(found_.size())
                               : QString());
  ui_->foundList->clear();
  for (std::size_t way = 0; way < found_.size(); ++way) {
    if (!found_[way] && !answersShown_) continue;
    auto* item = new QListWidgetItem(QString::fromStdString(round_->ways()[way]));
    item->setFlags(Qt::ItemIsEnabled);
    item->setCheckState(found_[way] ? Qt::Checked : Qt::Unchecked);
    ui_->foundList->addItem(item);
  }
}

void PracticeWindow::updateClock() {
  const QString text = tr("用时 %1").arg(PracticeTexts::clock(clock_.milliseconds()));
  if (ui_->timeLabel->text() != text) ui_->timeLabel->setText(text);
}

void PracticeWindow::updateStatistics() {
  const PracticeStatistics::Record record = statistics_.record(choice().level);
  const QString none = QStringLiteral("–");
  ui_->statisticsLabel->setText(
      tr("已玩 %1 手 · 独立解出 %2 手 · 平均 %3 秒 · 最快 %4 秒 · 连胜 %5（最多 %6）")
          .arg(record.played)
          .arg(record.solvedUnaided)
          .arg(record.solvedUnaided > 0
                   ? PracticeTexts::seconds(record.totalSeconds / record.solvedUnaided)
                   : none,
               record.bestSeconds ? PracticeTexts::seconds(*record.bestSeconds) : none)
          .arg(record.streak)
          .arg(record.bestStreak));
}

void PracticeWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  clock_.resume();
  ticker_->start();
  updateClock();
}

void PracticeWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  clock_.pause();
  ticker_->stop();
  if (saveTimer_->isActive()) save();
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace vantrel::ui
