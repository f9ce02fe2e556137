// Draws the palette's glyph strips BT00..BT19 (monochrome bitmaps, black on white, white
// transparent) and the two 24x24 component icons, and the same at twice the size for
// screens of device pixel ratio 2: strips BTgg@2x and icons T*@2x, smoothed, black ink on
// transparent paper.
//
// Usage: MakeGlyphs <output folder>   (the repository's palette/ folder)
// Writes <folder>/glyphs/BTgg.png, <folder>/glyphs/BTgg@2x.png and <folder>/icons/T*.png.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

// One glyph being drawn in glyph pixels. At scale 1 an RGB canvas later reduced to one bit a
// pixel, drawn pixel by pixel; at a larger scale every glyph pixel is Scale device pixels
// wide and lines, rings and letters are drawn as smooth vectors.
class TGlyph {
 public:
  TGlyph(int W, int H, int Scale = 1)
      : Image(W * Scale, H * Scale, Scale == 1 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied),
        FScale(Scale) {
    Image.fill(Scale == 1 ? QColor(Qt::white) : QColor(Qt::transparent));
  }
  int W() const { return Image.width() / FScale; }
  int H() const { return Image.height() / FScale; }

  void Pixel(int X, int Y) {
    if (X < 0 || Y < 0 || X >= W() || Y >= H()) return;
    if (FScale == 1)
      Image.setPixel(X, Y, qRgb(0, 0, 0));
    else
      QPainter(&Image).fillRect(X * FScale, Y * FScale, FScale, FScale, Qt::black);
  }
  void HLine(int X1, int X2, int Y) {
    for (int X = qMin(X1, X2); X <= qMax(X1, X2); ++X) Pixel(X, Y);
  }
  void VLine(int X, int Y1, int Y2) {
    for (int Y = qMin(Y1, Y2); Y <= qMax(Y1, Y2); ++Y) Pixel(X, Y);
  }
  void Line(int X1, int Y1, int X2, int Y2) {
    if (FScale == 1) {
      QPainter P(&Image);
      P.setPen(QPen(Qt::black, 1));
      P.drawLine(X1, Y1, X2, Y2);
      return;
    }
    // Through the centres of the end pixels, one glyph pixel thick.
    QPainter P(&Image);
    Smooth(P);
    P.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    P.drawLine(QPointF(X1 + 0.5, Y1 + 0.5), QPointF(X2 + 0.5, Y2 + 0.5));
  }
  // The outline of the ellipse in R, one pixel thick.
  void Ellipse(QRect R) {
    QPainter P(&Image);
    if (FScale == 1) {
      P.setPen(QPen(Qt::black, 1));
      P.drawEllipse(R);
      return;
    }
    Smooth(P);
    P.setPen(QPen(Qt::black, 1));
    P.drawEllipse(QRectF(R).translated(0.5, 0.5));
  }
  // An empty slot: a W x H outline.
  void Box(int X, int Y, int BW, int BH) {
    HLine(X, X + BW - 1, Y);
    HLine(X, X + BW - 1, Y + BH - 1);
    VLine(X, Y, Y + BH - 1);
    VLine(X + BW - 1, Y, Y + BH - 1);
  }
  void Fill(int X, int Y, int BW, int BH) {
    for (int I = 0; I < BW; ++I) VLine(X + I, Y, Y + BH - 1);
  }
  // A horizontal arrow from X1 to X2 on row Y with heads at the chosen ends.
  void HArrow(int X1, int X2, int Y, bool Right, bool Left, int Head = 2) {
    HLine(X1, X2, Y);
    for (int I = 1; I <= Head; ++I) {
      if (Right) { Pixel(X2 - I, Y - I); Pixel(X2 - I, Y + I); }
      if (Left) { Pixel(X1 + I, Y - I); Pixel(X1 + I, Y + I); }
    }
  }
  void VArrow(int X, int Y1, int Y2, bool Down, bool Up, int Head = 2) {
    VLine(X, Y1, Y2);
    for (int I = 1; I <= Head; ++I) {
      if (Down) { Pixel(X - I, Y2 - I); Pixel(X + I, Y2 - I); }
      if (Up) { Pixel(X - I, Y1 + I); Pixel(X + I, Y1 + I); }
    }
  }
  // Text as large as fits Area (up to MaxPixels) unsmoothed, its ink centred in Area; at a
  // larger scale the same size is drawn smoothed at that scale.
  void Text(const QString& S, QRect Area, int MaxPixels, const QString& Family = "DejaVu Sans",
            bool Italic = false) {
    for (int Size = MaxPixels; Size >= 4; --Size) {
      QFont F(Family);
      F.setPixelSize(Size);
      F.setItalic(Italic);
      F.setStyleStrategy(QFont::NoAntialias);
      F.setHintingPreference(QFont::PreferFullHinting);
      const QImage Scratch = Ink(S, F);
      const QRect Box = InkBox(Scratch);
      if (Box.isNull()) return;
      if (Box.width() > Area.width() || Box.height() > Area.height()) continue;
      if (FScale > 1) {
        F.setPixelSize(Size * FScale);
        F.setStyleStrategy(QFont::PreferAntialias);
        SmoothText(S, F, Area);
        return;
      }
      const int DX = Area.x() + (Area.width() - Box.width()) / 2 - Box.x();
      const int DY = Area.y() + (Area.height() - Box.height()) / 2 - Box.y();
      for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
        for (int X = Box.left(); X <= Box.right(); ++X)
          if (qAlpha(Scratch.pixel(X, Y)) >= 128) Pixel(X + DX, Y + DY);
      return;
    }
  }
  void Text(const QString& S, int MaxPixels) { Text(S, QRect(0, 0, W(), H()), MaxPixels); }

