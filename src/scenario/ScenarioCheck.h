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

// How many digits follow the markup code letter after "$" ("$c" takes nine, "$n" none).
std::size_t MarkupCodeWidth(char code);

// Problems of one markup text; `where` names the text in each message. `dictionary` may be null, and
// then link keys are not looked up.
std::vector<std::string> CheckMarkupText(std::string_view text, const std::string& where, const CGlossary* dictionary);

// Every problem of the file: a scenario, or a glossary (a file with a "Dict" section). Messages are
// UTF-8. An empty list means the file is clean.
std::vector<std::string> CheckContentFile(const std::filesystem::path& file, const CGlossary* dictionary);

// A debrief shorter than this is a one-line verdict, not an explanation a learner can use.
constexpr int kMinDebriefCharacters = 80;
constexpr int kMinDebriefSentences = 2;

// Characters a reader sees in a markup text: codes are skipped, a link counts by its display text.
int VisibleCharacterCount(std::string_view text);

// The teaching checks of a scenario that is played (not a hidden template; not a glossary): every
// day's "Info" is a debrief of at least kMinDebriefCharacters characters and kMinDebriefSentences
// sentences, and the last day's closes the exercise with a "総括". Messages are UTF-8.
std::vector<std::string> CheckLessonFile(const std::filesystem::path& file);

}  // namespace valmore
