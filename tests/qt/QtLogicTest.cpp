// The front end's logic without widgets: dialog units to pixels, and the choice of front end.
#include <QtGui/QFontMetrics>
#include <QtTest/QtTest>

#include "app/FrontEndChoice.h"
#include "app/qt/DialogUnits.h"

using namespace quorvel::app;
using namespace quorvel::app::qt;

Q_DECLARE_METATYPE(FrontEndRequest)

class QtLogicTest : public QObject {
    Q_OBJECT

private slots:
    void averageCharWidthRoundsTheAlphabetOver52_data() {
        QTest::addColumn<int>("alphabet");
        QTest::addColumn<int>("average");
        QTest::newRow("exact") << 312 << 6;
        QTest::newRow("just below half") << 337 << 6;
        QTest::newRow("half rounds up") << 338 << 7;
        QTest::newRow("DejaVu Sans 8 pt") << 353 << 7;
        QTest::newRow("nothing") << 0 << 0;
    }
    void averageCharWidthRoundsTheAlphabetOver52() {
        QFETCH(int, alphabet);
        QFETCH(int, average);
        QCOMPARE(AverageCharWidth(alphabet), average);
    }

    void dialogUnitsBecomePixels_data() {
        QTest::addColumn<int>("baseX");
        QTest::addColumn<int>("baseY");
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QRect>("pixels");
        // The classic 6 x 13 of an 8-point dialog font on Windows.
        QTest::newRow("main dialog, 6x13")
            << 6 << 13 << QRect(0, 0, 235, 107) << QRect(0, 0, 353, 174);
        QTest::newRow("Installieren, 6x13")
            << 6 << 13 << QRect(48, 86, 50, 14) << QRect(72, 140, 75, 23);
        QTest::newRow("progress bar, 7x13")
            << 7 << 13 << QRect(7, 37, 221, 21) << QRect(12, 60, 387, 34);
        QTest::newRow("About OK, 8x16")
            << 8 << 16 << QRect(178, 7, 50, 14) << QRect(356, 14, 100, 28);
        QTest::newRow("negative: half away from 0")
            << 6 << 13 << QRect(-3, -4, 0, 0) << QRect(-5, -7, 0, 0);
    }
    void dialogUnitsBecomePixels() {
        QFETCH(int, baseX);
        QFETCH(int, baseY);
        QFETCH(QRect, units);
        QFETCH(QRect, pixels);
        const DialogBox box{units.x(), units.y(), units.width(), units.height()};
        QCOMPARE(PixelBox(box, {baseX, baseY}), pixels);
        QCOMPARE(PixelSize({box.width, box.height}, {baseX, baseY}), pixels.size());
    }

    void baseUnitsComeFromTheDialogFont() {
        const QFont font = DialogFont();
        QCOMPARE(font.pointSize(), 8);
        const QFontMetrics metrics(font);
        const DialogBaseUnits base = BaseUnitsOf(font);
        QCOMPARE(base.vertical, metrics.height());
        QVERIFY(base.horizontal > metrics.horizontalAdvance(QLatin1Char('i')));
        QVERIFY(base.horizontal < metrics.horizontalAdvance(QLatin1Char('W')));
    }

    void frontEndRequestFromTheEnvironment_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("unset");
        QTest::addColumn<FrontEndRequest>("request");
        QTest::newRow("unset") << QByteArray() << true << FrontEndRequest::Automatic;
        QTest::newRow("empty") << QByteArray("") << false << FrontEndRequest::Automatic;
        QTest::newRow("terminal") << QByteArray("terminal") << false << FrontEndRequest::Terminal;
        QTest::newRow("Desktop") << QByteArray("Desktop") << false << FrontEndRequest::Desktop;
        QTest::newRow("TERMINAL") << QByteArray("TERMINAL") << false << FrontEndRequest::Terminal;
        QTest::newRow("prefix") << QByteArray("desk") << false << FrontEndRequest::Unknown;
        QTest::newRow("longer") << QByteArray("terminals") << false << FrontEndRequest::Unknown;
    }
    void frontEndRequestFromTheEnvironment() {
        QFETCH(QByteArray, value);
        QFETCH(bool, unset);
        QFETCH(FrontEndRequest, request);
        QCOMPARE(ParseFrontEndRequest(unset ? nullptr : value.constData()), request);
    }

    void platformsToTry_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("qtPlatform");
        QTest::addColumn<bool>("namesDisplay");
        QTest::addColumn<QByteArray>("candidates");
        QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << false
                                 << QByteArray("xcb;minimal");
        QTest::newRow("X11") << QByteArray(":0") << QByteArray() << QByteArray() << true
                             << QByteArray("xcb;minimal");
        QTest::newRow("Wayland") << QByteArray() << QByteArray("wayland-0") << QByteArray() << true
                                 << QByteArray("wayland;minimal");
        QTest::newRow("Wayland with XWayland")
            << QByteArray(":1") << QByteArray("wayland-0") << QByteArray() << true
            << QByteArray("wayland;xcb;minimal");
        QTest::newRow("chosen by the user")
            << QByteArray(":0") << QByteArray() << QByteArray("offscreen") << true
            << QByteArray("offscreen;minimal");
    }
    void platformsToTry() {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, qtPlatform);
        QFETCH(bool, namesDisplay);
        QFETCH(QByteArray, candidates);
        // An empty QByteArray stands for an unset variable here, as an empty value does.
        const DisplayEnvironment environment{
            display.isEmpty() ? nullptr : display.constData(),
            wayland.isEmpty() ? nullptr : wayland.constData(),
            qtPlatform.isEmpty() ? nullptr : qtPlatform.constData()};
        QCOMPARE(NamesDisplay(environment), namesDisplay);
        QCOMPARE(QByteArray::fromStdString(PlatformCandidates(environment)), candidates);
    }

    void emptyVariablesCountAsUnset() {
        const DisplayEnvironment empty{"", "", ""};
        QVERIFY(!NamesDisplay(empty));
        QCOMPARE(PlatformCandidates(empty), std::string("xcb;minimal"));
    }
};

QTEST_MAIN(QtLogicTest)
#include "QtLogicTest.moc"