  QImage Image;

 private:
  void Smooth(QPainter& P) const {
    P.setRenderHint(QPainter::Antialiasing);
    P.scale(FScale, FScale);
  }
  // S in font F, black ink on transparent paper, its base line well inside.
  static QImage Ink(const QString& S, const QFont& F) {
    const int Size = F.pixelSize();
    QImage Scratch(Size * 4 + 8, Size * 3, QImage::Format_ARGB32_Premultiplied);
    Scratch.fill(Qt::transparent);
    QPainter P(&Scratch);
    P.setFont(F);
    P.setPen(Qt::black);
    P.drawText(4, Size * 2, S);
    return Scratch;
  }
  // The pixels at least half covered.
  static QRect InkBox(const QImage& Scratch) {
    QRect Box;
    for (int Y = 0; Y < Scratch.height(); ++Y)
      for (int X = 0; X < Scratch.width(); ++X)
        if (qAlpha(Scratch.pixel(X, Y)) >= 128) Box |= QRect(X, Y, 1, 1);
    return Box;
  }
  // S in F (sized for the scale), its ink centred in Area (glyph pixels).
  void SmoothText(const QString& S, const QFont& F, QRect Area) {
    const QImage Scratch = Ink(S, F);
    const QRect Box = InkBox(Scratch);
    const QRect Target(Area.topLeft() * FScale, Area.size() * FScale);
    const int DX = Target.x() + (Target.width() - Box.width()) / 2 - Box.x();
    const int DY = Target.y() + (Target.height() - Box.height()) / 2 - Box.y();
    QPainter(&Image).drawImage(DX, DY, Scratch);
  }

  int FScale;
};

using TDraw = std::function<void(TGlyph&, int Button)>;

struct TStrip {
  int Count;
  int Height;
  int Width;
  TDraw Draw;
};

QString Char(char32_t Code) { return QString::fromUcs4(&Code, 1); }

// Symbol strips: one character a glyph, drawn as large as the glyph allows.
TDraw Chars(std::vector<char32_t> Codes, int MaxPixels, int Margin = 1) {
  return [=](TGlyph& G, int B) {
    G.Text(Char(Codes[B]), QRect(Margin, Margin, G.W() - 2 * Margin, G.H() - 2 * Margin), MaxPixels);
  };
}

void BigSign(TGlyph& G, char32_t Sign, QRect R);
int IntegralSigns(TGlyph& G, int X, int Top, int Bottom, int Count, bool Ring);

// Category bar, 40 x 20: samples of each group.
void DrawCategory(TGlyph& G, int B) {
  auto Row = [&](std::initializer_list<char32_t> Codes, int MaxPixels = 14) {
    int X = 1;
    const int Step = 38 / static_cast<int>(Codes.size());
    for (char32_t C : Codes) {
      G.Text(Char(C), QRect(X, 2, Step, 16), MaxPixels);
      X += Step;
    }
  };
  switch (B) {
    case 0: Row({0x2264, 0x2260, 0x2248}); break;
    case 1:  // a spacing mark, a b with a space, a diagonal ellipsis
      G.VLine(3, 5, 14); G.Pixel(2, 14); G.Pixel(4, 14); G.HLine(1, 5, 15);
      G.Text("a", QRect(8, 4, 7, 12), 12); G.Text("b", QRect(17, 4, 7, 12), 12);
      G.Fill(29, 5, 2, 2); G.Fill(32, 9, 2, 2); G.Fill(35, 13, 2, 2);
      break;
    case 2:  // boxes with marks above
      for (int I = 0; I < 3; ++I) {
        G.Box(3 + 12 * I, 8, 8, 9);
      }
      G.Pixel(7, 5); G.Pixel(18, 5); G.Pixel(20, 5); G.HLine(27, 34, 5);
      break;
    case 3: Row({0x00B1, 0x2022, 0x2297}); break;
    case 4: Row({0x2192, 0x21D4, 0x2193}); break;
    case 5: Row({0x2234, 0x2200, 0x2203}); break;
    case 6: Row({0x2209, 0x2229, 0x2282}); break;
    case 7: Row({0x2202, 0x221E, 0x2113}); break;
    case 8: Row({0x03BB, 0x03C9, 0x03B8}); break;
    case 9: Row({0x039B, 0x03A9, 0x0398}); break;
    case 10:  // (box) [box]
      G.Text("(", QRect(1, 2, 5, 16), 16); G.Box(7, 5, 6, 10); G.Text(")", QRect(14, 2, 5, 16), 16);
      G.Text("[", QRect(21, 2, 5, 16), 16); G.Box(27, 5, 6, 10); G.Text("]", QRect(34, 2, 5, 16), 16);
      break;
    case 11:  // fraction and root
      G.Box(5, 1, 8, 7); G.HLine(3, 14, 9); G.Box(5, 11, 8, 7);
      G.Line(21, 11, 23, 17); G.Line(23, 17, 26, 3); G.HLine(26, 37, 3); G.Box(28, 6, 8, 9);
      break;
    case 12:  // base with superscript, base with subscript
      G.Box(3, 6, 8, 10); G.Box(12, 2, 5, 5);
      G.Box(22, 4, 8, 10); G.Box(31, 12, 5, 5);
      break;
    case 13:  // two sums
      BigSign(G, 0x2211, QRect(2, 3, 10, 14)); G.Box(14, 6, 5, 8);
      G.Box(25, 0, 5, 4); BigSign(G, 0x2211, QRect(23, 5, 9, 10)); G.Box(25, 16, 5, 4);
      G.Box(33, 7, 5, 7);
      break;
    case 14: IntegralSigns(G, 3, 1, 18, 1, false); G.Box(12, 6, 6, 8);
      IntegralSigns(G, 22, 1, 18, 1, true); G.Box(31, 6, 6, 8); break;
    case 15:  // over- and under-barred boxes
      G.HLine(4, 15, 3); G.Box(5, 6, 10, 11);
      G.Box(24, 3, 10, 11); G.HLine(23, 34, 16);
      break;
    case 16:  // arrows with labels
      G.Box(5, 2, 9, 6); G.HArrow(1, 18, 11, true, false, 3);
      G.Box(26, 12, 9, 6); G.HArrow(21, 38, 8, true, true, 3);
      break;
    case 17: BigSign(G, 0x220F, QRect(3, 3, 12, 14)); BigSign(G, 0x22C3, QRect(24, 3, 11, 14)); break;
    case 18:  // a row of cells, a grid
      for (int I = 0; I < 3; ++I) G.Box(1 + 6 * I, 8, 5, 5);
      for (int R = 0; R < 3; ++R)
        for (int C = 0; C < 3; ++C) G.Box(22 + 6 * C, 2 + 6 * R, 5, 5);
      break;
  }
}

