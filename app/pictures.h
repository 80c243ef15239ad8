#pragma once

#include <QPixmap>

// The program's own pictures, drawn once on first use.

// The program's name on a dark band, 300 x 100, its lettering kept within
// the middle rows so that a 57 to 65 pixel high view shows all of it.
QPixmap bannerPicture();
// The glossy olive capsule of the main menu buttons, 300 x 82.
QPixmap capsulePicture();
// A blue round information sign, 24 x 24.
QPixmap informationSign();
