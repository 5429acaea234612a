// Entry point of the widget test programs: a widget application object
// on the offscreen platform.
#include "core/ProgramState.h"

#include <QApplication>
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
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    return RUN_ALL_TESTS();
}
