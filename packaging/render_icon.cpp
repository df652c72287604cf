// Renders an SVG picture as square PNG files, one per size: the sizes of the application icon
// in the desktop's icon theme. Usage: render_icon SVG OUT_DIR SIZE... (writes OUT_DIR/SIZE.png)

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: render_icon SVG OUT_DIR SIZE...\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "render_icon: %s is not a valid SVG picture\n", argv[1]);
    return 1;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    if (size <= 0) {
      std::fprintf(stderr, "render_icon: bad size %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString path = out.filePath(QString::number(size) + QStringLiteral(".png"));
    if (!image.save(path)) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
