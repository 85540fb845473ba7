// The main dialog: its controls, geometry and keys, and real installs into a temporary Wine
// prefix, with the message boxes answered through the application object.
#include <QtGui/QScreen>
#include <QtTest/QtTest>
#include <QtWidgets/QLabel>

#include <memory>

#include "app/MessageTable.h"
#include "app/qt/DialogUnits.h"
#include "tests/qt/support/DialogFixture.h"
#include "tests/support/TestApplication.h"

using namespace quorvel;
using app::qt::MainDialog;
using Texts = std::vector<std::string>;

class MainDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f_;

    const std::string kOneFileAndTexture =
        "Dateinstallation{{a.dat>>Modelle\\a.dat}}Texturskript{{2>>Textur{id(2)}}}";

private slots:
    void init() { f_ = std::make_unique<test::DialogFixture>(); }
    void cleanup() { f_.reset(); }

    void showsTheTemplatesControlsAndTexts() {
        QCOMPARE(f_->dialog.windowTitle(), QStringLiteral("Quorvel"));
        QVERIFY(!f_->dialog.windowIcon().isNull());
        QCOMPARE(f_->dialog.findChild<QLabel*>(MainDialog::kTextName)->text(),
                 QStringLiteral("Dieses Programm installiert zusätzliche Modelle zum Programm "
                                "Trassimo (TRZ)."));
        QCOMPARE(f_->Button(MainDialog::kInstallButtonName)->text(),
                 QStringLiteral("Installieren"));
        QVERIFY(f_->Button(MainDialog::kInstallButtonName)->isDefault());
        QCOMPARE(f_->Button(MainDialog::kCancelButtonName)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(f_->dialog.findChildren<QPushButton*>().size(), 2);
        // Empty until an install sets it: position 0 of a new control, no text.
        QCOMPARE(f_->Progress()->value(), 0);
        QCOMPARE(f_->Progress()->maximum(), 100);
        QVERIFY(!f_->Progress()->isTextVisible());
        QVERIFY(!(f_->dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
    }

    void placesTheControlsByDialogUnits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("units");
        QTest::newRow("Installieren") << MainDialog::kInstallButtonName << QRect(48, 86, 50, 14);
        QTest::newRow("Abbrechen") << MainDialog::kCancelButtonName << QRect(132, 86, 50, 14);
        QTest::newRow("text") << MainDialog::kTextName << QRect(7, 7, 221, 35);
        QTest::newRow("progress bar") << MainDialog::kProgressBarName << QRect(7, 37, 221, 21);
    }
    void placesTheControlsByDialogUnits() {
        QFETCH(QString, name);
        QFETCH(QRect, units);
        const app::qt::DialogBaseUnits base = app::qt::BaseUnitsOf(f_->dialog.font());
        QCOMPARE(f_->dialog.findChild<QWidget*>(name)->geometry(),
                 app::qt::PixelBox({units.x(), units.y(), units.width(), units.height()}, base));
        // 235 x 107 units, fixed: the user cannot resize it.
        QCOMPARE(f_->dialog.minimumSize(), app::qt::PixelSize({235, 107}, base));
        QCOMPARE(f_->dialog.maximumSize(), f_->dialog.minimumSize());
    }

    void opensCentredWithTheFocusOnInstallieren() {
        QVERIFY(f_->Show());
        const QRect screen = f_->dialog.screen()->availableGeometry();
        QVERIFY((f_->dialog.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
        QPushButton* install = f_->Button(MainDialog::kInstallButtonName);
        QCOMPARE(QApplication::focusWidget(), install);
        QTest::keyClick(install, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f_->Button(MainDialog::kCancelButtonName));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), install);
    }

    void cancelTouchesNothing_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Abbrechen", "Escape", "close box", "Enter on Abbrechen"}) {
            QTest::newRow(how) << how;
        }
    }
    void cancelTouchesNothing() {
        QFETCH(QString, how);
        f_->PreparePackage(kOneFileAndTexture);
        QVERIFY(f_->Show());
        QPushButton* cancel = f_->Button(MainDialog::kCancelButtonName);
        if (how == "Abbrechen") {
            QTest::mouseClick(cancel, Qt::LeftButton);
        } else if (how == "Escape") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (how == "close box") {
            f_->dialog.close();
        } else {
            cancel->setFocus();
            QTest::keyClick(cancel, Qt::Key_Return);
        }
        QVERIFY(!f_->dialog.isVisible());
        QCOMPARE(f_->dialog.result(), int(QDialog::Rejected));
        QVERIFY(f_->app.Texts().empty());
        QVERIFY(!f_->tree.Exists("Sim\\Modelle"));
        QCOMPARE(f_->tree.ReadFile("Sim\\Resourcen\\Parallels\\Texturen.txt"),
                 std::string("{Textur{id(1)}}"));
    }

    void installierenInstallsThePackage_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("click") << false;
        QTest::newRow("Enter") << true;
    }
    void installierenInstallsThePackage() {
        QFETCH(bool, byEnter);
        f_->PreparePackage(kOneFileAndTexture);
        QVERIFY(f_->Show());
        if (byEnter) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        } else {
            f_->ClickInstall();
        }
        QCOMPARE(f_->app.Texts(), Texts{app::MessageText(app::kMessageInstallSucceeded)});
        QCOMPARE(f_->tree.ReadFile("Sim\\Modelle\\a.dat"), std::string("paket"));
        QVERIFY(f_->tree.ReadFile("Sim\\Resourcen\\Parallels\\Texturen.txt").find("id(2)") !=
                std::string::npos);
        QCOMPARE(f_->Progress()->Position(), 4);
        QCOMPARE(f_->Progress()->value(), f_->Progress()->maximum());
        QVERIFY(!f_->dialog.isVisible());
        QCOMPARE(f_->dialog.result(), int(QDialog::Accepted));
    }

    void aNewerFileIsKeptOnJa_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("Ja keeps it") << platform::kIdYes << QByteArray("neu");
        QTest::newRow("Nein replaces it") << platform::kIdNo << QByteArray("paket");
    }
    void aNewerFileIsKeptOnJa() {
        QFETCH(int, answer);
        QFETCH(QByteArray, content);
        f_->PreparePackage("Dateinstallation{{a.dat>>a.dat}}Texturskript{}");
        f_->PrepareNewerTarget();
        f_->app.QueueAnswers({answer});
        QVERIFY(f_->Show());
        f_->ClickInstall();
        const std::string question = test::Message(
            app::kMessageTargetNewer, {f_->tree.Path("Sim\\a.dat"), f_->tree.Path("Paket\\a.dat")});
        QCOMPARE(f_->app.Texts(),
                 (Texts{question, app::MessageText(app::kMessageInstallSucceeded)}));
        QCOMPARE(f_->app.Types().front(), platform::kMbYesNo);
        QCOMPARE(QByteArray::fromStdString(f_->tree.ReadFile("Sim\\a.dat")), content);
    }

    void notInstalledLeavesTheDialogOpen() {
        QVERIFY(f_->Show());
        for (int press = 1; press <= 2; ++press) {
            f_->ClickInstall();
            QCOMPARE(f_->app.Texts(), Texts(press, app::MessageText(app::kMessageNotInstalled)));
        }
        QVERIFY(f_->dialog.isVisible());
        QCOMPARE(f_->Progress()->maximum(), 100);  // untouched
    }

    void aFailedCopyIsReportedThenTheDialogCloses() {
        f_->PreparePackage("Dateinstallation{{fehlt.dat>>a.dat}}Texturskript{}");
        QVERIFY(f_->Show());
        f_->ClickInstall();
        QCOMPARE(f_->app.Texts(),
                 (Texts{test::Message(app::kMessageCopyFailed, {f_->tree.Path("Paket\\fehlt.dat"),
                                                                f_->tree.Path("Sim\\a.dat")}),
                        app::MessageText(app::kMessageInstallFailed)}));
        QVERIFY(!f_->dialog.isVisible());
    }

    void progressBarFollowsTheControlsRules_data() {
        QTest::addColumn<QList<int>>("call");  // minimum, maximum, position
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("shownMaximum");
        QTest::newRow("in range") << QList<int>{0, 4, 3} << 3 << 4;
        QTest::newRow("above: the maximum") << QList<int>{0, 4, 9} << 4 << 4;
        QTest::newRow("below: the minimum") << QList<int>{2, 4, 0} << 2 << 4;
        QTest::newRow("empty range: empty, not busy") << QList<int>{0, 0, 0} << 0 << 1;
    }
    void progressBarFollowsTheControlsRules() {
        QFETCH(QList<int>, call);
        QFETCH(int, shown);
        QFETCH(int, shownMaximum);
        f_->dialog.InstallProgressBar().SetRange(call[0], call[1]);
        f_->dialog.InstallProgressBar().SetPosition(call[2]);
        QCOMPARE(f_->Progress()->value(), shown);
        QCOMPARE(f_->Progress()->maximum(), shownMaximum);
    }

    void savesAScreenshot() {
        QVERIFY(f_->Show());
        const QString path = QStringLiteral(QUORVEL_TEST_ARTEFACTS "/quorvel-qt.png");
        QVERIFY(f_->dialog.grab().save(path));
        QCOMPARE(QImage(path).size(), f_->dialog.size());
    }
};

QTEST_MAIN(MainDialogTest)
#include "MainDialogTest.moc"
