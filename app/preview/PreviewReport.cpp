#include "app/preview/PreviewReport.h"

#include <nlohmann/json.hpp>

#include "platform/Cp1252.h"

namespace quorvel::app::preview {

namespace {

using platform::Cp1252ToUtf8;

const char* FileActionName(FileAction action) {
    switch (action) {
        case FileAction::kCreate:
            return "create";
        case FileAction::kReplace:
            return "replace";
        case FileAction::kAsk:
            return "ask";
        case FileAction::kRefuse:
            return "refuse";
        case FileAction::kFail:
            break;
    }
    return "fail";
}

const char* FileActionWord(FileAction action) {
    switch (action) {
        case FileAction::kCreate:
            return "neu       ";
        case FileAction::kReplace:
            return "ersetzt   ";
        case FileAction::kAsk:
            return "Frage     ";
        case FileAction::kRefuse:
            return "abgewiesen";
        case FileAction::kFail:
            break;
    }
    return "Fehler    ";
}

const char* TextureActionName(TextureAction action) {
    switch (action) {
        case TextureAction::kReplace:
            return "replace";
        case TextureAction::kInsert:
            return "insert";
        case TextureAction::kAppend:
            return "append";
        case TextureAction::kRemove:
            return "remove";
        case TextureAction::kSkip:
            return "skip";
        case TextureAction::kFail:
            break;
    }
    return "fail";
}

std::string TextureSentence(const TexturePreview& texture) {
    const std::string id = "Textur " + std::to_string(texture.id);
    switch (texture.action) {
        case TextureAction::kReplace:
            return id + " ersetzt den vorhandenen Eintrag.";
        case TextureAction::kInsert:
            return id + " wird vor Textur " + std::to_string(texture.before.value_or(0)) +
                   " eingefügt.";
        case TextureAction::kAppend:
            return id + " wird am Ende angefügt.";
        case TextureAction::kRemove:
            return id + " wird entfernt.";
        case TextureAction::kSkip:
            return id + ": nichts zu entfernen, der Katalog bleibt, wie er ist.";
        case TextureAction::kFail:
            break;
    }
    return id + ": der Katalog bietet keinen Platz.";
}

}  // namespace

void WritePreviewText(const Preview& preview, std::ostream& out) {
    out << "Trassimo: " << Cp1252ToUtf8(preview.target) << "\n";
    out << "Dateien:\n";
    if (preview.files.empty()) {
        out << "  keine\n";
    }
    for (const FilePreview& file : preview.files) {
        out << "  Zeile " << file.line << ": " << FileActionWord(file.action) << " "
            << Cp1252ToUtf8(file.destination) << "\n"
            << "      aus " << Cp1252ToUtf8(file.source) << " - " << file.reason << "\n";
    }
    out << "Texturen:\n";
    if (preview.textures.empty()) {
        out << "  keine\n";
    }
    for (const TexturePreview& texture : preview.textures) {
        out << "  Zeile " << texture.line << ": " << TextureSentence(texture) << "\n";
    }
    if (!preview.warnings.empty()) {
        out << "Hinweise:\n";
        for (const PreviewWarning& warning : preview.warnings) {
            out << "  " << warning.message << " [" << warning.code << "]\n";
        }
    }
    out << (preview.succeeded ? "Ergebnis: Die Installation würde erfolgreich abgeschlossen.\n"
                              : "Ergebnis: Die Installation würde einen Fehler melden.\n");
}

void WritePreviewJson(const Preview& preview, std::ostream& out) {
    nlohmann::ordered_json report;
    report["target"] = Cp1252ToUtf8(preview.target);
    report["files"] = nlohmann::ordered_json::array();
    for (const FilePreview& file : preview.files) {
        report["files"].push_back({{"line", file.line},
                                   {"source", Cp1252ToUtf8(file.source)},
                                   {"destination", Cp1252ToUtf8(file.destination)},
                                   {"action", FileActionName(file.action)},
                                   {"reason", file.reason}});
    }
    report["textures"] = nlohmann::ordered_json::array();
    for (const TexturePreview& texture : preview.textures) {
        nlohmann::ordered_json entry = {{"line", texture.line},
                                        {"id", texture.id},
                                        {"action", TextureActionName(texture.action)},
                                        {"before", nullptr}};
        if (texture.before) {
            entry["before"] = *texture.before;
        }
        report["textures"].push_back(std::move(entry));
    }
    report["warnings"] = nlohmann::ordered_json::array();
    for (const PreviewWarning& warning : preview.warnings) {
        report["warnings"].push_back({{"code", warning.code}, {"message", warning.message}});
    }
    report["result"] = preview.succeeded ? "ok" : "fail";
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace quorvel::app::preview
