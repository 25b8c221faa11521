#include "ui/song_font.h"

#include <QCoreApplication>
#include <QStringList>

namespace vantrel::ui {

QFont songFont(int pixelHeight, QFont::Weight weight) {
  QFont font;
  font.setFamilies(
      //: The families of the windows' own font, most wanted first, separated
      //: by commas: Qt takes the first that is installed. Song-style faces
      //: suit Chinese; a language written in Latin letters may put first a
      //: face that shows them well.
      QCoreApplication::translate("vantrel::ui::Font",
                                  "SimSun,宋体,AR PL UMing CN,Noto Serif CJK SC,"
                                  "Source Han Serif SC,AR PL SungtiL GB,Noto Sans CJK SC,"
                                  "Source Han Sans SC,WenQuanYi Zen Hei,WenQuanYi Micro Hei,"
                                  "Droid Sans Fallback")
          .split(QLatin1Char(','), Qt::SkipEmptyParts));
  font.setPixelSize(pixelHeight);
  font.setWeight(weight);
  return font;
}

}  // namespace vantrel::ui
