#pragma once

#include <QDialog>

namespace eee {

// Help > About: the program's name, family, maker and version.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);
};

} // namespace eee
