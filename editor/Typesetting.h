#pragma once
// The typesetting styles of the editor.

#include <QObject>

class TTypesettings {
  Q_GADGET

 public:
  // Classic: the editor's own geometry, the default. Math: constants, glyph variants and
  // assemblies from an OpenType MATH font, spacing and italics as mathematical typesetting
  // has them.
  enum TTypesetting : int { Classic = 0, Math = 1 };
  Q_ENUM(TTypesetting)
};

using TTypesetting = TTypesettings::TTypesetting;

namespace Zelk {
using Typesetting = TTypesettings::TTypesetting;
}  // namespace Zelk
