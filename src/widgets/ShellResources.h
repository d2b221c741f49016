#pragma once

// Makes the help pages and desktop files bundled in the GUI library
// available; a static library's resources are otherwise dropped at link
// time. Safe to call more than once.
void InitShellResources();
