#include "AboutBox.h"

#include "MainWindow.h"

#include "Version.h"
#include "common/Identity.h"

#include <QLabel>
#include <QPushButton>

namespace eee {

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle("About");
    const QRect client = MainWindow::DialogRect(0, 0, 232, 83);
    setFixedSize(client.size());

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(":/res/varn-about.png"));
    picture->setGeometry(MainWindow::DialogRect(7, 10, 68, 20).x(),
        MainWindow::DialogRect(7, 10, 68, 20).y(), 102, 32);

    const QString lines[] = {"Varn Calculator", "Based on Varn flash family", kVendorName,
        QStringLiteral("Version %1").arg(kVersion)};
    int top = 8;
    for (const QString& text : lines) {
        auto* line = new QLabel(text, this);
        line->setAlignment(Qt::AlignCenter);
        line->setGeometry(MainWindow::DialogRect(84, top, 140, 9));
        top += 12;
    }

    auto* ok = new QPushButton(" OK", this);
    ok->setGeometry(MainWindow::DialogRect(175, 60, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace eee
