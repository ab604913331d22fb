#include <cstdio>
#include <iostream>

#include "Commands.h"
#include "doctree/DocTree.h"
#include "doctree/Lzss.h"
#include "packer/LzssPacker.h"
#include "platform/AtomicFile.h"
#include "platform/Sjis.h"
#include "scenario/Glossary.h"
#include "scenario/LessonCheck.h"
#include "scenario/ScenarioCheck.h"

namespace valmore {

namespace {

int Usage(const char* text) {
    std::cerr << "usage: valmore-tool " << text << "\n";
    return 1;
}

bool ReadInput(const std::string& file, std::string* bytes) {
    if (ReadWholeFile(file, bytes)) return true;
    std::cerr << file << ": cannot be read\n";
    return false;
}

bool WriteOutput(const std::string& file, const std::string& bytes) {
    std::string error;
    if (WriteFileAtomically(file, bytes, &error)) return true;
    std::cerr << error << "\n";
    return false;
}

}  // namespace

int RunDump(const std::vector<std::string>& args) {
    std::string file;
    bool utf8 = false;
    for (const std::string& arg : args) {
        if (arg == "--utf8") {
            utf8 = true;
        } else if (file.empty() && arg.rfind("--", 0) != 0) {
            file = arg;
        } else {
            return Usage("dump FILE [--utf8]");
        }
    }
    if (file.empty()) return Usage("dump FILE [--utf8]");
    CDocTree doc;
    DocLoadResult loaded = doc.Load(file);
    if (!loaded.Ok()) {
        std::cerr << loaded.Message() << "\n";
        return 1;
    }
    std::string text = doc.ToText();
    if (utf8) text = Cp932ToUtf8(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int RunPack(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage("pack IN OUT");
    std::string text;
    if (!ReadInput(args[0], &text)) return 1;
    if (IsPackedContainer(text)) {
        std::cerr << args[0] << ": is already packed\n";
        return 1;
    }
    return WriteOutput(args[1], PackContainer(text)) ? 0 : 1;
}

int RunUnpack(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage("unpack IN OUT");
    std::string container;
    if (!ReadInput(args[0], &container)) return 1;
    if (!IsPackedContainer(container)) {
        std::cerr << args[0] << ": is not a packed container\n";
        return 1;
    }
    std::string text;
    std::string reason;
    if (!UnpackContainer(container, &text, &reason)) {
        std::cerr << args[0] << ": " << reason << "\n";
        return 1;
    }
    return WriteOutput(args[1], text) ? 0 : 1;
}

int RunCheck(const std::vector<std::string>& args) {
    constexpr const char* kCheckUsage = "check SCENARIO... [--dict DICT]";
    std::vector<std::string> files;
    std::string dictFile;
    std::string exemptionsFile;
    bool lesson = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--dict") {
            if (i + 1 >= args.size()) return Usage(kCheckUsage);
            dictFile = args[++i];
        } else if (args[i] == "--lesson") {
            lesson = true;
        } else if (args[i] == "--exemptions") {
            if (i + 1 >= args.size()) return Usage(kCheckUsage);
            exemptionsFile = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage(kCheckUsage);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty()) return Usage(kCheckUsage);
    CGlossary dictionary;
    if (!dictFile.empty()) {
        GlossaryLoadResult loaded = dictionary.LoadGlossary(dictFile);
        if (!loaded.document.Ok()) {
            std::cerr << loaded.document.Message() << "\n";
            return 1;
        }
    }
    bool anyProblem = false;
    for (const std::string& file : files) {
        std::vector<std::string> problems = CheckContentFile(file, dictFile.empty() ? nullptr : &dictionary);
        if (lesson) {
            std::vector<std::string> teaching = CheckLessonFile(file);
            problems.insert(problems.end(), teaching.begin(), teaching.end());
        }
        for (const std::string& problem : problems) {
            std::cout << file << ": " << problem << "\n";
            anyProblem = true;
        }
    }
    if (lesson) {
        // Checks that compare the files with each other come after every file's own lines.
        LessonExemptions exemptions;
        if (!exemptionsFile.empty()) {
            for (const std::string& problem : ReadLessonExemptions(exemptionsFile, exemptions)) {
                std::cout << problem << "\n";
                anyProblem = true;
            }
        }
        std::vector<std::filesystem::path> paths(files.begin(), files.end());
        for (const LessonFinding& finding : CheckLessonLibrary(paths, exemptions)) {
            std::cout << finding.where << ": " << finding.message << "\n";
            anyProblem = true;
        }
    }
    return anyProblem ? 1 : 0;
}

}  // namespace valmore