// Group 1, 10 x 10: relation signs; the shown ones drawn by hand for clean strokes.
void DrawRelations(TGlyph& G, int B) {
  auto Tilde = [&](int Y) {
    static const int Wave[] = {1, 0, 0, 1, 1, 2, 2, 1};
    for (int I = 0; I < 8; ++I) G.Pixel(1 + I, Y + Wave[I]);
  };
  switch (B) {
    case 0: G.Line(8, 0, 1, 3); G.Line(1, 3, 8, 6); G.HLine(1, 8, 8); break;
    case 1: G.Line(1, 0, 8, 3); G.Line(8, 3, 1, 6); G.HLine(1, 8, 8); break;
    case 6: G.HLine(1, 8, 3); G.HLine(1, 8, 6); G.Line(6, 0, 3, 9); break;
    case 7: G.HLine(1, 8, 2); G.HLine(1, 8, 5); G.HLine(1, 8, 8); break;
    case 8: Tilde(1); Tilde(5); break;
    default: {
      static const char32_t Codes[] = {0, 0, 0x227A, 0x227B, 0x22B2, 0x22B3, 0, 0, 0, 0x2245, 0x221D};
      G.Text(Char(Codes[B]), QRect(0, 0, 10, 10), 12);
    }
  }
}

// Group 2, 15 x 15: spaces shown as a gap between two letters, ellipses as dots.
void DrawSpaces(TGlyph& G, int B) {
  auto Gap = [&](int Width) {  // a measured gap: two ticks joined by a floor
    const int X = (15 - Width) / 2 - 1;
    G.VLine(X, 5, 11); G.VLine(X + Width + 1, 5, 11); G.HLine(X, X + Width + 1, 11);
  };
  auto Dot = [&](int X, int Y) { G.Fill(X, Y, 2, 2); };
  switch (B) {
    case 0:  // alignment mark: a bar standing on a triangle
      G.VLine(7, 1, 9); G.HLine(4, 10, 13); G.HLine(5, 9, 12); G.HLine(6, 8, 11); G.Pixel(7, 10); break;
    case 1: G.VLine(7, 3, 11); G.Pixel(6, 11); G.Pixel(8, 11); G.Pixel(6, 3); G.Pixel(8, 3); break;
    case 2: Gap(1); break;
    case 3: Gap(3); break;
    case 4: Gap(6); break;
    case 5: Gap(11); break;
    case 6: Dot(1, 11); Dot(6, 11); Dot(11, 11); break;   // ellipsis on the base line
    case 7: Dot(1, 7); Dot(6, 7); Dot(11, 7); break;      // on the middle line
    case 8: Dot(7, 1); Dot(7, 6); Dot(7, 11); break;
    case 9: Dot(2, 11); Dot(7, 6); Dot(12, 1); break;
    case 10: Dot(2, 1); Dot(7, 6); Dot(12, 11); break;
  }
}

