#pragma once
// An SVG picture a QPainter draws into: filled and stroked paths, rectangles and polygons
// go out as SVG paths with their coordinates in the picture's pixels, to a hundredth of a
// pixel; text goes out as outlines and images as embedded PNG. Solid colours only: a
// gradient or pattern brush fills in its base colour. Clipping is ignored, and an image
// keeps only the scale and move of the painter's transform.
//
// It is what the Math style's pictures need (outlined glyphs, rules), written at a
// fraction of the cost of a general SVG generator, which formats every coordinate and
// state change through a text stream.

#include <QPaintDevice>
#include <QSizeF>
#include <QString>
#include <memory>

class QIODevice;
class TSvgEngine;

class TSvgPicture : public QPaintDevice {
 public:
  // A picture Size pixels large at Dpi (which gives its size in millimetres), written to
  // Device when the painter ends.
  TSvgPicture(QIODevice& Device, QSizeF Size, int Dpi, const QString& Title);
  ~TSvgPicture() override;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric Metric) const override;

 private:
  std::unique_ptr<TSvgEngine> FEngine;
  QSizeF FSize;
  int FDpi;
};
