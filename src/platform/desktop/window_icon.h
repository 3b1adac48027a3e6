#pragma once
#include <QIcon>

// The game's icon at the sizes it was drawn at; empty when the program was built without
// the pictures.
QIcon WindowIcon();
