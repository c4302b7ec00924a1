// Draws the program's icon and bitmaps. Run once by hand when they change:
//   g++ -std=c++20 -fPIC make-images.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make-images
//   QT_QPA_PLATFORM=offscreen /tmp/make-images res/
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

static void Icon(const QString& path)
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath chip;
    chip.addRoundedRect(QRectF(4, 4, 56, 56), 8, 8);
    QLinearGradient body(0, 0, 0, 64);
    body.setColorAt(0, QColor(40, 70, 130));
    body.setColorAt(1, QColor(20, 35, 80));
    p.fillPath(chip, body);
    p.fillRect(QRect(12, 14, 40, 36), QColor(255, 0, 0));
    p.fillRect(QRect(12, 26, 26, 24), QColor(0, 255, 0));
    QPen arrow(Qt::black, 2.5, Qt::DashLine);
    p.setPen(arrow);
    p.drawLine(QPointF(12, 50), QPointF(48, 18));
    QFont font("DejaVu Sans", 10, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(4, 46, 56, 14), Qt::AlignCenter, "EEE");
    image.save(path);
}

static void Banner(const QString& path, const QString& text, QColor from, QColor to)
{
    QImage image(102, 32, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 102, 0);
    background.setColorAt(0, from);
    background.setColorAt(1, to);
    p.fillRect(image.rect(), background);
    QFont font("DejaVu Sans", 13, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    image.save(path);
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString(argv[1]) + "/" : QString();
    Icon(folder + "varn-eee-calc.png");
    Banner(folder + "varn-about.png", "VARN", QColor(20, 35, 80), QColor(60, 110, 180));
    Banner(folder + "varn-logo.png", "Corvant", QColor(236, 233, 216), QColor(40, 70, 130));
    return 0;
}
