// valmore-tool: the scenario authors' and testers' command line. Its output is a contract that checks
// outside the project rely on: extend it, never change what it already prints.

#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"

namespace {

constexpr const char* kHelp =
    "usage: valmore-tool COMMAND ...\n"
    "\n"
    "  dump FILE [--utf8]           print a document tree (plain or packed) exactly as it would be saved;\n"
    "                               --utf8 converts the Shift_JIS values to UTF-8 for reading\n"
    "  pack IN OUT                  pack a document tree file into the compressed container\n"
    "  unpack IN OUT                unpack a compressed container into plain text\n"
    "  check SCENARIO... [--dict DICT]\n"
    "                               list every problem of each scenario (or glossary) file, one per line;\n"
    "                               with --dict, link keys must be in that glossary\n"
    "  check SCENARIO... --lesson   also list every day whose debrief (\"Info\") is missing or too short\n"
    "                               to teach from, and a last day without its closing summary\n"
    "                               and what a teacher would find across the files together, one line\n"
    "                               each, named by its check (streak, price, market, holding, rumour,\n"
    "                               calendar, repeat, losing)\n"
    "  check SCENARIO... --lesson --exemptions FILE\n"
    "                               the rumour check passes over the days FILE lists with their reasons\n"
    "  play SCENARIO --orders FILE [--results RESULTFILE] [--days]\n"
    "       [--suspend-after K --snapshot SNAPFILE] [--resume --snapshot SNAPFILE]\n"
    "                               play the scenario with the orders of FILE under the rules of the game\n"
    "                               and print the final figures\n"
    "\n"
    "Orders file: one line per event day, one token per product: B<shares> buy, S<shares> sell, P pass.\n"
    "Blank lines and lines starting with # are skipped; days without a line pass.\n"
    "\n"
    "Exit status: 0 success, 1 bad input or a file problem, 2 a day refused by the order rules.\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kHelp;
        return args.empty() ? 1 : 0;
    }
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "dump") return valmore::RunDump(args);
    if (command == "pack") return valmore::RunPack(args);
    if (command == "unpack") return valmore::RunUnpack(args);
    if (command == "check") return valmore::RunCheck(args);
    if (command == "play") return valmore::RunPlay(args);
    std::cerr << "valmore-tool: unknown command \"" << command << "\"\n" << kHelp;
    return 1;
}
