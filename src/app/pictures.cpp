#include "app/pictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

QPixmap render(const QString& source, QSize size, qreal devicePixelRatio) {
  QSvgRenderer renderer(source);
  QPixmap pixmap(QSize(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(size.height() * devicePixelRatio))));
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

}  // namespace

QPixmap satellitePicture(qreal devicePixelRatio) {
  return render(QStringLiteral(":/krvl2/satellite.svg"), QSize(443, 442), devicePixelRatio);
}

QIcon programIcon() {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128}) {
    icon.addPixmap(render(QStringLiteral(":/krvl2/krvl2-decoder.svg"), QSize(side, side), 1.0));
  }
  return icon;
}
