#include "app/up_down.h"

#include <QGuiApplication>
#include <QToolButton>

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(makeArrow(this, Qt::UpArrow)), down_(makeArrow(this, Qt::DownArrow)) {
  setFocusPolicy(Qt::NoFocus);
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  // Pressed rather than clicked: the step comes with the press, as with any
  // spin arrow, and again with each repeat while the arrow is held.
  connect(up_, &QToolButton::pressed, this, [this] { step(up_, +1); });
  connect(down_, &QToolButton::pressed, this, [this] { step(down_, -1); });
  resize(20, 25);
}

void UpDown::setPosition(std::int32_t position) { position_ = position; }

void UpDown::setMaximum(std::int32_t maximum) {
  maximum_ = maximum;
  if (position_ > maximum_) position_ = maximum_;
  if (position_ < minimum_) position_ = minimum_;
}

void UpDown::step(QToolButton* arrow, int by) {
  // A repeat that fires while a step's handler still runs (it may be showing
  // an error box) is dropped, and the arrow let go of: the release it was
  // waiting for went to the box.
  if (stepping_) {
    arrow->setDown(false);
    return;
  }
  const std::int64_t next = std::int64_t{position_} + by;
  if (next < minimum_ || next > maximum_) return;
  position_ = static_cast<std::int32_t>(next);
  stepping_ = true;
  emit clicked();
  stepping_ = false;
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) arrow->setDown(false);
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int upper = height() / 2;
  up_->setGeometry(0, 0, width(), upper);
  down_->setGeometry(0, upper, width(), height() - upper);
}
