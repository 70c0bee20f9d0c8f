// orbex-draw-resources DIR: draws the program's pictures (main picture, hand cursor, icon)
// with our own drawing code and writes them as PNG files into DIR.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "app/main_picture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbex-draw-resources DIR\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString directory = QString::fromLocal8Bit(argv[1]);
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {
        {"main_picture.png", orbex::RenderMainPicture()},
        {"hand_cursor.png", orbex::RenderHandCursor()},
        {"orbex_icon.png", orbex::RenderProgramIcon()},
    };
    for (const auto& picture : pictures) {
        const QString path = directory + QLatin1Char('/') + QLatin1String(picture.name);
        if (!picture.image.save(path, "PNG")) {
            std::fprintf(stderr, "orbex-draw-resources: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
