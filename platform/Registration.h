#pragma once
// What a design-time host needs to offer one component on a page of its widget box: the
// class, the page, the icon and a way to create an instance.

#include <QString>
#include <functional>

class QWidget;

struct TComponentInfo {
  QString ClassName;     // e.g. "TSelectEquation"
  QString Page;          // the widget box group, "Zelk Equations"
  QString IconResource;  // a 24x24 image in the resources
  QString IncludeFile;   // the header a generated form includes
  QString ToolTip;       // one line about the component
  std::function<QWidget*(QWidget* Parent)> Create;
};
