#include "app/qt/AboutDialog.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

#include "app/DialogGeometry.h"
#include "app/DialogTexts.h"
#include "app/qt/AppIcon.h"
#include "app/qt/DialogUnits.h"

namespace quorvel::app::qt {

namespace {

// The template of the About box, in dialog units.
constexpr DialogSize kSize{QUORVEL_ABOUT_SIZE};
constexpr DialogBox kIconBox{QUORVEL_ABOUT_ICON_BOX};
constexpr DialogBox kVersionBox{QUORVEL_ABOUT_VERSION_BOX};
constexpr DialogBox kNoticeBox{QUORVEL_ABOUT_NOTICE_BOX};
constexpr DialogBox kOkBox{QUORVEL_ABOUT_OK_BOX};

QLabel* AddText(QDialog* dialog, const char* name, const char* utf8, const DialogBox& box,
                const DialogBaseUnits& base) {
    auto* label = new QLabel(QString::fromUtf8(utf8), dialog);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(PixelBox(box, base));
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QString::fromUtf8(QUORVEL_ABOUT_TITLE));
    const QIcon icon = ApplicationIcon();
    setWindowIcon(icon);
    setFont(DialogFont());
    const DialogBaseUnits base = BaseUnitsOf(font());
    setFixedSize(PixelSize(kSize, base));

    // The picture takes the icon's own size at the template's position.
    auto* picture = new QLabel(this);
    picture->setObjectName(kIconName);
    picture->setPixmap(icon.pixmap(kStandardIconSize, kStandardIconSize));
    picture->setGeometry(
        QRect(PixelBox(kIconBox, base).topLeft(), QSize(kStandardIconSize, kStandardIconSize)));

    AddText(this, kVersionName, QUORVEL_ABOUT_VERSION, kVersionBox, base);
    AddText(this, kNoticeName, QUORVEL_ABOUT_NOTICE, kNoticeBox, base);

    auto* ok = new QPushButton(QString::fromUtf8(QUORVEL_OK_BUTTON), this);
    ok->setObjectName(kOkButtonName);
    ok->setGeometry(PixelBox(kOkBox, base));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace quorvel::app::qt
