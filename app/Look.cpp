#include "Look.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <clocale>

namespace eee {

void ApplyLook(QApplication& app)
{
    // Numbers are written and read with a decimal point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    if (QStyle* style = QStyleFactory::create("Windows"))
        app.setStyle(style);
    QPalette palette = app.palette();
    const QColor dialog(236, 233, 216);
    palette.setColor(QPalette::Window, dialog);
    palette.setColor(QPalette::Button, dialog);
    app.setPalette(palette);
}

} // namespace eee
