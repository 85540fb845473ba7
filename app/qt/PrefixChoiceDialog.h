// The choice of the Wine prefix on the desktop, before the main dialog opens, when several
// prefixes hold Trassimo: a list of them (folder and where it was found), "OK" and
// "Abbrechen". The first is selected; a double click chooses too.
#pragma once

#include <QtWidgets/QDialog>

#include <optional>
#include <vector>

#include "platform/posix/prefixes/PrefixDiscovery.h"

class QListWidget;

namespace quorvel::app::qt {

class PrefixChoiceDialog : public QDialog {
public:
    static constexpr const char* kListName = "prefixList";
    static constexpr const char* kOkButtonName = "okButton";
    static constexpr const char* kCancelButtonName = "cancelButton";

    explicit PrefixChoiceDialog(std::vector<platform::posix::FoundPrefix> choices,
                                QWidget* owner = nullptr);

    // The entry selected when the dialog was accepted; nothing after "Abbrechen" or closing.
    std::optional<platform::posix::FoundPrefix> Chosen() const;

    // Shows the dialog modally and returns the choice.
    static std::optional<platform::posix::FoundPrefix> Choose(
        std::vector<platform::posix::FoundPrefix> choices, QWidget* owner = nullptr);

private:
    std::vector<platform::posix::FoundPrefix> choices_;
    QListWidget* list_;
};

}  // namespace quorvel::app::qt
