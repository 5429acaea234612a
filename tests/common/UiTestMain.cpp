// Entry point of the widget test programs.
#include "common/TestMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    return kavotest::RunAllTests<QApplication>(argc, argv);
}
