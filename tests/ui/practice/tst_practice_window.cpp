// The practice window as a player goes through a seeded hand: wrong answers
// told precisely, with the stretch they point at selected; right ones by
// their way; hints; every way; statistics kept for the next run; hands
// without a solution; and the worksheet's PDF, read back by poppler-utils.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "practice/round.h"
#include "ui/practice/playing_card.h"
#include "ui/practice/practice_window.h"
#include "ui/practice/worksheet.h"

using vantrel::ui::PracticeWindow;

namespace {

// The first hand of this seed at 简单 with cards A to K is A 6 8 J, whose
// ways are 6 + 8 + 11 - 1, (1 + 11 - 8) × 6 and (1 + 11) × (8 - 6).
constexpr std::uint64_t kSeed = 21;

template <class Widget>
Widget* control(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
  if (!widget) qFatal("no control %s", name);
  return widget;
}

QString feedback(const QWidget& window) {
  return control<QLabel>(window, "feedbackLabel")->text();
}

std::unique_ptr<PracticeWindow> showWindow() {
  auto window = std::make_unique<PracticeWindow>(kSeed);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("practice window not exposed");
  return window;
}

QString run(const char* program, const QStringList& arguments) {
  QProcess process;
  process.start(QString::fromUtf8(program), arguments);
  process.waitForFinished();
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class PracticeWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "vantrel", "vantrel").clear();
  }

  // One hand, step by step: what the player does (an answer typed and
  // Enter, the cards and keys clicked, or a button) and what the window
  // says, with the part of the answer it selects.
  void aHandPlayedThrough() {
    window_ = showWindow();
    QCOMPARE(window_->hand(), (vantrel::rating::Hand{1, 6, 8, 11}));
    auto* answer = control<QLineEdit>(*window_, "answerBox");
    QCOMPARE(control<QWidget>(*window_, "card4")->accessibleName(), QStringLiteral("方块 J，11"));

    struct Step {
      const char* doing;  // an answer, or "click:" and the controls, or a button
      const char* told;
      const char* selected = "";
    };
    const Step steps[] = {
        {"8/6+11+1", "算出来是 40/3，不是 24。"},
        {"6+8+11-2", "2 不是这手牌里的数。", "2"},
        {"6+8+11", "还有牌没用上：1。"},
        {"(6+8+11-1", "括号没有配对。", "("},
        {"6+8+11-1 = 25", "算式等于 24，不是 25。", "25"},
        {"6 + 8 + 11 -", "这里少了一个数。"},
        {"click:openButton card1 plusButton card4 minusButton card3 closeButton timesButton card2",
         "对了！这是第 2 种算法，共 3 种。"},
        {"（６＋８）＋Ｊ－Ａ", "对了！这是第 1 种算法，共 3 种。"},
        {"a+J+8+6 - 1 - 1 + 1", "1 用得比牌多。", "1"},
        {"j + 6 + 8 - 1", "这种算法已经找到过了（第 1 种）。"},
        {"noSolutionButton", "这手牌有解，再想想。"},
        {"hintButton", "提示：先算 8 − 1 = 7。"},
        {"hintButton", "一种算法：6 × (11 - (8 - 1))"},
        {"answersButton", "全部 3 种算法：\n6 + 8 + 11 - 1\n(1 + 11 - 8) × 6\n(1 + 11) × (8 - 6)"},
    };
    for (const Step& step : steps) {
      const QString doing = QString::fromUtf8(step.doing);
      if (doing.startsWith("click:")) {
        answer->clear();
        for (const QString& name : doing.mid(6).split(' '))
          QTest::mouseClick(control<QAbstractButton>(*window_, qPrintable(name)), Qt::LeftButton);
        QCOMPARE(answer->text(), QStringLiteral("(1+11−8)×6"));
        QTest::keyClick(answer, Qt::Key_Return);
      } else if (doing.endsWith("Button")) {
        QTest::mouseClick(control<QPushButton>(*window_, step.doing), Qt::LeftButton);
      } else {
        answer->setText(doing);
        QTest::keyClick(answer, Qt::Key_Return);
      }
      QCOMPARE(feedback(*window_), QString::fromUtf8(step.told));
      QCOMPARE(answer->selectedText(), QString::fromUtf8(step.selected));
      QVERIFY(answer->hasFocus());
    }

    // Every way listed once the answers are shown, the ones found ticked.
    QCOMPARE(control<QLabel>(*window_, "foundLabel")->text(), QStringLiteral("找到 2 种，共 3 种"));
    auto* found = control<QListWidget>(*window_, "foundList");
    QCOMPARE(found->count(), 3);
    QCOMPARE(found->item(0)->checkState(), Qt::Checked);
    QCOMPARE(found->item(1)->checkState(), Qt::Checked);
    QCOMPARE(found->item(2)->checkState(), Qt::Unchecked);
  }

  // Solved without help, then a hand left at 看答案: kept in the settings
  // and read by the next window, per level, with the level chosen.
  void statisticsOutliveTheWindow() {
    const auto statistics = [this] { return control<QLabel>(*window_, "statisticsLabel")->text(); };
    const QRegularExpression first(
        "^已玩 1 手 · 独立解出 1 手 · 平均 \\d+\\.\\d 秒 · 最快 \\d+\\.\\d 秒 · 连胜 1（最多 1）$");
    QVERIFY2(first.match(statistics()).hasMatch(), qPrintable(statistics()));
    QTest::mouseClick(control<QPushButton>(*window_, "nextButton"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(*window_, "answersButton"), Qt::LeftButton);
    control<QComboBox>(*window_, "levelBox")->setCurrentIndex(1);  // that hand counted once
    QVERIFY2(statistics().startsWith("已玩 0 手 · 独立解出 0 手 · 平均 – 秒"),
             qPrintable(statistics()));

    window_.reset();
    window_ = showWindow();
    auto* level = control<QComboBox>(*window_, "levelBox");
    QCOMPARE(level->currentText(), QStringLiteral("中等"));
    level->setCurrentIndex(0);
    const QRegularExpression kept(
        "^已玩 2 手 · 独立解出 1 手 · 平均 \\d+\\.\\d 秒 · 最快 \\d+\\.\\d 秒 · 连胜 0（最多 1）$");
    QVERIFY2(kept.match(statistics()).hasMatch(), qPrintable(statistics()));
    window_->resetStatistics();
    QVERIFY2(statistics().startsWith("已玩 0 手"), qPrintable(statistics()));
  }

  // With the option, a hand without a solution comes within a few; 无解 is
  // right for it, typed (in traditional characters too) or by the button.
  void handsWithoutASolution() {
    control<QCheckBox>(*window_, "withoutSolutionBox")->setChecked(true);
    for (int i = 0; i < 30 && !vantrel::practice::Round(window_->hand()).ways().empty(); ++i)
      window_->nextHand();
    QVERIFY(vantrel::practice::Round(window_->hand()).ways().empty());
    auto* answer = control<QLineEdit>(*window_, "answerBox");
    answer->setText(QStringLiteral("無解"));
    QTest::keyClick(answer, Qt::Key_Return);
    QCOMPARE(feedback(*window_), QStringLiteral("对了，这手牌无解。"));
    QVERIFY(control<QLabel>(*window_, "foundLabel")->text().isEmpty());
    window_->claimNoSolution();
    QCOMPARE(feedback(*window_), QStringLiteral("对了，这手牌无解。"));
  }

  // The time stands still while the window is hidden.
  void clockStandsStillWhileHidden() {
    window_->nextHand();
    window_->hide();
    QTest::qWait(1100);
    window_->show();
    QCOMPARE(control<QLabel>(*window_, "timeLabel")->text(), QStringLiteral("用时 0:00"));
    QTest::qWait(1300);  // the label follows within a fifth of a second
    QCOMPARE(control<QLabel>(*window_, "timeLabel")->text(), QStringLiteral("用时 0:01"));
  }

  // 20 hands on pages of their own, then the answers from a new page: each
  // hand on a hands page, and on an answers page with its solution.
  void worksheetPdf() {
    if (!*PDFTOTEXT || !*PDFINFO) QSKIP("poppler-utils is not installed");
    const vantrel::ui::Worksheet sheet(vantrel::rating::Level::kHard, 13, false, 20, kSeed);
    QTemporaryDir folder;
    const QString file = folder.filePath("worksheet.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    sheet.print(printer);

    const int pages =
        QRegularExpression("Pages:\\s+(\\d+)").match(run(PDFINFO, {file})).captured(1).toInt();
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    QStringList texts;  // each page's, without blanks
    for (int page = 1; page <= pages; ++page)
      texts.append(run(PDFTOTEXT, {"-layout", "-f", QString::number(page), "-l",
                                   QString::number(page), file, "-"})
                       .remove(QRegularExpression("\\s")));
    const auto answersFrom = texts.indexOf(QRegularExpression(".*答案.*"));
    QVERIFY2(answersFrom > 0, qPrintable(texts.join('\n')));
    QVERIFY(texts.first().startsWith("24点练习题·困难·A–K"));
    for (std::size_t i = 0; i < sheet.hands().size(); ++i) {
      QString hand = QString::number(i + 1) + '.';
      for (int card : sheet.hands()[i]) hand += vantrel::ui::PlayingCard::rank(card);
      const QString answer = hand + QString(sheet.answers()[int(i)]).remove(' ');
      const auto on = [&](const QString& text, qsizetype from, qsizetype to) {
        return std::any_of(texts.begin() + from, texts.begin() + to,
                           [&](const QString& page) { return page.contains(text); });
      };
      QVERIFY2(on(hand, 0, answersFrom) && !on(answer, 0, answersFrom), qPrintable(hand));
      QVERIFY2(on(answer, answersFrom, texts.size()), qPrintable(answer));
    }
  }

 private:
  std::unique_ptr<PracticeWindow> window_;
};

QTEST_MAIN(PracticeWindowTest)
#include "tst_practice_window.moc"
