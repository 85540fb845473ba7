#include "app/qt/PrefixChoiceDialog.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "app/DialogTexts.h"
#include "app/qt/AppIcon.h"
#include "app/qt/DialogUnits.h"

namespace quorvel::app::qt {

PrefixChoiceDialog::PrefixChoiceDialog(std::vector<platform::posix::FoundPrefix> choices,
                                       QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      choices_(std::move(choices)),
      list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral(QUORVEL_APP_NAME));
    setWindowIcon(ApplicationIcon());
    setFont(DialogFont());

    auto* question = new QLabel(
        QString::fromUtf8("Trassimo ist in mehreren Wine-Pr\u00e4fixen installiert. Welches soll "
                          "Quorvel verwenden?"),
        this);
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);

    list_->setObjectName(kListName);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const platform::posix::FoundPrefix& prefix : choices_) {
        list_->addItem(QString::fromStdString(prefix.folder) + QStringLiteral("\n    ") +
                       QString::fromStdString(prefix.origin));
    }
    list_->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(QString::fromUtf8(QUORVEL_OK_BUTTON), QDialogButtonBox::AcceptRole);
    ok->setObjectName(kOkButtonName);
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromUtf8(QUORVEL_CANCEL_BUTTON), QDialogButtonBox::RejectRole);
    cancel->setObjectName(kCancelButtonName);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    list_->setFocus();
}

std::optional<platform::posix::FoundPrefix> PrefixChoiceDialog::Chosen() const {
    const int row = list_->currentRow();
    if (result() != QDialog::Accepted || row < 0 ||
        static_cast<std::size_t>(row) >= choices_.size()) {
        return std::nullopt;
    }
    return choices_[static_cast<std::size_t>(row)];
}

std::optional<platform::posix::FoundPrefix> PrefixChoiceDialog::Choose(
    std::vector<platform::posix::FoundPrefix> choices, QWidget* owner) {
    PrefixChoiceDialog dialog(std::move(choices), owner);
    dialog.exec();
    return dialog.Chosen();
}

}  // namespace quorvel::app::qt
