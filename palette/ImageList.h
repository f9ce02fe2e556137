#pragma once
// TImageList: a list of equal-sized glyphs cut from one strip image, white transparent, each
// with a sharper twin for screens of device pixel ratio 2 where the strip has one.

#include <QIcon>
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
  // left, with white made transparent, and their twins from the strip Resource + "@2x" (twice
  // as wide and high, transparent paper) when there is one. False, and the list unchanged,
  // when the image cannot be read.
  bool GetResource(const QString& Resource);
  // Glyph Index, or a null pixmap when there is none.
  QPixmap GetBitmap(int Index) const;
  // Glyph Index with its twin (device pixel ratio 2) when it has one; a null icon when there
  // is none.
  QIcon GetIcon(int Index) const;

 private:
  int FWidth;
  int FHeight;
  std::vector<QPixmap> FImages;
  std::vector<QPixmap> FSharpImages;  // one a glyph, or none at all
};
