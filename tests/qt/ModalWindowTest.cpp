// The windows that open over the main dialog, on screen: the real message boxes and the
// About box, reached from the context menu and from Alt+O.
#include <QtGui/QAction>
#include <QtTest/QtTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>

#include <memory>

#include "app/MessageTable.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/DialogUnits.h"
#include "platform/Cp1252.h"
#include "tests/qt/support/DialogFixture.h"
#include "tests/qt/support/ScreenScript.h"
#include "tests/support/TestApplication.h"

using namespace quorvel;
using app::qt::AboutDialog;
using test::ScreenScript;

namespace {

QString Utf8(const std::string& cp1252) {
    return QString::fromStdString(platform::Cp1252ToUtf8(cp1252));
}

// Checks a box as the installer shows it, over the main dialog, and clicks `answer`.
ScreenScript::Step Answer(QWidget* owner, const QString& text, const QString& answer) {
    return [=](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        QVERIFY(box != nullptr);
        QCOMPARE(box->parentWidget(), owner);
        QCOMPARE(box->windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(box->text(), text);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QVERIFY(test::ClickButton(box, answer));
    };
}

// An application whose message table lacks the About entry.
class NoAboutEntryApp : public test::TestDesktopApp {
public:
    std::string LoadMessage(unsigned id) override {
        return id == app::kMessageAboutEntry ? std::string() : DesktopApp::LoadMessage(id);
    }
};

}  // namespace

class ModalWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::DialogFixture> f_;

private slots:
    void init() {
        f_ = std::make_unique<test::DialogFixture>();
        f_->app.ShowRealBoxes();
    }
    void cleanup() { f_.reset(); }

    void notInstalledShowsAnOkBox() {
        QVERIFY(f_->Show());
        ScreenScript script;
        script.OnModal([this](QWidget* window) {
            QCOMPARE(test::ButtonTexts(window), QStringList{"OK"});
            QCOMPARE(qobject_cast<QMessageBox*>(window)->icon(), QMessageBox::Warning);
            Answer(&f_->dialog, Utf8(app::MessageText(app::kMessageNotInstalled)), "OK")(window);
        });
        f_->ClickInstall();
        QVERIFY(script.Done());
        QVERIFY(f_->dialog.isVisible());
    }

