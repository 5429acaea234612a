// Entry point of the model test programs: a GUI application object (fonts,
// images, painting), no widgets.
#include "common/TestMain.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    return kavotest::RunAllTests<QGuiApplication>(argc, argv);
}
