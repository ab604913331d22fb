// Read as a file (plain or packed), any bytes must load without crashing, hanging or leaking, and the
// tree must be safe to walk and to write out. Building trees through the writer is checked by
// doctree_build_fuzz.cpp, so this target stays fast on large inputs.

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    valmore::CDocTree tree;
    valmore::DocLoadResult result =
        tree.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.scn");
    if (!result.Ok() && result.reason.empty()) __builtin_trap();
    Walk(tree);
    (void)tree.ToText();
    return 0;
}
