#pragma once

// Why a stored file could not be read in full, as a value: the command-line tool prints the English
// message, the trainer words the kind, line and part in Japanese for the learner.

#include <string>

namespace valmore {

enum class LoadProblemKind {
    Unreadable,        // the file is there but cannot be read
    FormatError,       // the text breaks the format from `line` on
    DamagedContainer,  // a packed file whose header or stream is broken
    PartLeftOut,       // one list, record or stored play could not be read and was left out
};

struct LoadProblem {
    LoadProblemKind kind = LoadProblemKind::Unreadable;
    int line = 0;          // FormatError: the line of the file where the damage begins, from 1
    int part = 0;          // PartLeftOut: the number of the record or play within the file, from 1
    std::string scenario;  // PartLeftOut: the scenario ID the part belongs to, when it could be read
    std::string message;   // "FILE: REASON" in English, as the command-line tool prints it

    bool operator==(const LoadProblem&) const = default;
};

}  // namespace valmore
