#pragma once

#include <QFont>

namespace vantrel::ui {

// The windows' own font at a character height in pixels (the height without
// internal leading, which is Qt's pixel size). The face they were drawn with,
// 宋体 ("SimSun"), is not found on Linux desktops, so the family list goes on
// with Song-style CJK faces, then CJK sans faces as the last resort; Qt takes
// the first family that exists, for Latin digits and Han characters alike.
// The list is part of each language's translation, so that Traditional
// Chinese can prefer its own glyph forms and English a face made for Latin
// letters. A form cannot say any of this (it knows point sizes and one
// family), so the window classes set these fonts themselves.
QFont songFont(int pixelHeight, QFont::Weight weight);

}  // namespace vantrel::ui
