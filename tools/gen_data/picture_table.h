#pragma once
#include <functional>
#include <string>
#include <vector>

#include <QImage>

// One picture file of the game: its name under bmps/, the size the game loads it at,
// and how it is drawn (with an alpha channel; the colour key is applied on writing).
struct Picture {
  std::string file;
  int width;
  int height;
  std::function<QImage()> draw;
};

// Every picture the game loads, the splash frames last.
std::vector<Picture> GamePictures();
