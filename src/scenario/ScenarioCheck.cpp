#include "scenario/ScenarioCheck.h"

#include "platform/AtomicFile.h"
#include "platform/Sjis.h"
#include "scenario/ScenarioLoader.h"

namespace valmore {

namespace {

// What the markup engine holds: beyond these a text would be cut off on screen.
constexpr std::size_t kMaxTextBytes = 4999;
constexpr int kMaxPages = 5;
constexpr int kMaxCharactersPerPage = 1000;
constexpr int kMaxImagesPerPage = 4;
constexpr std::size_t kMaxLinkBytes = 255;

void CheckEventTexts(const CScenario& scenario, const CGlossary* dictionary, std::vector<std::string>& problems) {
    for (int e = 0; e < scenario.EventCount(); ++e) {
        const ScenarioEvent& event = scenario.events[static_cast<std::size_t>(e)];
        const std::pair<const char*, const std::optional<std::string>*> texts[] = {
            {"HeadLine", &event.HeadLine}, {"Detail", &event.Detail}, {"Info", &event.Info}};
        for (const auto& [key, text] : texts) {
            if (!*text) continue;
            std::vector<std::string> found =
                CheckMarkupText(**text, "event " + std::to_string(e) + ", " + key, dictionary);
            problems.insert(problems.end(), found.begin(), found.end());
        }
    }
}

void CheckTable(const TextTable& table, const char* section, const CGlossary* dictionary,
                std::vector<std::string>& problems) {
    for (int k = 1; k <= kMaxTexts; ++k) {
        if (!table[k]) continue;
        std::vector<std::string> found =
            CheckMarkupText(*table[k], std::string(section) + " " + std::to_string(k), dictionary);
        problems.insert(problems.end(), found.begin(), found.end());
    }
}

std::vector<std::string> CheckGlossary(const std::string& bytes, const std::string& name, const CGlossary* dictionary) {
    CGlossary own;
    GlossaryLoadResult loaded = own.LoadGlossaryFromBytes(bytes, name);
    std::vector<std::string> problems = loaded.problems;
    // Links inside explanations resolve against the glossary itself unless another one is named.
    const CGlossary* links = dictionary ? dictionary : &own;
    for (const GlossaryEntry& entry : own.Entries()) {
        std::vector<std::string> found =
            CheckMarkupText(entry.DETAIL, "entry \"" + Cp932ToUtf8(entry.SEARCHKEY) + "\"", links);
        problems.insert(problems.end(), found.begin(), found.end());
    }
    return problems;
}

}  // namespace

std::size_t MarkupCodeWidth(char code) {
    switch (code) {
        case 'c':
            return 9;
        case 'f':
        case 'h':
            return 2;
        case 'x':
        case 'y':
        case 'm':
            return 4;
        case 'g':
            return 3;
        default:
            return 0;
    }
}

std::vector<std::string> CheckMarkupText(std::string_view text, const std::string& where, const CGlossary* dictionary) {
    std::vector<std::string> problems;
    if (text.size() > kMaxTextBytes) {
        problems.push_back(where + ": the text has " + std::to_string(text.size()) + " bytes; at most " +
                           std::to_string(kMaxTextBytes) + " are shown");
    }
    int pages = 1;
    int characters = 0;
    int images = 0;
    bool pageReported = false;
    auto pageProblem = [&](const std::string& what) {
        if (pageReported) return;
        problems.push_back(where + ", page " + std::to_string(pages) + ": " + what);
        pageReported = true;
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '$') {
            if (text[pos] != '&') {
                if (++characters > kMaxCharactersPerPage)
                    pageProblem("more than " + std::to_string(kMaxCharactersPerPage) + " characters");
            }
            pos += SjisCharLength(text, pos);
            continue;
        }
        if (pos + 1 >= text.size()) break;
        char code = text[pos + 1];
        pos += 2;
        if (code == 'p') {
            ++pages;
            characters = 0;
            images = 0;
            pageReported = false;
            if (pages == kMaxPages + 1)
                problems.push_back(where + ": more than " + std::to_string(kMaxPages) + " pages");
        } else if (code == 'g') {
            if (++images > kMaxImagesPerPage) pageProblem("more than " + std::to_string(kMaxImagesPerPage) + " images");
            pos += MarkupCodeWidth(code);
        } else if (code == 'd') {
            // "$d" display "$" key "$"; "$" never occurs as a Shift_JIS trail byte, so a byte search is safe.
            std::size_t keyStart = text.find('$', pos);
            std::size_t keyEnd = keyStart == std::string_view::npos ? keyStart : text.find('$', keyStart + 1);
            if (keyEnd == std::string_view::npos) {
                problems.push_back(where + ": a link code is not closed (\"$d\" needs two more \"$\")");
                break;
            }
            std::string_view display = text.substr(pos, keyStart - pos);
            std::string_view key = text.substr(keyStart + 1, keyEnd - keyStart - 1);
            if (key.empty()) key = display;
            if (display.size() > kMaxLinkBytes || key.size() > kMaxLinkBytes) {
                problems.push_back(where + ": a link text or key is longer than " + std::to_string(kMaxLinkBytes) +
                                   " bytes");
            } else if (dictionary && dictionary->FindEntry(key) == nullptr) {
                problems.push_back(where + ": link key \"" + Cp932ToUtf8(key) + "\" is not in the glossary");
            }
            characters += static_cast<int>(SjisCharCount(display));
            if (characters > kMaxCharactersPerPage)
                pageProblem("more than " + std::to_string(kMaxCharactersPerPage) + " characters");
            pos = keyEnd + 1;
        } else {
            pos += MarkupCodeWidth(code);
        }
    }
    return problems;
}

