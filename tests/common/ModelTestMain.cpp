// Entry point of the model test programs: a GUI application object (fonts,
// images, painting) on the offscreen platform, no widgets.
#include "core/ProgramState.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <clocale>

namespace {
class ResetEachTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ResetProgramState(); }
};
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    return RUN_ALL_TESTS();
}
