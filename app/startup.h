#pragma once

// What the program sets up once the application object exists and before
// the main window is created: the title of every message box, the small
// dialog font the windows are laid out for, and the regional separators of
// the number rules.
void prepareApplication();