// Group 3, 15 x 15: a box with the embellishment it receives.
void DrawOrnaments(TGlyph& G, int B) {
  G.Box(3, 5, 8, 9);
  switch (B) {
    case 0: break;
    case 1: G.HLine(1, 12, 9); break;
    case 2: G.Line(1, 14, 13, 2); break;
    case 3: G.Line(12, 4, 13, 1); break;
    case 4: G.Line(11, 4, 12, 1); G.Line(13, 4, 14, 1); break;
    case 5: G.Line(10, 4, 11, 1); G.Line(12, 4, 13, 1); G.Line(14, 4, 14, 1); break;
    case 6: G.Fill(6, 1, 2, 2); break;
    case 7: G.Fill(4, 1, 2, 2); G.Fill(8, 1, 2, 2); break;
    case 8: G.Fill(2, 1, 2, 2); G.Fill(6, 1, 2, 2); G.Fill(10, 1, 2, 2); break;
    case 9: G.HLine(3, 10, 2); break;
    case 10: G.Line(3, 3, 6, 0); G.Line(7, 0, 10, 3); break;
    case 11: G.Line(3, 2, 4, 1); G.HLine(5, 6, 1); G.Line(7, 2, 8, 2); G.HLine(8, 9, 2); G.Line(10, 1, 10, 1); break;
    case 12: G.HArrow(2, 12, 2, true, false); break;
    case 13: G.HArrow(2, 12, 2, false, true); break;
    case 14: G.HArrow(1, 13, 2, true, true); break;
    case 15: G.HLine(2, 12, 3); G.Line(12, 3, 10, 1); break;
    case 16: G.HLine(2, 12, 3); G.Line(2, 3, 4, 1); break;
    case 17: G.HLine(5, 8, 1); G.Pixel(4, 2); G.Pixel(9, 2); G.Pixel(3, 3); G.Pixel(10, 3); break;
    case 18: G.HLine(5, 8, 3); G.Pixel(4, 2); G.Pixel(9, 2); G.Pixel(3, 1); G.Pixel(10, 1); break;
    case 19: G.Line(13, 4, 12, 1); break;
  }
}

// Big operator signs drawn with single-pixel strokes so that they stay crisp when small.
void BigSign(TGlyph& G, char32_t Sign, QRect R) {
  const int L = R.left(), T = R.top(), Rt = R.right(), B = R.bottom();
  switch (Sign) {
    case 0x2211: {  // sum
      const int Mid = T + R.height() / 2, Tip = L + R.width() / 2;
      G.HLine(L, Rt, T); G.HLine(L, Rt, B);
      G.Line(L, T, Tip, Mid); G.Line(L + 1, T, Tip + 1, Mid);
      G.Line(Tip, Mid, L, B);
      G.Pixel(Rt, T + 1); G.Pixel(Rt, B - 1);
      break;
    }
    case 0x220F:  // product
    case 0x2210: {  // coproduct: the product upside down
      const bool Up = Sign == 0x2210;
      const int Bar = Up ? B : T, Feet = Up ? T : B;
      G.HLine(L, Rt, Bar);
      for (int X : {L + 1, L + 2, Rt - 2, Rt - 1}) G.VLine(X, T, B);
      G.HLine(L, L + 3, Feet); G.HLine(Rt - 3, Rt, Feet);
      break;
    }
    case 0x22C2:  // big intersection
    case 0x22C3: {  // big union: the intersection upside down
      const bool Cup = Sign == 0x22C3;
      const int Round = Cup ? B : T, Open = Cup ? T : B, In = Cup ? -1 : 1;
      for (int X : {L, L + 1, Rt - 1, Rt}) G.VLine(X, Round + 2 * In, Open);
      G.Pixel(L + 1, Round + In); G.Pixel(L + 2, Round + In); G.Pixel(Rt - 1, Round + In); G.Pixel(Rt - 2, Round + In);
      G.HLine(L + 2, Rt - 2, Round);
      break;
    }
  }
}

// Count integral signs side by side, 4 pixels apart, in rows Top..Bottom starting at
// column X; with Ring, one ring across all their stems. Returns the width used.
int IntegralSigns(TGlyph& G, int X, int Top, int Bottom, int Count, bool Ring) {
  const int H = Bottom - Top + 1;
  for (int I = 0; I < Count; ++I) {
    const int C = X + 3 + 4 * I;
    G.VLine(C, Top + 1, Bottom - 1);
    if (Count == 1 && !Ring) G.VLine(C + 1, Top + H / 4, Bottom - H / 4);
    G.Pixel(C + 1, Top); G.Pixel(C + 2, Top); G.Pixel(C + 3, Top + 1);
    G.Pixel(C - 1, Bottom); G.Pixel(C - 2, Bottom); G.Pixel(C - 3, Bottom - 1);
  }
  const int Width = 7 + 4 * (Count - 1);
  if (Ring) {
    const int Mid = Top + H / 2;
    G.Ellipse(QRect(X, Mid - 3, Width - 1, 6));
  }
  return Width;
}

// Groups 14 and 18, 20 x 20: a big operator sign with an operand box and, by button,
// limits (boxes above and below) or indices (boxes on the right).
void DrawOperator(TGlyph& G, char32_t Sign, int Variant) {
  switch (Variant) {
    case 0: BigSign(G, Sign, QRect(1, 3, 10, 14)); G.Box(13, 6, 6, 8); break;
    case 1: BigSign(G, Sign, QRect(2, 1, 9, 12)); G.Box(4, 15, 6, 4); G.Box(14, 4, 5, 7); break;
    case 2:
      G.Box(4, 0, 6, 4); BigSign(G, Sign, QRect(2, 5, 9, 10)); G.Box(4, 16, 6, 4);
      G.Box(14, 6, 5, 7); break;
    case 3: BigSign(G, Sign, QRect(0, 1, 9, 14)); G.Box(10, 13, 4, 5); G.Box(15, 4, 5, 7); break;
    case 4:
      BigSign(G, Sign, QRect(0, 3, 9, 13)); G.Box(10, 0, 4, 5); G.Box(10, 15, 4, 5);
      G.Box(15, 6, 5, 7); break;
  }
}

