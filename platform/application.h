#pragma once
// The application object and the display it needs.

#include <string>

// Whether a display can be reached (an X server, Wayland, or a platform
// chosen with QT_QPA_PLATFORM). Without one, reason says what is missing.
// Checked before the application is created, since Qt aborts without one.
bool DisplayAvailable(std::string& reason);

// Creates the application object for argc/argv; call once, before any
// window. Returns false when it could not be created.
bool StartApplication(int& argc, char** argv);

// Destroys the application object; call before main returns, while Qt's own
// globals still exist.
void StopApplication();
