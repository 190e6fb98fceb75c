// Writes the program's icon into an icon-theme folder: a PNG at each size the program draws and a
// scalable SVG, both from the shapes the program itself paints.
//     render-icon FOLDER NAME   writes FOLDER/<N>x<N>/apps/NAME.png and FOLDER/scalable/apps/NAME.svg
#include "ui/ApplicationIcon.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <QImage>
#include <QPainter>
#include <QString>

namespace {

bool WritePng(const std::filesystem::path& file, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    pellaquin::DrawApplicationIcon(painter, size);
    painter.end();
    return image.save(QString::fromStdString(file.string()), "PNG");
}

bool WriteSvg(const std::filesystem::path& file) {
    std::ofstream out(file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- Written at build time from the shapes in src/ui/ApplicationIcon.cpp, which the program paints. -->\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << pellaquin::ICON_UNITS << "\" height=\""
        << pellaquin::ICON_UNITS << "\" viewBox=\"0 0 " << pellaquin::ICON_UNITS << ' ' << pellaquin::ICON_UNITS
        << "\">\n";
    for (const pellaquin::IconShape& shape : pellaquin::ApplicationIconShapes()) {
        char color[8];
        std::snprintf(color, sizeof color, "#%06x", shape.color & 0xffffffu);
        out << "  <rect x=\"" << shape.x << "\" y=\"" << shape.y << "\" width=\"" << shape.width << "\" height=\""
            << shape.height << "\" rx=\"" << shape.cornerRadius << "\" fill=\"" << color << "\"/>\n";
    }
    out << "</svg>\n";
    out.close();
    return out.good();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: render-icon FOLDER NAME\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::string name = argv[2];
    for (int size : pellaquin::APPLICATION_ICON_SIZES) {
        std::filesystem::path apps = folder / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::filesystem::create_directories(apps);
        if (!WritePng(apps / (name + ".png"), size)) {
            std::cerr << "render-icon: cannot write " << (apps / (name + ".png")).string() << "\n";
            return 1;
        }
    }
    std::filesystem::path scalable = folder / "scalable" / "apps";
    std::filesystem::create_directories(scalable);
    if (!WriteSvg(scalable / (name + ".svg"))) {
        std::cerr << "render-icon: cannot write " << (scalable / (name + ".svg")).string() << "\n";
        return 1;
    }
    return 0;
}
