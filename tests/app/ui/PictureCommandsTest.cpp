// The picture commands join the command table without taking Paste from a
// handler that is already there.
#include "app/ui/PictureCommandsUi.h"

#include "common/TestSupport.h"
#include "frame/ui/CCommandRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QObject>
#include <gtest/gtest.h>

TEST(PictureCommands, PasteStaysWithAnExistingHandler)
{
    QObject owner;
    CCommandRegistry taken(&owner);
    int diagramPastes = 0;
    taken.SetHandler(57637, [&] { ++diagramPastes; });
    RegisterPictureCommands(taken, nullptr);
    EXPECT_TRUE(taken.Execute(57637));
    EXPECT_EQ(diagramPastes, 1);

    // Alone, Paste is the picture paste: without an active diagram it does
    // nothing, and it says nothing.
    CRecordingPrompt prompt;
    CCommandRegistry alone(&owner);
    RegisterPictureCommands(alone, nullptr);
    for (int id : {57637, 32783, 32784, 32785})
        EXPECT_TRUE(alone.HasHandler(id)) << id;
    QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_TRUE(alone.Execute(57637));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_FALSE(alone.QueryCmdState(32784).enabled);
}
