#include "tools/artwork/bitmap_table.h"
#include "tools/artwork/preview.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: vesperin-artwork IMAGES_DIR [--preview DIR] [--table]\n"
               "  writes every bitmap of the windows as PNG under IMAGES_DIR;\n"
               "  --preview also writes each window over a light and a dark desktop;\n"
               "  --table prints the list of bitmaps as a Markdown table.\n",
               stderr);
    return 2;
}

// Colours are listed as the window layouts write them: red in the lowest byte.
QString hex(QRgb c)
{
    const unsigned colorRef = (qBlue(c) << 16) | (qGreen(c) << 8) | qRed(c);
    return QString("0x%1").arg(colorRef, 6, 16, QChar('0')).toUpper().replace("0X", "0x");
}

void printTable()
{
    QTextStream out(stdout);
    out << "| File | Size | Transparent colour | Used by | At (client) |\n|---|---|---|---|---|\n";
    for (const artwork::Bitmap &b : artwork::bitmaps()) {
        const QString state =
            b.state.isEmpty() ? QStringLiteral("picture") : QString(b.state).replace('_', ' ');
        out << "| `" << b.file() << "` | " << b.size.width() << " × " << b.size.height() << " | "
            << hex(b.key) << " | `" << b.window << "` `" << b.control << "` " << state << " | "
            << b.position.x() << ", " << b.position.y() << " |\n";
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Offscreen, so that the tool runs on a build machine without a display;
    // the preview's labels need the font database of a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first().startsWith("--"))
        return usage();

    QString previewDir;
    bool table = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--preview" && i + 1 < args.size())
            previewDir = args[++i];
        else if (args[i] == "--table")
            table = true;
        else
            return usage();
    }

    const QDir images(args.first());
    for (const artwork::Bitmap &b : artwork::bitmaps()) {
        const QString path = images.filePath(b.file());
        if (!QDir().mkpath(QFileInfo(path).path()) || !artwork::render(b).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    if (!previewDir.isEmpty()) {
        QDir().mkpath(previewDir);
        for (const artwork::Window &w : artwork::windows()) {
            for (const auto &[name, desktop] :
                 {std::pair{"light", 0xFFE4E8EEu}, std::pair{"dark", 0xFF1C2330u}}) {
                const QString path = QDir(previewDir).filePath(w.name + '_' + name + ".png");
                if (!artwork::preview(w.name, desktop).save(path, "PNG")) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                    return 1;
                }
            }
        }
    }
    if (table)
        printTable();
    return 0;
}
