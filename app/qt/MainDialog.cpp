#include "app/qt/MainDialog.h"

#include <QtGui/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <iostream>

#include "app/DialogGeometry.h"
#include "app/DialogTexts.h"
#include "app/MessageTable.h"
#include "app/VisibleText.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/AppIcon.h"
#include "app/qt/DialogProgressBar.h"
#include "app/qt/DialogUnits.h"
#include "platform/Application.h"
#include "platform/Cp1252.h"

namespace quorvel::app::qt {

namespace {

// The template of the main dialog, in dialog units.
constexpr DialogSize kSize{QUORVEL_MAIN_SIZE};
constexpr DialogBox kInstallBox{QUORVEL_MAIN_INSTALL_BOX};
constexpr DialogBox kCancelBox{QUORVEL_MAIN_CANCEL_BOX};
constexpr DialogBox kTextBox{QUORVEL_MAIN_TEXT_BOX};
constexpr DialogBox kProgressBox{QUORVEL_MAIN_PROGRESS_BOX};

}  // namespace

MainDialog::MainDialog(platform::Application& application, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      application_(application) {
    setWindowTitle(QStringLiteral(QUORVEL_MAIN_TITLE));
    setWindowIcon(ApplicationIcon());
    setFont(DialogFont());
    const DialogBaseUnits base = BaseUnitsOf(font());
    setFixedSize(PixelSize(kSize, base));

    // In the template's order, which is the tab order.
    auto* install = new QPushButton(QString::fromUtf8(QUORVEL_INSTALL_BUTTON), this);
    install->setObjectName(kInstallButtonName);
    install->setGeometry(PixelBox(kInstallBox, base));
    install->setDefault(true);
    connect(install, &QPushButton::clicked, this,
            [this] { RunInstallCommand(*this, application_); });

    auto* cancel = new QPushButton(QString::fromUtf8(QUORVEL_CANCEL_BUTTON), this);
    cancel->setObjectName(kCancelButtonName);
    cancel->setGeometry(PixelBox(kCancelBox, base));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* text = new QLabel(QString::fromUtf8(QUORVEL_MAIN_TEXT), this);
    text->setObjectName(kTextName);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setGeometry(PixelBox(kTextBox, base));

    progressBar_ = new DialogProgressBar(this);
    progressBar_->setObjectName(kProgressBarName);
    progressBar_->setGeometry(PixelBox(kProgressBox, base));

    install->setFocus();
    AddAboutEntry();
}

platform::ProgressBar& MainDialog::InstallProgressBar() {
    return *progressBar_;
}

void MainDialog::AddAboutEntry() {
    const QString label = QString::fromStdString(
        platform::Cp1252ToUtf8(application_.LoadMessage(kMessageAboutEntry)));
    if (label.isEmpty()) {
        return;
    }
    aboutAction_ = new QAction(label, this);
    aboutAction_->setShortcut(QKeySequence::mnemonic(label));
    aboutAction_->setShortcutContext(Qt::WindowShortcut);
    connect(aboutAction_, &QAction::triggered, this, &MainDialog::ShowAboutBox);
    addAction(aboutAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MainDialog::ShowAboutBox() {
    AboutDialog about(this);
    about.exec();
}

void MainDialog::HistoryNotWritten(const std::string& why) {
    std::cerr << "quorvel: Hinweis: " << VisibleText(why) << "\n";
}

}  // namespace quorvel::app::qt
