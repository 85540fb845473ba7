#include "app/history/HistoryCommands.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "app/MessageTable.h"
#include "app/history/HistoryLog.h"
#include "app/history/HistoryPlaces.h"
#include "app/history/HistoryReader.h"
#include "app/history/HistoryRecords.h"
#include "app/history/Undo.h"
#include "engine/PackageInstaller.h"
#include "platform/Cp1252.h"
#include "platform/FileKeeping.h"
#include "platform/WholeFile.h"

namespace quorvel::app::history {

namespace {

constexpr int kLeftAlone = 1;
constexpr int kNotPossible = 2;

// A run that is never started: only its lookup of Trassimo is used.
class NoRunEvents final : public RunEvents {
public:
    void SetRange(int, int) override {}
    void SetPosition(int) override {}
    bool KeepNewerTarget(const std::string&, const std::string&) override { return true; }
    void ReportCopyFailure(const std::string&, const std::string&) override {}
};

std::optional<std::string> FindTrassimo(platform::Host& machine, std::ostream& err) {
    NoRunEvents events;
    PackageInstaller installer(machine, events);
    if (!Succeeded(installer.LookupTarget())) {
        err << MessageUtf8(kMessageNotInstalled) << "\n";
        return std::nullopt;
    }
    return installer.TargetDir();
}

std::string LocalTime(std::uint64_t fileTime) {
    constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000;
    constexpr std::uint64_t kTicksPerSecond = 10000000;
    const std::time_t seconds =
        static_cast<std::time_t>((fileTime - kTicksFrom1601To1970) / kTicksPerSecond);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string Size(std::uint64_t bytes) {
    char text[32];
    if (bytes < 1024) {
        std::snprintf(text, sizeof text, "%llu Bytes", static_cast<unsigned long long>(bytes));
    } else if (bytes < 1024 * 1024) {
        std::snprintf(text, sizeof text, "%.1f KiB", static_cast<double>(bytes) / 1024);
    } else {
        std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / (1024 * 1024));
    }
    std::string shown = text;
    for (char& c : shown) {
        c = c == '.' ? ',' : c;
    }
    return shown;
}

std::string Heading(std::size_t number, const RecordedInstall& install) {
    return "Installation " + std::to_string(number) + " vom " + LocalTime(install.start) + " (" +
           platform::Cp1252ToUtf8(install.package) + ")";
}

void ListInstalls(const std::vector<RecordedInstall>& installs, const std::string& target,
                  std::ostream& out) {
    out << "Verlauf in " << platform::Cp1252ToUtf8(HistoryRoot(target)) << ":\n";
    if (installs.empty()) {
        out << "  noch keine Installation verzeichnet\n";
        return;
    }
    for (std::size_t i = 0; i < installs.size(); ++i) {
        const RecordedInstall& install = installs[i];
        out << "  " << i + 1 << ". " << LocalTime(install.start) << "  "
            << platform::Cp1252ToUtf8(install.package) << "\n     " << install.created << " neu, "
            << install.replaced << " ersetzt, " << install.kept << " behalten, " << install.failed
            << " fehlgeschlagen, " << install.textures << " Texturen; "
            << "Sicherungen " << Size(install.backupBytes)
            << (install.forgotten ? " (gelöscht)" : "") << "; "
            << (install.undone ? "rückgängig gemacht" : "nicht rückgängig gemacht")
            << (install.cutOff ? "; abgebrochen (der Lauf endete vor seinem Ende)" : "") << "\n";
    }
}

// Deletes the back-ups of `install` and says so in its log.
bool Forget(platform::Host& host, const RecordedInstall& install) {
    bool all = true;
    for (const std::string& name :
         platform::FolderNames(install.folder).value_or(std::vector<std::string>())) {
        if (name.starts_with(kBackupPrefix) || name == kCatalogueBefore) {
            const std::string path = install.folder + "\\" + name;
            (void)platform::SetReadOnly(path, false);
            all = IsSuccess(platform::DeleteOneFile(path)) && all;
        }
    }
    if (!AppendToLog(host, install.folder,
                     {std::string(kForgottenRecord),
                      std::to_string(FileTimeOf(std::chrono::system_clock::now()))})) {
        return false;
    }
    return all;
}

// True when the history holds install `number`; else says so on `err`.
bool IsRecorded(std::size_t number, const std::vector<RecordedInstall>& installs,
                std::ostream& err) {
    if (number > 0 && number <= installs.size()) {
        return true;
    }
    err << "Es gibt keine Installation " << number << " (verzeichnet sind " << installs.size()
        << ").\n";
    return false;
}

}  // namespace

int RunHistoryCommand(platform::Host& machine, std::optional<std::size_t> forget, std::ostream& out,
                      std::ostream& err) {
    const std::optional<std::string> target = FindTrassimo(machine, err);
    if (!target) {
        return kNotPossible;
    }
    const std::vector<RecordedInstall> installs = ReadHistory(machine, *target);
    if (!forget) {
        ListInstalls(installs, *target, out);
        return 0;
    }
    if (!IsRecorded(*forget, installs, err)) {
        return kNotPossible;
    }
    const RecordedInstall& install = installs[*forget - 1];
    if (!Forget(machine, install)) {
        err << "Nicht jede Sicherung der " << Heading(*forget, install)
            << " konnte gelöscht werden.\n";
        return kLeftAlone;
    }
    out << "Die Sicherungen der " << Heading(*forget, install) << " sind gelöscht ("
        << Size(install.backupBytes) << "); sie lässt sich nicht mehr ganz rückgängig machen.\n";
    return 0;
}

int RunUndoCommand(platform::Host& machine, std::optional<std::size_t> number, std::ostream& out,
                   std::ostream& err) {
    const std::optional<std::string> target = FindTrassimo(machine, err);
    if (!target) {
        return kNotPossible;
    }
    const std::vector<RecordedInstall> installs = ReadHistory(machine, *target);
    if (!number) {
        for (std::size_t i = installs.size(); i > 0; --i) {
            if (!installs[i - 1].undone) {
                number = i;
                break;
            }
        }
        if (!number) {
            out << "Keine Installation ist mehr rückgängig zu machen.\n";
            return 0;
        }
    }
    if (!IsRecorded(*number, installs, err)) {
        return kNotPossible;
    }
    const RecordedInstall& install = installs[*number - 1];
    if (install.undone) {
        out << Heading(*number, install) << " ist schon rückgängig gemacht.\n";
        return 0;
    }
    const UndoOutcome outcome = UndoInstall(machine, install);
    for (const std::string& line : outcome.leftAlone) {
        out << "  Bleibt: " << line << "\n";
    }
    for (const std::string& line : outcome.failed) {
        err << "  Nicht möglich: " << line << "\n";
    }
    if (!outcome.failed.empty()) {
        err << Heading(*number, install)
            << " ist nicht ganz rückgängig gemacht; derselbe Befehl setzt es fort.\n";
        return kLeftAlone;
    }
    out << Heading(*number, install) << " ist rückgängig gemacht"
        << (outcome.leftAlone.empty() ? ".\n" : "; was sich seither geändert hat, blieb.\n");
    return outcome.leftAlone.empty() ? 0 : kLeftAlone;
}

}  // namespace quorvel::app::history
