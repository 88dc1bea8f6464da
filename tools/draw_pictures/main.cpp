// Writes every picture of the description as a PNG into a folder:
//   draw_pictures <output folder> <name>...
// The names are the ones the build packs into the resources; the program refuses to run when they
// differ from its own list, so the build and the description cannot drift apart.
// Draws the application icon at the given pixel sizes, laid out as an icon theme's folders
// (<output folder>/<size>x<size>/apps/<icon name>.png):
//   draw_pictures --icon <output folder> <icon name> <size>...
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <set>
#include <string>

#include "Painters.h"

using namespace balalaika::pictures;

namespace {

int drawIcons(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: draw_pictures --icon <output folder> <icon name> <size>...\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "draw_pictures: icon size %s is not 16 to 1024 pixels\n", argv[i]);
      return 2;
    }
    const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(size));
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!QDir().mkpath(folder) || !drawIcon(size).save(path, "PNG")) {
      std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--icon") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return drawIcons(argc, argv);
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: draw_pictures <output folder> <name>...\n");
    return 2;
  }
  // Drawing needs no display; text needs the font database of a GUI application.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) {
    std::fprintf(stderr, "draw_pictures: the font \"DejaVu Sans\" is not installed (fonts-dejavu-core)\n");
    return 1;
  }

  std::set<std::string> expected(argv + 2, argv + argc);
  std::set<std::string> own;
  for (const Picture& picture : allPictures()) own.insert(picture.name);
  if (expected != own) {
    std::fprintf(stderr, "draw_pictures: the build lists other pictures than the description:\n");
    for (const std::string& name : own)
      if (!expected.count(name)) std::fprintf(stderr, "  missing from the build: %s\n", name.c_str());
    for (const std::string& name : expected)
      if (!own.count(name)) std::fprintf(stderr, "  unknown to the description: %s\n", name.c_str());
    return 1;
  }

  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "draw_pictures: cannot create %s\n", argv[1]);
    return 1;
  }
  for (const Picture& picture : allPictures()) {
    const QString path = out.filePath(QString::fromStdString(picture.name));
    if (!drawPicture(picture).save(path, "PNG")) {
      std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
