#pragma once
// A font as the formula nodes use it: a QFont plus the colour of its text. Size is the
// point size, which layout takes directly as a count of pixels.

#include <QColor>
#include <QFont>

class TFont : public QFont {
 public:
  TFont() = default;
  explicit TFont(const QFont& Font, QColor TextColor = Qt::black)
      : QFont(Font), Color(TextColor) {}

  // The point size; a font given in pixels reports its size converted at 96 dpi.
  int Size() const;
  // Sets the point size; sizes below 1 become 1, the smallest a font can have.
  void SetSize(int Value);

  QColor Color = Qt::black;
};
