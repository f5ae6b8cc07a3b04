// Window tests run on a real QApplication (under Xvfb), one for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/panel_view.h"

int main(int argc, char** argv) {
  // Each test has its own cache directory, gone when it ends; Mesa would keep writing
  // its shaders to the first one.
  qputenv("MESA_SHADER_CACHE_DISABLE", "true");
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
