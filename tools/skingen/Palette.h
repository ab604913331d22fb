#pragma once

#include <cstdint>

namespace valmore::skingen {

// A colour with channels from 0 to 1, as Cairo takes them.
struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;

    static constexpr Colour Hex(std::uint32_t rgb) {
        return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
    }
    // t = 0 gives this colour, t = 1 the other.
    constexpr Colour Mix(Colour o, double t) const { return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t}; }
};

// One restrained palette for every screen: slate chrome around white working areas, a steel-blue
// accent, and the trade log's green for buying and red for selling.
namespace palette {

constexpr Colour kChrome = Colour::Hex(0x2c3a48);       // screen background, panel title bands, popup bars
constexpr Colour kChromeDeep = Colour::Hex(0x1f2a35);   // lower end of the menu backgrounds
constexpr Colour kChromeLine = Colour::Hex(0x5a6b7d);   // panel outlines
constexpr Colour kChromeText = Colour::Hex(0xe8eef3);   // titles on chrome
constexpr Colour kChromeMuted = Colour::Hex(0x9aabbd);  // secondary text on chrome
constexpr Colour kAccent = Colour::Hex(0x5b9bd5);
constexpr Colour kAccentDeep = Colour::Hex(0x3a6f9f);

constexpr Colour kBody = Colour::Hex(0xffffff);       // where the program writes black text
constexpr Colour kGrid = Colour::Hex(0xe2e7ec);       // table rules
constexpr Colour kHeadFill = Colour::Hex(0xecf1f6);   // table heading rows
constexpr Colour kHeadLine = Colour::Hex(0xc6d0da);   // rule under a heading row
constexpr Colour kHeadText = Colour::Hex(0x34475a);   // headings
constexpr Colour kFieldLine = Colour::Hex(0x9aa7b4);  // boxes the program writes into
constexpr Colour kMutedText = Colour::Hex(0x8a99a8);

constexpr Colour kBuy = Colour::Hex(0x2f8a55);
constexpr Colour kSell = Colour::Hex(0xc0433f);
constexpr Colour kPass = Colour::Hex(0x687a8e);
constexpr Colour kExecute = Colour::Hex(0x3b78b0);

}  // namespace palette

}  // namespace valmore::skingen
