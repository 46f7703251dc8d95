#include <cstdlib>

#include "gui/app/CWriterApp.h"

int main(int argc, char** argv) {
    return vexlor::gui::RunWriterApp(
        argc, argv,
        {std::getenv("VEXLOR_DEVICE_DIR"), std::getenv("VEXLOR_ACCESS_LIBRARY"),
         std::getenv("VEXLOR_VERBOSE"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME")});
}
