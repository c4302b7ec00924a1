#pragma once

#include <QDialog>

namespace eee {

// Help > About: the program's name, family, maker and version.
class CAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent);
};

} // namespace eee
