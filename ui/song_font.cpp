#include "ui/song_font.h"

#include <QStringList>

namespace vantrel::ui {

QFont songFont(int pixelHeight, QFont::Weight weight) {
  QFont font;
  font.setFamilies({
      QStringLiteral("SimSun"),
      QStringLiteral("宋体"),
      QStringLiteral("AR PL UMing CN"),
      QStringLiteral("Noto Serif CJK SC"),
      QStringLiteral("Source Han Serif SC"),
      QStringLiteral("AR PL SungtiL GB"),
      QStringLiteral("Noto Sans CJK SC"),
      QStringLiteral("Source Han Sans SC"),
      QStringLiteral("WenQuanYi Zen Hei"),
      QStringLiteral("WenQuanYi Micro Hei"),
      QStringLiteral("Droid Sans Fallback"),
  });
  font.setPixelSize(pixelHeight);
  font.setWeight(weight);
  return font;
}

}  // namespace vantrel::ui
