// A main dialog over a temporary tree with a package folder "Paket" and a Trassimo folder
// "Sim", in a temporary Wine prefix, with the test's application object.
#pragma once

#include <QtTest/QTest>
#include <QtWidgets/QPushButton>

#include <string>

#include "app/qt/DialogProgressBar.h"
#include "app/qt/MainDialog.h"
#include "tests/qt/support/TestDesktopApp.h"
#include "tests/support/TempTree.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::test {

struct DialogFixture {
    DialogFixture() {
        app.SetModulePath(tree.Path("Paket\\Quorvel.exe"));
        app.SetMainWindow(&dialog);
    }

    // Shows the dialog and waits until it has the keyboard.
    bool Show() {
        dialog.show();
        return QTest::qWaitForWindowActive(&dialog);
    }
    QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
    app::qt::DialogProgressBar* Progress() {
        return dialog.findChild<app::qt::DialogProgressBar*>(app::qt::MainDialog::kProgressBarName);
    }
    void ClickInstall() {
        QTest::mouseClick(Button(app::qt::MainDialog::kInstallButtonName), Qt::LeftButton);
    }

    // Registers Trassimo with a catalogue, and writes a package of one file "a.dat".
    void PreparePackage(const std::string& script) {
        registry.RegisterTrassimo(tree.Path("Sim\\TRZ.exe"));
        tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", "{Textur{id(1)}}");
        tree.WriteFile("Paket\\a.dat", "paket");
        tree.WriteFile("Paket\\InstSkript.txt", script);
    }
    // Trassimo's "a.dat" newer than the package's.
    void PrepareNewerTarget() {
        tree.WriteFile("Sim\\a.dat", "neu");
        tree.SetLastWriteTime("Sim\\a.dat", FileTimeAt(3600));
        tree.SetLastWriteTime("Paket\\a.dat", FileTimeAt(0));
    }

    TempTree tree;
    TestRegistry registry;  // an empty prefix until PreparePackage
    TestDesktopApp app;
    app::qt::MainDialog dialog{app};
};

}  // namespace quorvel::test
