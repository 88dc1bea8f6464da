// Writes every picture of the description as a PNG into a folder:
//   draw_pictures <output folder> <name>...
// The names are the ones the build packs into the resources; the program refuses to run when they
// differ from its own list, so the build and the description cannot drift apart.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "Painters.h"

using namespace balalaika::pictures;

int main(int argc, char** argv) {
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
