// Two properties on every input. Read as a file (plain or packed), any bytes must load without
// crashing, hanging or leaking, and the tree must be safe to walk and to write out. Read as a list
// of building steps, the bytes make a tree through the writer's operations whose written text
// reads back to the very same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doctree/DocTree.h"

namespace {

// Visits the nodes the way loaders walk a file: section, list element, field.
void Walk(valmore::CDocTree& tree) {
    tree.MoveToRoot();
    const valmore::CDocNode* root = tree.Root();
    if (root == nullptr) {
        if (tree.CountChildren() != 0 || tree.EnterChild("0") || tree.GetChildText("0")) __builtin_trap();
        return;
    }
    for (const valmore::CDocNode* section = root->firstChild; section != nullptr; section = section->nextSibling) {
        tree.MoveToRoot();
        if (!tree.EnterChild(section->name)) __builtin_trap();
        const int count = tree.CountChildren();
        for (int i = 0; i < count && i < 64; ++i) {
            if (!tree.EnterChild(std::to_string(i))) continue;
            for (const valmore::CDocNode* field = tree.Cursor()->firstChild; field != nullptr;
                 field = field->nextSibling) {
                if (std::optional<std::string> text = tree.GetChildText(field->name)) {
                    (void)valmore::CDocTree::TextToInt(*text);
                    (void)valmore::CDocTree::TextToReal(*text);
                }
            }
            tree.ExitToParent();
        }
        tree.ExitToParent();
        if (tree.Cursor() != root) __builtin_trap();
    }
}

// Builds a tree from the bytes with names of letters and digits and values free of the two bytes a
// value cannot carry (the quote and the number sign). The depth is bounded because the writer's
// indentation makes the text grow with the square of it.
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
                if (depth < 32 && tree.EnterChild(name)) ++depth;
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
    {
        valmore::CDocTree tree;
        valmore::DocLoadResult result = tree.LoadFromBytes(std::string(bytes), "fuzz.scn");
        if (!result.Ok() && result.reason.empty()) __builtin_trap();
        Walk(tree);
        (void)tree.ToText();
    }
    {
        valmore::CDocTree built;
        Build(bytes.substr(0, 2048), built);
        const std::string text = built.ToText();
        valmore::CDocTree read;
        if (!read.LoadFromBytes(text, "built").Ok() || read.ToText() != text) __builtin_trap();
    }
    return 0;
}
