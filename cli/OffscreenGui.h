// Qt's GUI library for commands that draw (into images or documents): started
// without a display, with only its critical messages reaching the user. A process
// that has an application object already (a test program) keeps its own.
#pragma once

#include <QGuiApplication>

#include <memory>

namespace eee {

class OffscreenGui
{
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace eee
