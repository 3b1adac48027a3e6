#pragma once
#include <QImage>

// The program's icon at a square size: a red party cup with a ball dropping into it.
QImage DrawProgramIcon(int size);
