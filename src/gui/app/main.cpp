#include "gui/app/CWriterApp.h"

int main(int argc, char** argv) {
    return vexlor::gui::RunWriterApp(argc, argv);
}
