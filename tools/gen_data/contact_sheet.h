#pragma once
#include <vector>

#include <QImage>
#include <QString>

struct SheetEntry {
  QString name;
  QImage picture;  // as written, black being transparent
};

// All pictures side by side, each over the colour of the table so that a dark fringe
// or a hole in a picture shows, with its file name under it.
QImage DrawContactSheet(const std::vector<SheetEntry>& entries);