int VisibleCharacterCount(std::string_view text) {
    int characters = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '$') {
            if (text[pos] != '&') ++characters;
            pos += SjisCharLength(text, pos);
            continue;
        }
        if (pos + 1 >= text.size()) break;
        char code = text[pos + 1];
        pos += 2;
        if (code == 'd') {
            std::size_t keyStart = text.find('$', pos);
            if (keyStart == std::string_view::npos) break;
            characters += static_cast<int>(SjisCharCount(text.substr(pos, keyStart - pos)));
            std::size_t keyEnd = text.find('$', keyStart + 1);
            if (keyEnd == std::string_view::npos) break;
            pos = keyEnd + 1;
        } else {
            pos += MarkupCodeWidth(code);
        }
    }
    return characters;
}

std::vector<std::string> CheckLessonFile(const std::filesystem::path& file) {
    std::string bytes;
    if (!ReadWholeFile(file, &bytes)) return {"cannot be read"};
    CDocTree doc;
    DocLoadResult loaded = doc.LoadFromBytes(bytes, file.string());
    if (!loaded.Ok()) return {loaded.reason.empty() ? std::string("cannot be read") : loaded.reason};
    doc.MoveToRoot();
    if (doc.FindChild("Dict") != nullptr) return {};

    CScenario scenario;
    TextTable prdInfo;
    TextTable resources;
    std::vector<std::string> structural;
    // Structural problems are the plain check's to report; a file it refuses has nothing to teach from.
    if (!ReadScenarioDocument(doc, scenario, prdInfo, resources, structural)) return {};
    if (scenario.header.Mode == 9) return {};

    const std::string fullStop = Sj("。");
    const std::string summary = Sj("総括");
    // Searched character by character: a byte search could match across two Shift_JIS characters.
    auto countAtCharacters = [](std::string_view text, std::string_view what) {
        int count = 0;
        for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos))
            if (text.compare(pos, what.size(), what) == 0) ++count;
        return count;
    };
    std::vector<std::string> problems;
    for (int e = 0; e < scenario.EventCount(); ++e) {
        const std::optional<std::string>& info = scenario.events[static_cast<std::size_t>(e)].Info;
        const std::string where = "event " + std::to_string(e) + ", Info";
        if (!info || info->empty()) {
            problems.push_back(where + ": the day has no debrief");
            continue;
        }
        const int characters = VisibleCharacterCount(*info);
        const int sentences = countAtCharacters(*info, fullStop);
        if (characters < kMinDebriefCharacters || sentences < kMinDebriefSentences) {
            problems.push_back(where + ": the debrief has " + std::to_string(characters) + " characters in " +
                               std::to_string(sentences) + " sentences; at least " +
                               std::to_string(kMinDebriefCharacters) + " characters in " +
                               std::to_string(kMinDebriefSentences) + " sentences are needed");
        }
        if (e == scenario.EventCount() - 1 && countAtCharacters(*info, summary) == 0)
            problems.push_back(where + ": the last day's debrief does not close with a 総括");
    }
    return problems;
}

std::vector<std::string> CheckContentFile(const std::filesystem::path& file, const CGlossary* dictionary) {
    std::string bytes;
    if (!ReadWholeFile(file, &bytes)) return {"cannot be read"};
    CDocTree doc;
    DocLoadResult loaded = doc.LoadFromBytes(bytes, file.string());
    if (!loaded.Ok()) return {loaded.reason.empty() ? std::string("cannot be read") : loaded.reason};
    doc.MoveToRoot();
    if (doc.FindChild("Dict") != nullptr) return CheckGlossary(bytes, file.string(), dictionary);

    CScenario scenario;
    TextTable prdInfo;
    TextTable resources;
    std::vector<std::string> problems;
    ReadScenarioDocument(doc, scenario, prdInfo, resources, problems);
    CheckEventTexts(scenario, dictionary, problems);
    CheckTable(prdInfo, "PrdInfo", dictionary, problems);
    CheckTable(resources, "Resource", dictionary, problems);
    return problems;
}

}  // namespace valmore
