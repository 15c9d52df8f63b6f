// The frame selector: an up and a down arrow stacked, stepping a position
// between a minimum and a maximum.
//
// It reports a step only when a press changed the position; a press at
// either end does nothing. Holding an arrow repeats the step. The position is
// a full 32-bit number, so a capture of any size can be stepped through.
#pragma once

#include <QWidget>
#include <cstdint>

class QToolButton;

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  std::int32_t minimum() const { return minimum_; }
  std::int32_t maximum() const { return maximum_; }
  std::int32_t position() const { return position_; }
  // Sets the position as it stands, without reporting a step.
  void setPosition(std::int32_t position);
  // Sets the maximum; a position above it moves down to it.
  void setMaximum(std::int32_t maximum);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  // A press moved the position; position() tells where to.
  void clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void step(QToolButton* arrow, int by);

  QToolButton* up_;
  QToolButton* down_;
  std::int32_t minimum_ = 1;
  std::int32_t maximum_ = 100;
  std::int32_t position_ = 1;
  bool stepping_ = false;
};
