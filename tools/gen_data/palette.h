#pragma once
#include <QColor>

// The look of the whole game: a dim bar-room, warm lamplight, brass-rimmed dark plates,
// red and blue party cups with beer in them.
namespace palette {
inline const QColor Brass{222, 176, 92};
inline const QColor BrassShade{118, 80, 34};
inline const QColor PlateTop{70, 44, 30};
inline const QColor PlateBottom{30, 18, 13};
inline const QColor Cream{244, 226, 186};
inline const QColor Ink{34, 14, 10};

inline const QColor Beer{232, 156, 38};
inline const QColor BeerDeep{170, 92, 18};
inline const QColor Foam{252, 246, 228};

inline const QColor CupRed{212, 32, 40};
inline const QColor CupRedShade{104, 10, 18};
inline const QColor CupBlue{40, 92, 214};
inline const QColor CupBlueShade{14, 30, 104};
inline const QColor CupInside{246, 242, 236};

inline const QColor Lamplight{255, 206, 120};
}  // namespace palette
