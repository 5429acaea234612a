// The program's symbol libraries: every file of the symbols folder loads as
// the galleries load it and every symbol in it works as a figure's (kvdtool
// check); every name that gives a special-shape kind is offered by some
// library; and the check finds the faults a hand-made library can have.
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "kvdtool/ContentLibraries.h"
#include "kvdtool/KvdTool.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/SymbolRecordWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace {
QStringList LibraryFiles()
{
    const QDir folder(QStringLiteral(KAVO_RESOURCE_DIR "/Symbols"));
    QStringList files;
    for (const QString& name : folder.entryList({"*.kvf", "*.kvn"}, QDir::Files))
        files << folder.filePath(name);
    return files;
}

// A one-symbol library file with the symbol as `edit` leaves it.
std::string CheckOne(const char* name, const std::function<void(CFigSymbol&)>& edit)
{
    CFigSymbol s;
    EXPECT_TRUE(FindLibrarySymbol(name, s)) << name;
    edit(s);
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    w.WriteHeader();
    WriteFigureSymbolRecord(w, s);
    QTemporaryDir dir;
    const QString path = dir.filePath("one.kvf");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sink.text.data(), qint64(sink.text.size()));
    f.close();
    const SymbolLibraryReport r = CheckSymbolLibrary(path.toStdString());
    std::string problems;
    for (const std::string& p : r.problems)
        problems += p + "\n";
    return problems;
}
} // namespace

TEST(SymbolLibraries, EveryShippedLibraryLoadsAndEverySymbolWorks)
{
    const QStringList files = LibraryFiles();
    ASSERT_GE(files.size(), 8);
    std::set<std::string> names;
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        const SymbolLibraryReport r = CheckSymbolLibrary(path.toStdString());
        EXPECT_TRUE(r.loaded);
        EXPECT_GE(r.symbols.size(), 8u);
        for (const std::string& p : r.problems)
            ADD_FAILURE() << p;
        for (const auto& s : r.symbols)
            names.insert(s.name);
    }
    // The end symbols the program knows by name are there to pick.
    for (const char* end : {"arrow umlopen", "aggregation", "composition", "containment", "ball for socket"})
        EXPECT_TRUE(names.count(end)) << end;
}

TEST(SymbolLibraries, EverySpecialShapeNameIsInALibrary)
{
    std::map<std::string, int> offered;
    for (const QString& path : LibraryFiles())
        for (const auto& s : CheckSymbolLibrary(path.toStdString()).symbols)
            offered[s.name] = s.kind;
    std::set<int> kinds;
    for (const std::string& name : SpecialKindNames()) {
        const auto it = offered.find(name);
        if (it == offered.end()) {
            ADD_FAILURE() << "no library offers \"" << name << "\"";
            continue;
        }
        EXPECT_EQ(it->second, GetSpecialKindFromName(name)) << name;
        kinds.insert(it->second);
    }
    // Every kind a name gives: 174 less the kinds no name gives.
    EXPECT_EQ(kinds.size(), 174u - 22u);
}

TEST(SymbolLibraries, TheCheckFindsBrokenSpecialShapes)
{
    // Sound as made.
    EXPECT_EQ(CheckOne("package r2", [](CFigSymbol&) {}), "");
    // A row box that lost a text box: its dividers cannot be limited.
    EXPECT_NE(CheckOne("box r3", [](CFigSymbol& s) { --s.m_nTextBoxes; }).find("divider"), std::string::npos);
    // A package whose outline is no longer its kind's template.
    EXPECT_NE(CheckOne("package", [](CFigSymbol& s) { s.SetName("package c2"), s.ComputeReshapeKind(); })
                  .find("template"),
              std::string::npos);
    // A kind that is not its name's.
    EXPECT_NE(CheckOne("note", [](CFigSymbol& s) { s.Reshape = 7; }).find("not its name's"), std::string::npos);
    // No hot zone.
    EXPECT_NE(CheckOne("Process", [](CFigSymbol& s) { s.m_hotZone.SetPoints(0, nullptr); }).find("hot zone"),
              std::string::npos);
}

TEST(SymbolLibraries, ShippedFilesAreWhatTheProgramWrites)
{
    QTemporaryDir dir;
    std::string error;
    ASSERT_TRUE(WriteSymbolLibraries(dir.path(), error)) << error;
    const QStringList made = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QStringList shipped;
    for (const QString& path : LibraryFiles())
        shipped << QFileInfo(path).fileName();
    shipped.sort();
    EXPECT_EQ(made, shipped);
    for (const QString& name : made) {
        QFile a(dir.filePath(name)), b(QStringLiteral(KAVO_RESOURCE_DIR "/Symbols/") + name);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_TRUE(a.readAll() == b.readAll()) << name.toStdString() << ": run kvdtool content resources";
    }
}

TEST(SymbolLibraries, ClipartIsWhatTheProgramDraws)
{
    QTemporaryDir dir;
    std::string error;
    ASSERT_TRUE(WriteClipart(dir.path(), error)) << error;
    const std::vector<std::string> names = ClipartNames();
    ASSERT_GE(names.size(), 10u);
    const QDir shipped(QStringLiteral(KAVO_RESOURCE_DIR "/Clipart"));
    EXPECT_EQ(shipped.entryList({"*.png"}, QDir::Files).size(), qsizetype(names.size()));
    QImage sheet(int(names.size()) * 132, 132, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const QString file = QString::fromStdString(names[i]) + ".png";
        const QImage made(dir.filePath(file)), held(shipped.filePath(file));
        ASSERT_FALSE(held.isNull()) << "run kvdtool content resources";
        ASSERT_EQ(held.size(), QSize(128, 128));
        // The same picture, a shade of rounding aside; something on it.
        int differ = 0, inked = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                const QRgb a = made.pixel(x, y), b = held.pixel(x, y);
                differ += std::abs(qAlpha(a) - qAlpha(b)) > 8 || std::abs(qGray(a) - qGray(b)) > 8;
                inked += qAlpha(b) > 128;
            }
        EXPECT_LT(differ, 20);
        EXPECT_GT(inked, 128 * 128 / 8);
        p.drawImage(int(i) * 132 + 2, 2, held);
    }
    if (const QString folder = qEnvironmentVariable("KAVO_SHOTS"); !folder.isEmpty())
        sheet.save(QDir(folder).filePath("Clipart.png"));
}
