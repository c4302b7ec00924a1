// The dialog units of the window's template. The window and its About box are laid out
// as the template gives them: in units of the dialog font, a quarter of its average
// character width across and an eighth of its height down.
#pragma once

#include <QRect>

namespace eee {

class DialogUnits
{
public:
    // The base units of the template's font, in pixels.
    static constexpr int kBaseUnitX = 6;
    static constexpr int kBaseUnitY = 13;

    // Pixel rectangle of a rectangle in the dialog units of the window's template.
    static QRect DialogRect(int x, int y, int width, int height);
};

} // namespace eee
