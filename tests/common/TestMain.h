#pragma once
// The body of every test program's main: a private environment (home, config,
// data, runtime and current folders in a fresh temporary folder, UTC, the C.UTF-8
// locale), an application object of the given kind on the offscreen platform,
// numbers in the "C" locale, and program-wide state reset before each test.
#include "app/ProgramState.h"
#include "common/TestEnvironment.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <clocale>

namespace kavotest {
class ResetEachTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ResetProgramState(); }
};

template <class Application>
int RunAllTests(int argc, char** argv)
{
    // Before the application object: Qt reads the locale, the home folder and the
    // runtime folder when it starts.
    const CPrivateTestEnvironment environment;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    return RUN_ALL_TESTS();
}
} // namespace kavotest
