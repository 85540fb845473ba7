// The About box "Info über Quorvel": the icon, the version, the notice line and "OK".
#pragma once

#include <QtWidgets/QDialog>

namespace quorvel::app::qt {

class AboutDialog : public QDialog {
public:
    static constexpr const char* kIconName = "icon";
    static constexpr const char* kVersionName = "version";
    static constexpr const char* kNoticeName = "notice";
    static constexpr const char* kOkButtonName = "okButton";

    // Opens centred over `owner`, which it disables while it is open.
    explicit AboutDialog(QWidget* owner);
};

}  // namespace quorvel::app::qt
