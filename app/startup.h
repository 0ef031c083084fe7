#pragma once

// The whole program: builds the application object, applies style and theme, shows the
// main window and runs the event loop. The single instances are destroyed before the
// application object, whichever way the loop was left; returns the loop's exit code. A write
// past a process file-size limit fails like one on a full disk instead of ending the program.
int startKestrane(int &argc, char **argv);
