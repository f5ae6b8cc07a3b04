// Renders the application's SVG icon to the PNG sizes of the hicolor icon theme:
//   brannock-icon-render <icon.svg> <output folder> <size>...
// writes <output folder>/<size>x<size>/apps/<icon name>.png for every size.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <icon.svg> <output folder> <size>...\n", argv[0]);
    return 2;
  }
  const QString source = QString::fromLocal8Bit(argv[1]);
  QSvgRenderer svg(source);
  if (!svg.isValid()) {
    std::fprintf(stderr, "%s: cannot read the SVG\n", argv[1]);
    return 1;
  }
  const QString name = QFileInfo(source).completeBaseName();
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size > 1024) {
      std::fprintf(stderr, "%s: not an icon size\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      svg.render(&painter, QRectF(0, 0, size, size));
    }
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (!out.mkpath(folder) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
