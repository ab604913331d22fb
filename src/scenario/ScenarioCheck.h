#pragma once

// The authors' check: every problem of a scenario or glossary file, one sentence each, so a writer can
// fix them all in one pass. The loader refuses the same structural problems; this adds the markup
// checks (unclosed link codes, link keys missing from the glossary, texts beyond the markup limits).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/Glossary.h"

namespace valmore {

// Problems of one markup text; `where` names the text in each message. `dictionary` may be null, and
// then link keys are not looked up.
std::vector<std::string> CheckMarkupText(std::string_view text, const std::string& where, const CGlossary* dictionary);

// Every problem of the file: a scenario, or a glossary (a file with a "Dict" section). Messages are
// UTF-8. An empty list means the file is clean.
std::vector<std::string> CheckContentFile(const std::filesystem::path& file, const CGlossary* dictionary);

}  // namespace valmore
