#include "platform/qt/fonts.h"

namespace vantrel::platform {

QStringList songFamilies() {
  return {
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
  };
}

QFont layoutFont(const FontStyle& style, const QFont& runtimeDefault) {
  if (style.isRuntimeDefault()) return runtimeDefault;
  QFont font;
  font.setFamilies(songFamilies());
  // The height of the characters without internal leading: Qt's pixel size.
  font.setPixelSize(style.pixelHeight);
  font.setWeight(QFont::Weight(style.weight));
  return font;
}

} // namespace vantrel::platform
