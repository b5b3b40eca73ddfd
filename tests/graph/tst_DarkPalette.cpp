// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window on a dark desktop: its tool buttons, cursor labels and panels stay readable
// (the chart itself keeps its own light look). The window is also drawn to dark-graph.png in
// the test's folder, to look at.
#include "common/Paths.h"
#include "common/StringTable.h"
#include "graph/GraphState.h"
#include "graph/TfrmGraph.h"
#include "widgets/Contrast.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace ql708;
using namespace ql708::graph;

namespace {

// The dark palette desktops give Qt's Fusion style.
QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), text(0xee, 0xee, 0xee);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// The strongest contrast of an icon's drawn pixels against the background: its ink.
double inkContrast(const QIcon &icon, const QColor &background)
{
    const QImage image = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128)
                best = std::max(best, contrastRatio(c, background));
        }
    return best;
}

} // namespace

class TestDarkPalette : public QObject {
    Q_OBJECT
private slots:
    void contrast_data();
    void contrast();
    void graphWindowReadable();
};

void TestDarkPalette::contrast_data()
{
    QTest::addColumn<QColor>("wanted");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("kept");
    QTest::newRow("blue on a light window") << QColor(Qt::blue) << QColor(0xef, 0xef, 0xef) << true;
    QTest::newRow("red on a light window") << QColor(Qt::red) << QColor(0xef, 0xef, 0xef) << false;
    QTest::newRow("blue on a dark window") << QColor(Qt::blue) << QColor(0x35, 0x35, 0x35) << false;
    QTest::newRow("red on a dark window") << QColor(Qt::red) << QColor(0x35, 0x35, 0x35) << false;
    QTest::newRow("yellow on black") << QColor(Qt::yellow) << QColor(Qt::black) << true;
}

void TestDarkPalette::contrast()
{
    QFETCH(QColor, wanted);
    QFETCH(QColor, background);
    QFETCH(bool, kept);
    QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
    QCOMPARE(contrastRatio(Qt::white, Qt::white), 1.0);
    const QColor c = readableOn(wanted, background);
    QVERIFY2(contrastRatio(c, background) >= 4.5, qPrintable(c.name()));
    QCOMPARE(c == wanted, kept);
    QCOMPARE(c.hsvHue(), wanted.hsvHue()); // the same colour, lighter or darker
}

void TestDarkPalette::graphWindowReadable()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
    setActiveLanguage(Language::English);
    QTemporaryDir dir;
    paths::setTestRoot(dir.path());
    graphState() = GraphState();
    QMdiArea area;
    area.resize(1200, 700);
    area.show();
    TfrmGraph *w = TfrmGraph::create(&area, QStringLiteral("Dark.ghf"));
    w->setGeometry(0, 0, 1200, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QVERIFY(w->grab().save(QStringLiteral("dark-graph.png")));

    int labels = 0, buttons = 0;
    for (const QLabel *l : w->findChildren<QLabel *>()) {
        if (!l->isVisibleTo(w) || l->text().isEmpty())
            continue;
        const QPalette &p = l->palette();
        QVERIFY2(contrastRatio(p.color(l->foregroundRole()), p.color(QPalette::Window)) >= 4.5,
                 qPrintable(l->objectName()));
        ++labels;
    }
    for (const QToolButton *b : w->findChildren<QToolButton *>()) {
        if (!b->isVisibleTo(w) || b->icon().isNull())
            continue;
        QVERIFY2(inkContrast(b->icon(), b->palette().color(QPalette::Button)) >= 3.0, qPrintable(b->objectName()));
        ++buttons;
    }
    QVERIFY(labels >= 4);
    QVERIFY(buttons >= 8);
    // The cursors keep their colours, so that the labels still name the chart's two lines.
    const auto hue = [w](const char *name) {
        return w->findChild<QLabel *>(QString::fromLatin1(name))->palette().color(QPalette::WindowText).hsvHue();
    };
    QCOMPARE(hue("lblCursorA"), QColor(Qt::blue).hsvHue());
    QCOMPARE(hue("lblCursorB"), QColor(Qt::red).hsvHue());
    paths::setTestRoot({});
}

QTEST_MAIN(TestDarkPalette)
#include "tst_DarkPalette.moc"