// Group 15: integrals of one to three signs, with or without a ring, and their slots.
void DrawIntegral(TGlyph& G, int B) {
  // Variant: 0 no slot, 1 both limits, 2 both indices, 3 lower limit, 4 lower index.
  int Size = 1, Variant = B;
  bool Ring = false;
  if (B >= 3) {
    Size = (B - 3) / 3 % 3 + 1;
    Ring = B >= 12;
    Variant = B % 3 == 0 ? 0 : (B % 3 == 1 ? 3 : 4);
  }
  const int Width = 7 + 4 * (Size - 1);
  auto Operand = [&](int X, int Y) {
    if (20 - X >= 4) G.Box(X, Y, qMin(6, 20 - X), 8);
  };
  switch (Variant) {
    case 0: IntegralSigns(G, 0, 1, 18, Size, Ring); Operand(Width + 1, 6); break;
    case 1:
      G.Box(1, 0, 6, 4); IntegralSigns(G, 0, 5, 14, Size, Ring); G.Box(1, 16, 6, 4);
      Operand(Width + 3, 6); break;
    case 2:
      IntegralSigns(G, 0, 1, 18, Size, Ring); G.Box(Width, 0, 4, 5); G.Box(Width, 15, 4, 5);
      Operand(Width + 6, 6); break;
    case 3:
      IntegralSigns(G, 0, 0, 14, Size, Ring); G.Box(Width / 2 - 3, 16, 7, 4);
      Operand(Width + 1, 4); break;
    case 4:
      IntegralSigns(G, 0, 1, 18, Size, Ring); G.Box(Width, 14, 4, 5);
      Operand(Width + 6, 5); break;
  }
}

// Group 11, 20 x 20: a box between the brackets its button inserts.
void DrawBrackets(TGlyph& G, int B) {
  auto Angle = [&](int X, bool Opening) {
    const int Tip = Opening ? X : X + 4, Back = Opening ? X + 4 : X;
    G.Line(Back, 1, Tip, 9); G.Line(Tip, 10, Back, 18);
  };
  auto Left = [&](QString S) {
    if (S == Char(0x27E8)) Angle(1, true);
    else if (S == Char(0x27E9)) Angle(1, false);
    else G.Text(S, QRect(0, 1, 6, 18), 20);
  };
  auto Right = [&](QString S) {
    if (S == Char(0x27E8)) Angle(15, true);
    else if (S == Char(0x27E9)) Angle(15, false);
    else G.Text(S, QRect(14, 1, 6, 18), 20);
  };
  auto Brace = [&](int Y, bool Over) {  // a horizontal curly bracket
    const int Out = Over ? -1 : 1;
    G.HLine(3, 8, Y); G.HLine(11, 16, Y);
    G.Pixel(2, Y - Out); G.Pixel(17, Y - Out);
    G.Pixel(9, Y + Out); G.Pixel(10, Y + Out);
  };
  auto Middle = [&] { G.Box(7, 5, 6, 10); };
  auto Both = [&](QString L, QString R) { Left(L); Middle(); Right(R); };
  const QString Langle = Char(0x27E8), Rangle = Char(0x27E9), Norm = Char(0x2016);
  switch (B) {
    case 0: Both("(", ")"); break;
    case 1: Both("[", "]"); break;
    case 2: Both("{", "}"); break;
    case 3: Both(Langle, Rangle); break;
    case 4: Both("|", "|"); break;
    case 5: Both(Norm, Norm); break;
    case 6: Both(Char(0x230A), Char(0x230B)); break;
    case 7: Both(Char(0x2308), Char(0x2309)); break;
    case 8: Both("[", ")"); break;
    case 9: Both("(", "]"); break;
    case 10: Both("]", "["); break;
    case 11: Both("[", "["); break;
    case 12: Both("]", "]"); break;
    case 13: Brace(3, true); G.Box(5, 7, 10, 10); break;
    case 14: G.Box(5, 2, 10, 10); Brace(15, false); break;
    case 15: Left("("); Middle(); break;
    case 16: Middle(); Right(")"); break;
    case 17: Left("["); Middle(); break;
    case 18: Middle(); Right("]"); break;
    case 19: Left("{"); Middle(); break;
    case 20: Middle(); Right("}"); break;
    case 21: Left(Langle); Middle(); break;
    case 22: Middle(); Right(Rangle); break;
    case 23: Left("|"); Middle(); break;
    case 24: Middle(); Right("|"); break;
    case 25: Left(Norm); Middle(); break;
    case 26: Middle(); Right(Norm); break;
    case 27: Both("|", Rangle); break;
    case 28: Both(Langle, "|"); break;
    case 29:
      G.Line(3, 1, 0, 9); G.Line(0, 10, 3, 18); G.Box(4, 6, 5, 8); G.VLine(10, 2, 17);
      G.Box(12, 6, 5, 8); G.Line(16, 1, 19, 9); G.Line(19, 10, 16, 18); break;
    case 30:  // two boxes parted by a bar, in round brackets
      G.Line(3, 1, 1, 4); G.VLine(1, 4, 15); G.Line(1, 15, 3, 18);
      G.Box(4, 6, 5, 8); G.VLine(10, 2, 17); G.Box(12, 6, 4, 8);
      G.Line(16, 1, 18, 4); G.VLine(18, 4, 15); G.Line(18, 15, 16, 18); break;
  }
}

