#pragma once

// The teaching checks that read the scenarios of a library together, as a teacher would before using
// them in class: facts that contradict the prices or the calendar, market figures that disagree between
// scenarios on one date, judgements that break the house rule for rumours, debriefs that assume a
// holding or repeat stock sentences, and losing days too few or too small to teach uncertainty.
// Each finding names its check first ("holding: ..."), so a writer can work through one kind at a time.

#include <filesystem>
#include <string>
#include <vector>

namespace valmore {

// A day on which a buy or sell judgement stands although the news holds a rumour or expectation word,
// with the reason a reader can check.
struct LessonExemption {
    std::string scenario;  // the file name without its extensions, e.g. "e12_rumour_and_fact"
    std::string date;      // as the event's Date, e.g. "5/23"
    std::string product;   // the product's Name, or "*" for every product of the day
    std::string reason;
};

struct LessonExemptions {
    std::vector<LessonExemption> entries;
};

// Reads an exemption list (UTF-8): blank lines and lines starting with "#" are skipped; every other line
// is "SCENARIO DATE PRODUCT REASON...", fields separated by spaces or tabs. Returns the problems of the
// list (a line without a reason is one), each naming its line.
std::vector<std::string> ReadLessonExemptions(const std::filesystem::path& file, LessonExemptions& exemptions);

struct LessonFinding {
    std::string where;    // the file as given, or the folder of the files for a finding about all of them
    std::string message;  // UTF-8, beginning with the check's name and ": "
};

// The checks across the given files together. Files that are not played scenarios (glossaries, hidden
// templates, files the loader refuses) are passed over: the other checks report what is wrong with them.
std::vector<LessonFinding> CheckLessonLibrary(const std::vector<std::filesystem::path>& files,
                                              const LessonExemptions& exemptions);

}  // namespace valmore
