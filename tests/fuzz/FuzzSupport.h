#pragma once
// What the fuzz targets share: the application every editor needs, and the report of a
// broken promise (the input is kept by libFuzzer as the finding).

#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <utility>

// Starts the application once, for the life of the process, without a display.
inline void StartApplication(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(*argc, *argv);
}

// Prints What and the named texts, then aborts.
[[noreturn]] inline void Fail(const char* What, std::initializer_list<std::pair<const char*, QString>> Texts) {
  std::fprintf(stderr, "%s\n", What);
  for (const auto& [Name, Text] : Texts) std::fprintf(stderr, "%s: %s\n", Name, Text.toUtf8().constData());
  std::abort();
}