// Group 12, 20 x 20: fractions, radicals, the binomial, the continued fraction, text.
void DrawFractions(TGlyph& G, int B) {
  switch (B) {
    case 0: case 2: G.Box(5, 1, 10, 8); G.HLine(2, 17, 10); G.Box(5, 12, 10, 8); break;
    case 1: case 3: G.Box(7, 4, 6, 5); G.HLine(5, 14, 10); G.Box(7, 12, 6, 5); break;
    case 4: G.Box(1, 2, 7, 8); G.Line(13, 2, 7, 18); G.Box(12, 10, 7, 8); break;
    case 5: G.Line(1, 12, 3, 18); G.Line(3, 18, 6, 2); G.HLine(6, 19, 2); G.Box(8, 5, 10, 12); break;
    case 6:
      G.Box(0, 2, 4, 5); G.HLine(0, 2, 11); G.Line(2, 11, 4, 18); G.Line(4, 18, 7, 2);
      G.HLine(7, 19, 2); G.Box(9, 5, 9, 12); break;
    case 7: G.VLine(3, 6, 18); G.Line(3, 6, 4, 5); G.HLine(4, 19, 5); G.Box(6, 8, 12, 9); break;
    case 8:
      G.Box(6, 0, 12, 4); G.VLine(3, 7, 19); G.Line(3, 7, 4, 6); G.HLine(4, 19, 6); G.Box(6, 9, 12, 9);
      break;
    case 9:  // binomial: two boxes without a bar, in round brackets
      G.Line(4, 1, 2, 4); G.VLine(2, 4, 15); G.Line(2, 15, 4, 18);
      G.Line(15, 1, 17, 4); G.VLine(17, 4, 15); G.Line(17, 15, 15, 18);
      G.Box(6, 2, 8, 7); G.Box(6, 11, 8, 7); break;
    case 10:  // continued fraction: a box over a box plus a fraction
      G.Box(7, 0, 6, 5); G.HLine(1, 18, 6);
      G.Box(1, 11, 5, 6); G.HLine(7, 9, 13); G.VLine(8, 12, 14);
      G.Box(12, 8, 5, 4); G.HLine(11, 18, 13); G.Box(12, 15, 5, 4); break;
    case 11:  // text: upright letters
      G.Text("Tt", QRect(1, 2, 18, 16), 16, "DejaVu Serif"); break;
  }
}

// Group 13, 20 x 20: a base (or an operator) with its indices.
void DrawIndices(TGlyph& G, int B) {
  const bool Operator = B >= 9;
  auto Base = [&](int X, int Y, int W, int H) {
    if (Operator) BigSign(G, 0x2211, QRect(X, Y, W, H));
    else G.Box(X, Y, W, H);
  };
  switch (B) {
    case 0: Base(2, 7, 9, 11); G.Box(12, 1, 6, 6); break;
    case 1: Base(2, 2, 9, 11); G.Box(12, 13, 6, 6); break;
    case 2: Base(2, 4, 9, 12); G.Box(12, 0, 6, 6); G.Box(12, 14, 6, 6); break;
    case 3: G.Box(2, 1, 6, 6); Base(9, 7, 9, 11); break;
    case 4: G.Box(2, 13, 6, 6); Base(9, 2, 9, 11); break;
    case 5: G.Box(2, 0, 6, 6); G.Box(2, 14, 6, 6); Base(9, 4, 9, 12); break;
    case 6: G.Box(7, 1, 6, 5); Base(5, 8, 10, 11); break;
    case 7: Base(5, 1, 10, 11); G.Box(7, 14, 6, 5); break;
    case 8: G.Box(7, 0, 6, 4); Base(5, 5, 10, 10); G.Box(7, 16, 6, 4); break;
    case 9: Base(1, 6, 11, 13); G.Box(13, 1, 6, 6); break;
    case 10: Base(1, 1, 11, 13); G.Box(13, 13, 6, 6); break;
    case 11: Base(1, 3, 11, 14); G.Box(13, 0, 6, 6); G.Box(13, 14, 6, 6); break;
    case 12: G.Box(6, 0, 8, 5); Base(4, 6, 12, 13); break;
    case 13: Base(4, 1, 12, 13); G.Box(6, 15, 8, 5); break;
    case 14: G.Box(6, 0, 8, 4); Base(5, 5, 10, 10); G.Box(6, 16, 8, 4); break;
  }
}

// Group 16, 15 x 15: a box with a bar or an arrow above or below.
void DrawBars(TGlyph& G, int B) {
  const bool Above = B < 2 || (B >= 4 && B <= 6);
  const int Line = Above ? 2 : 12;
  G.Box(3, Above ? 5 : 1, 9, 9);
  switch (B) {
    case 0: case 2: G.HLine(2, 12, Line); break;
    case 1: G.HLine(2, 12, 1); G.HLine(2, 12, 3); break;
    case 3: G.HLine(2, 12, 11); G.HLine(2, 12, 13); break;
    case 4: case 7: G.HArrow(1, 13, Line, true, false); break;
    case 5: case 8: G.HArrow(1, 13, Line, false, true); break;
    case 6: case 9: G.HArrow(1, 13, Line, true, true); break;
  }
}

