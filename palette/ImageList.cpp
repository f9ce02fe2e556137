#include "ImageList.h"

#include <QBitmap>
#include <QImage>

bool TImageList::GetResource(const QString& Resource) {
  const QImage Strip(Resource);
  if (Strip.isNull() || FWidth <= 0 || FHeight <= 0) return false;
  for (int Left = 0; Left + FWidth <= Strip.width(); Left += FWidth) {
    // Anything outside the strip (a strip lower than the glyphs) stays white.
    QImage Glyph(FWidth, FHeight, QImage::Format_RGB32);
    Glyph.fill(Qt::white);
    for (int Y = 0; Y < qMin(FHeight, Strip.height()); ++Y)
      for (int X = 0; X < FWidth; ++X) Glyph.setPixel(X, Y, Strip.pixel(Left + X, Y));
    QPixmap Bitmap = QPixmap::fromImage(Glyph);
    Bitmap.setMask(Bitmap.createMaskFromColor(Qt::white, Qt::MaskInColor));
    FImages.push_back(Bitmap);
  }
  return true;
}

QPixmap TImageList::GetBitmap(int Index) const {
  return Index >= 0 && Index < Count() ? FImages[Index] : QPixmap();
}
