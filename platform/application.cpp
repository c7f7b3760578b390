#include "platform/application.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Connecting once is the only sure test: DISPLAY may name a server that is
// gone, and Qt aborts the process when it cannot connect.
bool XServerAnswers(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool ok = connection != nullptr && xcb_connection_has_error(connection) == 0;
  if (connection != nullptr) xcb_disconnect(connection);
  return ok;
}

std::unique_ptr<QApplication> application;

}  // namespace

bool DisplayAvailable(std::string& reason) {
  const std::string platform = Environment("QT_QPA_PLATFORM");
  if (!platform.empty() && platform.rfind("xcb", 0) != 0) return true;
  const std::string display = Environment("DISPLAY");
  if (display.empty()) {
    reason = "no display: DISPLAY is not set (start Taviro in a desktop session)";
    return false;
  }
  if (!XServerAnswers(display)) {
    reason = "cannot connect to the X display \"" + display + "\"";
    return false;
  }
  return true;
}

bool StartApplication(int& argc, char** argv) {
  if (application) return true;
  application = std::make_unique<QApplication>(argc, argv);
  QApplication::setApplicationName("Taviro");
  // Lets the desktop match our windows to the installed entry and its icon.
  QGuiApplication::setDesktopFileName("io.github.taviro.taviro");
  return true;
}

void StopApplication() {
  application.reset();
}