// Group 17, 15 x 15: an arrow with a label box above or below it.
void DrawLabelledArrows(TGlyph& G, int B) {
  const bool Above = B < 3;
  G.Box(4, Above ? 1 : 10, 7, 5);
  const int Y = Above ? 10 : 4;
  G.HArrow(0, 14, Y, B % 3 != 1, B % 3 != 0, 3);
}

// Group 19, 20 x 20: grids of cells; the last three of variable size.
void DrawMatrices(TGlyph& G, int B) {
  auto Grid = [&](int Rows, int Cols) {
    const int Cell = Rows == 4 || Cols == 4 ? 4 : 5;
    const int Step = Cell + 1;
    const int X0 = (20 - (Cols * Step - 1)) / 2, Y0 = (20 - (Rows * Step - 1)) / 2;
    for (int R = 0; R < Rows; ++R)
      for (int C = 0; C < Cols; ++C) G.Box(X0 + C * Step, Y0 + R * Step, Cell, Cell);
  };
  static const int Shapes[9][2] = {{1, 2}, {2, 1}, {2, 2}, {1, 3}, {3, 1}, {3, 3}, {1, 4}, {4, 1}, {4, 4}};
  if (B < 9) {
    Grid(Shapes[B][0], Shapes[B][1]);
    return;
  }
  auto Dot = [&](int X, int Y) { G.Pixel(X, Y); };
  switch (B) {
    case 9: G.Box(1, 8, 5, 5); G.Box(7, 8, 5, 5); Dot(14, 10); Dot(16, 10); Dot(18, 10); break;
    case 10: G.Box(8, 1, 5, 5); G.Box(8, 7, 5, 5); Dot(10, 14); Dot(10, 16); Dot(10, 18); break;
    case 11:
      G.Box(1, 1, 5, 5); G.Box(7, 1, 5, 5); G.Box(1, 7, 5, 5); G.Box(7, 7, 5, 5);
      Dot(14, 3); Dot(16, 3); Dot(3, 14); Dot(3, 16); Dot(14, 14); Dot(16, 16); break;
  }
}

std::vector<TStrip> Strips() {
  return {
      {19, 20, 40, DrawCategory},
      {11, 10, 10, DrawRelations},
      {11, 15, 15, DrawSpaces},
      {20, 15, 15, DrawOrnaments},
      {12, 10, 10, [](TGlyph& G, int B) {
         static const char32_t Codes[] = {0x00B1, 0x2213, 0x00D7, 0x00F7, 0x2217, 0x2219, 0x25CB, 0x25CF, 0x2297, 0x2295, 0x2039, 0x203A};
         // Small signs keep a small size; the others fill the glyph.
         const int Max = (B == 5) ? 12 : (B == 7 ? 11 : 14);
         G.Text(Char(Codes[B]), QRect(0, 0, 10, 10), Max);
       }},
      {14, 15, 15, Chars({0x2192, 0x2190, 0x2194, 0x2191, 0x2193, 0x2195, 0x21D2, 0x21D0, 0x21D4, 0x21D1, 0x21D3, 0x21D5, 0x21A6, 0x21B5}, 18, 0)},
      {8, 10, 10, Chars({0x2234, 0x2235, 0x220B, 0x2203, 0x2200, 0x00AC, 0x2227, 0x2228}, 13, 0)},
      {12, 10, 10, Chars({0x2208, 0x2209, 0x222A, 0x2229, 0x222A, 0x2229, 0x2282, 0x2283, 0x2286, 0x2287, 0x2284, 0x2205}, 13, 0)},
      {18, 10, 10, Chars({0x2202, 0x2207, 0x221E, 0x2111, 0x211C, 0x2135, 0x2220, 0x22A5, 0x25CA, 0x2113, 0x2118, 0x00B0, 0x0127, 0x019B, 0x222B, 0x2211, 0x220F, 0x2210}, 14, 0)},
      {28, 15, 15, Chars({0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03D5, 0x03B3, 0x03B7, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03D6, 0x03B8, 0x03D1, 0x03C1, 0x03C3, 0x03C2, 0x03C4, 0x03C5, 0x03C9, 0x03BE, 0x03C8, 0x03B6}, 18, 1)},
      {24, 10, 10, [](TGlyph& G, int B) {
         if (B == 20) {  // Omega: a ring open at the bottom, on two feet
           G.HLine(3, 6, 0); G.Pixel(2, 1); G.Pixel(7, 1); G.VLine(1, 2, 5); G.VLine(8, 2, 5);
           G.Pixel(2, 6); G.Pixel(7, 6); G.VLine(3, 7, 8); G.VLine(6, 7, 8);
           G.HLine(1, 3, 9); G.HLine(6, 8, 9);
         } else if (B == 21) {  // Xi: three bars
           G.HLine(1, 8, 0); G.HLine(2, 7, 4); G.HLine(1, 8, 9);
           G.Pixel(1, 1); G.Pixel(8, 1); G.Pixel(1, 8); G.Pixel(8, 8);
         } else {
           Chars({0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03A9, 0x039E, 0x03A8, 0x0396}, 14, 0)(G, B);
         }
       }},
      {31, 20, 20, DrawBrackets},
      {12, 20, 20, DrawFractions},
      {15, 20, 20, DrawIndices},
      {5, 20, 20, [](TGlyph& G, int B) { DrawOperator(G, 0x2211, B); }},
      {21, 20, 20, DrawIntegral},
      {10, 15, 15, DrawBars},
      {6, 15, 15, DrawLabelledArrows},
      {20, 20, 20, [](TGlyph& G, int B) {
         static const char32_t Signs[] = {0x220F, 0x2210, 0x22C2, 0x22C3};
         DrawOperator(G, Signs[B / 5], B % 5);
       }},
      {12, 20, 20, DrawMatrices},
  };
}

