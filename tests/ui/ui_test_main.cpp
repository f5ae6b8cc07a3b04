// Window tests run on a real QApplication (under Xvfb), one for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/panel_view.h"

int main(int argc, char** argv) {
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
