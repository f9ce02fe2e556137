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
  const QImage Sharp(Resource + QStringLiteral("@2x"));
  // Twins for all the glyphs or for none.
  if (Sharp.width() == 2 * Strip.width() && FSharpImages.size() + Strip.width() / FWidth == FImages.size()) {
    for (int Left = 0; Left + 2 * FWidth <= Sharp.width(); Left += 2 * FWidth) {
      QPixmap Twin = QPixmap::fromImage(Sharp.copy(Left, 0, 2 * FWidth, 2 * FHeight));
      Twin.setDevicePixelRatio(2);
      FSharpImages.push_back(Twin);
    }
  }
  return true;
}

QPixmap TImageList::GetBitmap(int Index) const {
  return Index >= 0 && Index < Count() ? FImages[Index] : QPixmap();
}

QIcon TImageList::GetIcon(int Index) const {
  if (Index < 0 || Index >= Count()) return QIcon();
  QIcon Icon(FImages[Index]);
  if (FSharpImages.size() == FImages.size()) Icon.addPixmap(FSharpImages[Index]);
  return Icon;
}
