#pragma once

class QApplication;

namespace eee {

// The calculator's look: classic dialog style on the background colour the chart also uses.
void ApplyLook(QApplication& app);

} // namespace eee
