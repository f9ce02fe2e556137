#pragma once
// Where scripts stand around a base: centred above and below it (limits), or beside it on
// the right (indices), the superscript rising half its height above the base and the
// subscript hanging half its height below it, as the big operators place theirs. The one
// place that decides script geometry for the scripted kinds; a style changes it here.

#include <QPoint>
#include <QSize>

#include "../model/Types.h"

struct TScriptFrame {
  QPoint Base;
  QPoint Top;
  QPoint Bottom;
  // The whole frame, and the base's middle from the frame's top.
  QSize Size;
  int MidLine = 0;
};

// Top and Bottom are null where there is no such script.
TScriptFrame PlaceScripts(TScriptPlace Place, QSize Base, const QSize* Top, const QSize* Bottom);
