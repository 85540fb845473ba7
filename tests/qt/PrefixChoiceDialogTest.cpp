// The desktop choice among several prefixes that hold Trassimo, on Qt's offscreen platform.
#include <QtTest/QtTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include "app/qt/PrefixChoiceDialog.h"
#include "tests/qt/support/ScreenScript.h"

using quorvel::app::qt::PrefixChoiceDialog;
using quorvel::platform::posix::FoundPrefix;
using quorvel::test::ScreenScript;

namespace {

std::vector<FoundPrefix> Choices() {
    std::vector<FoundPrefix> choices(3);
    const char* folders[] = {"/h/steam/pfx", "/h/bottles/B", "/h/Z\xc3\xbcge"};
    const char* origins[] = {"Steam, App 1 (Trassimo)", "Bottles: B", "PlayOnLinux: Z\xc3\xbcge"};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        choices[i].folder = folders[i];
        choices[i].origin = origins[i];
        choices[i].isPrefix = true;
        choices[i].trassimoAppPath = "C:\\T\\T.exe";
    }
    return choices;
}

QListWidget* ListOf(QWidget* window) {
    return window->findChild<QListWidget*>(PrefixChoiceDialog::kListName);
}

void Click(QWidget* window, const char* button) {
    auto* found = window->findChild<QPushButton*>(button);
    QVERIFY(found != nullptr);
    QTest::mouseClick(found, Qt::LeftButton);
}

}  // namespace

class PrefixChoiceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryChoiceWithItsOriginTheFirstSelected() {
        PrefixChoiceDialog dialog(Choices());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quorvel"));
        QListWidget* list = ListOf(&dialog);
        QVERIFY(list != nullptr);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("/h/steam/pfx\n    Steam, App 1 (Trassimo)"));
        QCOMPARE(list->item(2)->text(),
                 QString::fromUtf8("/h/Z\xc3\xbcge\n    PlayOnLinux: Z\xc3\xbcge"));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(dialog.findChild<QPushButton*>(PrefixChoiceDialog::kOkButtonName)->text(),
                 QStringLiteral("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>(PrefixChoiceDialog::kCancelButtonName)->text(),
                 QStringLiteral("Abbrechen"));
        QVERIFY(!dialog.Chosen().has_value());  // not accepted yet
    }

    void okTakesTheSelectedEntry() {
        ScreenScript script;
        script.OnModal([](QWidget* window) {
            ListOf(window)->setCurrentRow(1);
            Click(window, PrefixChoiceDialog::kOkButtonName);
        });
        const std::optional<FoundPrefix> chosen = PrefixChoiceDialog::Choose(Choices());
        QVERIFY(script.Done());
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(chosen->folder), QStringLiteral("/h/bottles/B"));
    }

    void enterTakesTheFirst() {
        ScreenScript script;
        script.OnModal([](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
        const std::optional<FoundPrefix> chosen = PrefixChoiceDialog::Choose(Choices());
        QVERIFY(script.Done());
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(chosen->folder), QStringLiteral("/h/steam/pfx"));
    }

    void aDoubleClickTakesItsEntry() {
        ScreenScript again;
        again.OnModal([](QWidget* window) {
            QListWidget* list = ListOf(window);
            const QPoint third = list->visualItemRect(list->item(2)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
            if (window->isVisible()) {  // not accepted: close it so that the test fails
                qobject_cast<QDialog*>(window)->reject();
            }
        });
        const std::optional<FoundPrefix> chosen = PrefixChoiceDialog::Choose(Choices());
        QVERIFY(again.Done());
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromUtf8(chosen->folder.c_str()), QString::fromUtf8("/h/Z\xc3\xbcge"));
    }

    void cancelChoosesNothing() {
        ScreenScript script;
        script.OnModal([](QWidget* window) {
            ListOf(window)->setCurrentRow(2);
            Click(window, PrefixChoiceDialog::kCancelButtonName);
        });
        QVERIFY(!PrefixChoiceDialog::Choose(Choices()).has_value());
        QVERIFY(script.Done());
    }

    void escapeChoosesNothing() {
        ScreenScript escape;
        escape.OnModal([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
        QVERIFY(!PrefixChoiceDialog::Choose(Choices()).has_value());
        QVERIFY(escape.Done());
    }
};

QTEST_MAIN(PrefixChoiceDialogTest)
#include "PrefixChoiceDialogTest.moc"
