#pragma once

#include <QString>

class Messages;

// The maker's web page, as the information window's link shows it.
QString webPageCaption();
// Asks the desktop to open the maker's web page without waiting for the
// browser; tells the user when the desktop cannot.
void openWebPage(Messages &messages);
