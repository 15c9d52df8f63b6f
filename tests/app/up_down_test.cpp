// The selector's arrows: a press reports a step only when it moved the
// position, and the position goes as far as the maximum, however large.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <limits>

#include "app/up_down.h"

namespace {

TEST(UpDown, ReportsAPressOnlyWhenItMovesThePosition) {
  UpDown selector;
  QSignalSpy steps(&selector, &UpDown::clicked);
  selector.setMaximum(3);

  QTest::mouseClick(selector.downButton(), Qt::LeftButton);
  EXPECT_EQ(selector.position(), 1);
  EXPECT_EQ(steps.count(), 0);

  for (int press = 0; press < 4; ++press) QTest::mouseClick(selector.upButton(), Qt::LeftButton);
  EXPECT_EQ(selector.position(), 3);
  EXPECT_EQ(steps.count(), 2);

  QTest::mouseClick(selector.downButton(), Qt::LeftButton);
  EXPECT_EQ(selector.position(), 2);
  EXPECT_EQ(steps.count(), 3);
}

TEST(UpDown, StepsAcrossSixteenBitsAndStopsAtTheLargestMaximum) {
  UpDown selector;
  QSignalSpy steps(&selector, &UpDown::clicked);
  selector.setMaximum(std::numeric_limits<std::int32_t>::max());

  selector.setPosition(32767);
  QTest::mouseClick(selector.upButton(), Qt::LeftButton);
  EXPECT_EQ(selector.position(), 32768);

  selector.setPosition(std::numeric_limits<std::int32_t>::max());
  QTest::mouseClick(selector.upButton(), Qt::LeftButton);
  EXPECT_EQ(selector.position(), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(steps.count(), 1);
}

}  // namespace
