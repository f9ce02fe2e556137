#pragma once
// TImageList: a list of equal-sized glyphs cut from one strip image, white transparent.

#include <QPixmap>
#include <QString>
#include <vector>

class TImageList {
 public:
  TImageList(int Width, int Height) : FWidth(Width), FHeight(Height) {}

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const { return static_cast<int>(FImages.size()); }

  // Appends the glyphs of the strip image at Resource, one every Width pixels from the
  // left, with white made transparent. False, and the list unchanged, when the image
  // cannot be read.
  bool GetResource(const QString& Resource);
  // Glyph Index, or a null pixmap when there is none.
  QPixmap GetBitmap(int Index) const;

 private:
  int FWidth;
  int FHeight;
  std::vector<QPixmap> FImages;
};
