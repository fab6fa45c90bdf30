// GoogleTest entry for the window suites: one application object for the
// whole run, on the offscreen platform, with every message box scripted.
#include <gtest/gtest.h>

#include <cstdlib>

#include "eval_application.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  EvalApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
