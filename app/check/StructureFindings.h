// Findings on how the install script is written: its encoding, its section names, and the
// braces of the sections the installer reads.
#pragma once

#include <string_view>

#include "app/check/Finding.h"
#include "script/ScriptOutline.h"

namespace quorvel::app::check {

// `fileBytes` are the script file's bytes, `outline` their reading.
Findings CheckEncoding(std::string_view fileBytes, const ScriptOutline& outline);
Findings CheckStructure(const ScriptOutline& outline);

// The script's text as an author reads it, for messages: UTF-8, runs of whitespace as one blank,
// at most a line's worth.
std::string Quoted(std::string_view cp1252);

}  // namespace quorvel::app::check
