#pragma once

class QFont;
class QLabel;

// The 8-point window font of both scoring windows.
QFont scoringWindowFont();

// The large bold teal lettering with a drop shadow 3 pixels right and down.
void styleAsBanner(QLabel *label);
