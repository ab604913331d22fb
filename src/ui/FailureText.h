#pragma once

// The learner's wording of why a file could not be read or written: short Japanese sentences
// (Shift_JIS, safe to put into markup) made from the typed reasons the model gives.

#include <string>
#include <string_view>

#include "doctree/DocTree.h"

namespace valmore {

// One sentence on what was wrong with the file, e.g. "12行目から先の書式が崩れています。".
std::string LoadProblemText(const LoadProblem& problem);

// Why a scenario file was refused, e.g. "ファイルが見つからないか、開けません。"; Ok stands for a file
// that was read but whose contents are wrong.
std::string DocumentFailureText(DocLoadStatus status, int line);

// The cause of a failed write in a few words, e.g. "ディスクの空きが足りません", from the system's
// error number.
std::string WriteFailureCause(int errorNumber);

// The file's name as markup text: the folder is left out, as the learner never chooses it.
std::string FileNameText(std::string_view path);

}  // namespace valmore
