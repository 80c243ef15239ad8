#pragma once

class QFont;
class QIcon;
class QLabel;
class QObject;
class QStyle;

// The 8-point window font of both scoring windows.
QFont scoringWindowFont();

// The large bold teal lettering with a drop shadow 3 pixels right and down.
void styleAsBanner(QLabel *label);

// The picture of the Preferences button: three sliders. Its disabled state
// is drawn greyed from it.
QIcon preferencesGlyph();

// A style for the weight bars: a 12-pixel thumb, otherwise the application's.
QStyle *weightBarStyle(QObject *owner);