// Colour 0 black, colour 1 white, one bit a pixel.
QImage ToMonochrome(const QImage& Image) {
  QImage Mono(Image.size(), QImage::Format_Mono);
  Mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  Mono.fill(1);  // white paper
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X) Mono.setPixel(X, Y, qGray(Image.pixel(X, Y)) < 128 ? 0 : 1);
  return Mono;
}

// A 24x24 icon at Scale device pixels a pixel, drawn by Draw in icon pixels; smoothed, with
// every stroke on whole device pixels, when larger than 1.
QImage Icon(int Scale, const std::function<void(QPainter&)>& Draw) {
  QImage Image(24 * Scale, 24 * Scale, QImage::Format_ARGB32);
  Image.fill(Qt::transparent);
  QPainter P(&Image);
  if (Scale > 1) {
    P.setRenderHint(QPainter::Antialiasing);
    P.scale(Scale, Scale);
    P.translate(0.5, 0.5);
  }
  Draw(P);
  return Image;
}

// The two component icons, in a few plain colours, at 24x24 and at twice that.
bool DrawIcons(const QString& Folder) {
  const auto Palette = [](QPainter& P) {
    P.setPen(QColor(64, 64, 64));
    P.setBrush(QColor(192, 192, 192));
    P.drawRect(0, 2, 23, 20);
    // two rows of palette buttons
    for (int R = 0; R < 2; ++R)
      for (int C = 0; C < 3; ++C) {
        P.setPen(QColor(128, 128, 128));
        P.setBrush(Qt::white);
        P.drawRect(2 + C * 7, 4 + R * 9, 6, 7);
      }
    P.setPen(QColor(0, 0, 128));
    P.drawLine(4, 6, 6, 6); P.drawLine(4, 8, 6, 8);             // =
    P.drawLine(11, 6, 13, 8); P.drawLine(11, 8, 13, 6);         // x
    P.drawLine(18, 5, 19, 5); P.drawLine(18, 5, 18, 9); P.drawLine(17, 9, 18, 9);  // integral
    P.setPen(QColor(128, 0, 0));
    P.drawLine(4, 16, 6, 16); P.drawLine(5, 15, 5, 17);         // +
    P.drawLine(10, 17, 11, 19); P.drawLine(11, 19, 13, 14); P.drawLine(13, 14, 14, 14);  // root
    P.drawRect(17, 15, 3, 3);                                    // box
  };
  const auto Editor = [](QPainter& P) {
    P.setPen(Qt::black);
    P.setBrush(Qt::white);
    P.drawRect(0, 0, 23, 23);
    P.setPen(QColor(0, 0, 160));
    P.drawLine(8, 4, 15, 4); P.drawLine(8, 4, 11, 8); P.drawLine(11, 8, 8, 12); P.drawLine(8, 12, 15, 12);  // sum
    P.setPen(QColor(160, 0, 0));
    P.drawLine(5, 15, 18, 15);                                   // fraction bar
    P.setPen(Qt::black);
    P.drawRect(9, 17, 5, 4);                                     // denominator slot
    P.setPen(QColor(0, 128, 0));
    P.drawLine(20, 17, 20, 21);                                  // caret
  };
  return Icon(1, Palette).save(Folder + "/icons/TSELECTEQUATION.png") &&
         Icon(2, Palette).save(Folder + "/icons/TSELECTEQUATION@2x.png") &&
         Icon(1, Editor).save(Folder + "/icons/TZELKEQUATION.png") &&
         Icon(2, Editor).save(Folder + "/icons/TZELKEQUATION@2x.png");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: MakeGlyphs <palette folder>\n");
    return 2;
  }
  const QString Folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(Folder + "/glyphs");
  QDir().mkpath(Folder + "/icons");
  const std::vector<TStrip> All = Strips();
  for (int Group = 0; Group < static_cast<int>(All.size()); ++Group) {
    const TStrip& S = All[Group];
    for (int Scale : {1, 2}) {
      QImage Strip(S.Count * S.Width * Scale, S.Height * Scale,
                   Scale == 1 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
      Strip.fill(Scale == 1 ? QColor(Qt::white) : QColor(Qt::transparent));
      {
        QPainter P(&Strip);
        for (int B = 0; B < S.Count; ++B) {
          TGlyph G(S.Width, S.Height, Scale);
          S.Draw(G, B);
          P.drawImage(B * S.Width * Scale, 0, G.Image);
        }
      }
      const QString Name = Folder + QString::asprintf("/glyphs/BT%02d%s.png", Group, Scale == 1 ? "" : "@2x");
      if (!(Scale == 1 ? ToMonochrome(Strip) : Strip).save(Name, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(Name));
        return 1;
      }
    }
  }
  if (!DrawIcons(Folder)) {
    std::fprintf(stderr, "cannot write the icons\n");
    return 1;
  }
  return 0;
}
