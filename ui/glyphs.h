#pragma once

#include <QIcon>

// The orange check mark, 20 x 20, on the Calculate buttons.
QIcon checkMarkGlyph();
