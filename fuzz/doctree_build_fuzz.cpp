// The bytes are a list of building steps: they make a tree through the writer's operations, and the
// written text must read back to the very same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doctree/DocTree.h"

namespace {

// The writer indents every line by its depth, so the text grows with steps times depth; both are
// bounded to keep one run short. Deeper trees add no new code paths to the writer or the reader.
constexpr std::size_t kMaxSteps = 128;
constexpr int kMaxDepth = 8;

// Names are letters and digits; values are free of the two bytes a value cannot carry (the quote and
// the number sign).
void Build(std::string_view steps, valmore::CDocTree& tree) {
    tree.CreateRoot();
    std::size_t pos = 0;
    int depth = 0;
    auto take = [&](std::size_t n) {
        std::string s(steps.substr(pos, n));
        pos += s.size();
        for (char& c : s) {
            if (c == '"' || c == '#') c = 'x';
        }
        return s;
    };
    while (pos < steps.size()) {
        const auto op = static_cast<unsigned char>(steps[pos++]);
        const std::string name = "n" + std::to_string(op >> 3);
        switch (op & 7) {
            case 0:
            case 1:
                tree.AddChild(name);
                if (depth < kMaxDepth && tree.EnterChild(name)) ++depth;
                break;
            case 2:
            case 3:
                if (depth > 0) --depth;
                tree.ExitToParent();
                break;
            case 4:
                tree.AddTextChild(name, take(op >> 4));
                break;
            case 5:
                tree.SetText(take(op >> 4));
                break;
            case 6:
                tree.AddIntChild(name, static_cast<std::int32_t>(op * 16777259u));
                break;
            default:
                tree.AddRealChild(name, op * -1.25e-3);
                break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    valmore::CDocTree built;
    Build(bytes.substr(0, kMaxSteps), built);
    const std::string text = built.ToText();
    valmore::CDocTree read;
    if (!read.LoadFromBytes(text, "built").Ok() || read.ToText() != text) __builtin_trap();
    return 0;
}
