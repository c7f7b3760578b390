// The main of the tests that use real Qt widgets: the offscreen platform
// unless another was chosen, one application object, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  if (!StartApplication(argc, argv)) return 1;
  const int result = RUN_ALL_TESTS();
  StopApplication();
  return result;
}
