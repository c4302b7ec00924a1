// The Varn EEE Calculator: one window in which an engineer plans EEPROM
// emulation in a few blocks of on-chip flash.
#include "Application.h"

int main(int argc, char* argv[])
{
    eee::Application app(argc, argv);
    return app.Run();
}