    void theQuestionIsAnsweredOnlyByItsButtons_data() {
        QTest::addColumn<bool>("triesEscapeAndClose");
        QTest::addColumn<QString>("answer");  // a button, or "Enter"
        QTest::addColumn<int>("result");
        QTest::newRow("Ja") << false << "Ja" << platform::kIdYes;
        QTest::newRow("Nein") << false << "Nein" << platform::kIdNo;
        QTest::newRow("Enter: Ja is the default") << false << "Enter" << platform::kIdYes;
        QTest::newRow("Escape and close do nothing") << true << "Nein" << platform::kIdNo;
    }
    void theQuestionIsAnsweredOnlyByItsButtons() {
        QFETCH(bool, triesEscapeAndClose);
        QFETCH(QString, answer);
        QFETCH(int, result);
        QVERIFY(f_->Show());
        ScreenScript script;
        script.OnModal([&](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            QCOMPARE(test::ButtonTexts(box), (QStringList{"Ja", "Nein"}));
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("Ja"));
            if (triesEscapeAndClose) {
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                QVERIFY(box->isVisible());
            }
            if (answer == "Enter") {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                Answer(&f_->dialog, QStringLiteral("Grüße für 5 €?"), answer)(box);
            }
        });
        // Windows-1252 from the engine: ü, ß and the euro sign.
        QCOMPARE(f_->app.DoMessageBox("Gr\xFC\xDF"
                                      "e f\xFCr 5 \x80?",
                                      platform::kMbYesNo),
                 result);
        QVERIFY(script.Done());
    }

    void aWholeInstallWithTheRealBoxes() {
        f_->PreparePackage("Dateinstallation{{a.dat>>a.dat}}Texturskript{}");
        f_->PrepareNewerTarget();
        const std::string question = test::Message(
            app::kMessageTargetNewer, {f_->tree.Path("Sim\\a.dat"), f_->tree.Path("Paket\\a.dat")});
        QVERIFY(f_->Show());
        ScreenScript script;
        script.OnModal(Answer(&f_->dialog, Utf8(question), "Nein"))
            .OnModal(
                Answer(&f_->dialog, Utf8(app::MessageText(app::kMessageInstallSucceeded)), "OK"));
        f_->ClickInstall();
        QVERIFY(script.Done());
        QCOMPARE(f_->tree.ReadFile("Sim\\a.dat"), std::string("paket"));
        QVERIFY(!f_->dialog.isVisible());
    }

    void theAboutBoxShowsIconVersionAndNotice() {
        AboutDialog about(&f_->dialog);
        const app::qt::DialogBaseUnits base = app::qt::BaseUnitsOf(about.font());
        const auto box = [&](int x, int y, int width, int height) {
            return app::qt::PixelBox({x, y, width, height}, base);
        };
        QCOMPARE(about.windowTitle(), QStringLiteral("Info über Quorvel"));
        const auto* version = about.findChild<QLabel*>(AboutDialog::kVersionName);
        QCOMPARE(version->text(), QStringLiteral("Quorvel Version 1.0"));
        QCOMPARE(version->geometry(), box(40, 10, 119, 8));
        const auto* notice = about.findChild<QLabel*>(AboutDialog::kNoticeName);
        QCOMPARE(notice->text(), QStringLiteral("Copyright © 2026 Quorvel"));
        QCOMPARE(notice->geometry(), box(40, 25, 119, 8));
        const auto* icon = about.findChild<QLabel*>(AboutDialog::kIconName);
        QCOMPARE(icon->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        QCOMPARE(icon->pos(), box(11, 17, 20, 20).topLeft());
        const auto* ok = about.findChild<QPushButton*>(AboutDialog::kOkButtonName);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), box(178, 7, 50, 14));
        QCOMPARE(about.minimumSize(), app::qt::PixelSize({235, 55}, base));
        QCOMPARE(about.maximumSize(), about.minimumSize());
    }

    void theAboutBoxOpensFromTheContextMenuAndAltO_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QString>("closeBy");
        QTest::newRow("menu, OK") << true << "OK";
        QTest::newRow("menu, Escape") << true << "Escape";
        QTest::newRow("Alt+O, Enter") << false << "Enter";
        QTest::newRow("Alt+O, close box") << false << "close";
    }
    void theAboutBoxOpensFromTheContextMenuAndAltO() {
        QFETCH(bool, fromMenu);
        QFETCH(QString, closeBy);
        QVERIFY(f_->Show());
        ScreenScript script;
        if (fromMenu) {
            script.OnPopup([](QWidget* window) {
                const QList<QAction*> entries = qobject_cast<QMenu*>(window)->actions();
                QCOMPARE(entries.size(), 1);
                QCOMPARE(entries.front()->text(), QStringLiteral("Inf&o über Quorvel..."));
                QTest::keyClick(window, Qt::Key_O);  // the access key
            });
        }
        script.OnModal([&](QWidget* window) {
            QVERIFY(dynamic_cast<AboutDialog*>(window) != nullptr);
            QCOMPARE(window->parentWidget(), &f_->dialog);
            QVERIFY(
                (window->geometry().center() - f_->dialog.geometry().center()).manhattanLength() <=
                2);
            if (closeBy == "OK") {
                QVERIFY(test::ClickButton(window, "OK"));
            } else if (closeBy == "close") {
                window->close();
            } else {
                QTest::keyClick(window, closeBy == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
        if (fromMenu) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                    f_->dialog.mapToGlobal(QPoint(20, 20)));
            QApplication::sendEvent(&f_->dialog, &event);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        }
        QVERIFY(script.Done());
        // Back to the main dialog, unchanged.
        QVERIFY(f_->dialog.isVisible());
        QVERIFY(f_->app.Texts().empty());
        QCOMPARE(f_->Progress()->maximum(), 100);
    }

    void withoutMessage101ThereIsNoAboutEntry() {
        f_.reset();  // one application object at a time
        NoAboutEntryApp application;
        app::qt::MainDialog dialog(application);
        QCOMPARE(dialog.AboutAction(), nullptr);
        QVERIFY(dialog.actions().isEmpty());
        QVERIFY(dialog.contextMenuPolicy() != Qt::ActionsContextMenu);
    }
};

QTEST_MAIN(ModalWindowTest)
#include "ModalWindowTest.moc"
