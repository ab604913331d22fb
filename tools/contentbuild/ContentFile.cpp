#include "contentbuild/ContentFile.h"

#include <cstddef>

#include "doctree/DocTree.h"
#include "doctree/Lzss.h"
#include "packer/LzssPacker.h"
#include "platform/Sjis.h"

namespace valmore {

namespace {

int LineOf(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') ++line;
    }
    return line;
}

ContentBuildResult Refuse(std::string_view source, std::size_t offset, std::string_view reason) {
    ContentBuildResult result;
    result.error = "line " + std::to_string(LineOf(source, offset)) + ": " + std::string(reason);
    return result;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The reader deletes everything from a "#" to the next CR, inside values too, and a ";" line comment
// also runs to the next CR. Authoring files end their lines with LF only, so either would swallow the
// rest of the file without a parse error.
ContentBuildResult CheckCommentBytes(std::string_view source) {
    if (source.substr(0, 3) == "\xEF\xBB\xBF") return Refuse(source, 0, "the file starts with a byte-order mark");
    bool hasCr = source.find('\r') != std::string_view::npos;
    bool lineStart = true;
    for (std::size_t i = 0; i < source.size(); ++i) {
        char c = source[i];
        if (c == '#')
            return Refuse(source, i, "\"#\" starts a comment: the reader deletes everything from it to the next CR");
        if (c == ';' && lineStart && !hasCr) {
            return Refuse(source, i, "a \";\" comment line needs CR LF line ends, or it swallows the rest of the file");
        }
        if (c == '\n') {
            lineStart = true;
        } else if (c != ' ' && c != '\t') {
            lineStart = false;
        }
    }
    return {true, {}, {}};
}

// Braces outside values must close the root exactly once at the end: the reader ignores whatever
// follows the root's closing brace, so a stray "}" would drop the rest of the file quietly.
ContentBuildResult CheckStructure(std::string_view source) {
    int depth = 0;
    bool inValue = false;
    std::size_t valueStart = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        char c = source[i];
        if (inValue) {
            if (c == '"') inValue = false;
            continue;
        }
        if (c == '"') {
            inValue = true;
            valueStart = i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == 0) return Refuse(source, i, "a \"}\" without its \"{\"");
            if (--depth == 0) {
                for (std::size_t j = i + 1; j < source.size(); ++j) {
                    if (!IsBlank(source[j]))
                        return Refuse(source, j, "text after the closing brace of the root is ignored");
                }
                return {true, {}, {}};
            }
        }
    }
    if (inValue) return Refuse(source, valueStart, "a value without its closing quote character");
    if (source.find('{') == std::string_view::npos) return Refuse(source, source.size(), "the file holds no node");
    return Refuse(source, source.size(), "the root node is not closed");
}

// Utf8ToCp932 turns a character without a Shift_JIS form into "?", so converting back shows every
// character that would not survive.
ContentBuildResult CheckConversion(std::string_view source, const std::string& sjis) {
    std::string back = Cp932ToUtf8(sjis);
    if (back == source) return {true, {}, {}};
    std::size_t i = 0;
    while (i < back.size() && i < source.size() && back[i] == source[i]) ++i;
    return Refuse(source, i, "a character with no Shift_JIS form (use the full-width form the program shows)");
}

}  // namespace

ContentBuildResult BuildContentFile(std::string_view utf8Source, std::string_view name, bool pack) {
    if (ContentBuildResult r = CheckCommentBytes(utf8Source); !r.ok) return r;
    if (ContentBuildResult r = CheckStructure(utf8Source); !r.ok) return r;

    std::string sjis = Utf8ToCp932(utf8Source);
    if (ContentBuildResult r = CheckConversion(utf8Source, sjis); !r.ok) return r;

    CDocTree tree;
    DocLoadResult loaded = tree.LoadFromBytes(sjis, name);
    if (!loaded.Ok() || tree.Root() == nullptr) {
        ContentBuildResult result;
        result.error = loaded.Ok() ? "the text holds no node" : loaded.reason;
        return result;
    }

    ContentBuildResult result;
    result.ok = true;
    if (!pack) {
        result.bytes = std::move(sjis);
        return result;
    }
    result.bytes = PackContainer(sjis);
    std::string unpacked;
    std::string reason;
    if (!UnpackContainer(result.bytes, &unpacked, &reason) || unpacked != sjis) {
        result.ok = false;
        result.bytes.clear();
        result.error = "the packed container does not unpack to the text" + (reason.empty() ? "" : " (" + reason + ")");
    }
    return result;
}

}  // namespace valmore
