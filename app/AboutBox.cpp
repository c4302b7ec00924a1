#include "AboutBox.h"

#include "MainWindow.h"

#include <QLabel>
#include <QPushButton>

namespace eee {

CAboutBox::CAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle("About");
    const QRect client = CVarn_EEECalcDlg::DialogRect(0, 0, 232, 83);
    setFixedSize(client.size());

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(":/res/varn-about.png"));
    picture->setGeometry(CVarn_EEECalcDlg::DialogRect(7, 10, 68, 20).x(),
        CVarn_EEECalcDlg::DialogRect(7, 10, 68, 20).y(), 102, 32);

    const char* lines[] = {"Varn Calculator", "Based on Varn flash family",
        "Corvant Semiconductor Inc.", "Version 0.5.4"};
    int top = 8;
    for (const char* text : lines) {
        auto* line = new QLabel(text, this);
        line->setAlignment(Qt::AlignCenter);
        line->setGeometry(CVarn_EEECalcDlg::DialogRect(84, top, 140, 9));
        top += 12;
    }

    auto* ok = new QPushButton(" OK", this);
    ok->setGeometry(CVarn_EEECalcDlg::DialogRect(175, 60, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace eee
