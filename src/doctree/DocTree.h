#pragma once

// The document tree: the one text format of every data file (scenarios, the glossary, snapshot.dat,
// result.dat). A tree of named nodes, each with an optional value, walked and built through a cursor.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doctree/LoadProblem.h"

namespace valmore {

struct CDocNode {
    std::string name;
    std::optional<std::string> value;  // absent when the node has no value line; "" for an empty quoted value
    CDocNode* firstChild = nullptr;
    CDocNode* lastChild = nullptr;  // so appending a child does not walk the list
    CDocNode* parent = nullptr;     // set on every node but the root
    CDocNode* nextSibling = nullptr;
    CDocNode* previousSibling = nullptr;  // set on every child but the first
};

enum class DocLoadStatus {
    Ok,
    CannotOpen,        // no such file, or it cannot be read: callers treat this as "no data"
    FormatError,       // a byte where no item may stand ("ファイルフォーマットが不正です。")
    DamagedContainer,  // a packed file whose header or stream is broken
};

struct DocLoadResult {
    DocLoadStatus status = DocLoadStatus::Ok;
    std::string file;    // the path as given to Load, for messages
    std::string reason;  // what is wrong, in English, for the command-line tools and logs of tests
    int line = 0;        // FormatError: the line where the damage begins, from 1

    bool Ok() const { return status == DocLoadStatus::Ok; }
    // "FILE: REASON", ready for standard error.
    std::string Message() const;
    // The same as a value the trainer can word for the learner.
    LoadProblem Problem() const;
};

// The message box text for a file the reader refuses, as Shift_JIS bytes.
std::string FormatErrorText();

// Where a format error goes besides the return value; the screens turn it into the message box.
class IDocErrorSink {
public:
    virtual ~IDocErrorSink() = default;
    virtual void ReportFormatError(const DocLoadResult& result) = 0;
};

struct DocSaveResult {
    bool ok = false;
    std::string error;    // why the save failed, in English; the previous file is then untouched
    int errorNumber = 0;  // the system's error number of the failure, for the learner's wording
};

class CDocTree {
public:
    explicit CDocTree(IDocErrorSink* sink = nullptr);
    ~CDocTree();
    CDocTree(const CDocTree&) = delete;
    CDocTree& operator=(const CDocTree&) = delete;

    void Release();
    void CreateRoot();

    // Reads the file (packed or plain), deletes comments and parses it into a new root. On a format
    // error or a damaged container the error sink is told, the result says why, and the tree holds
    // what was parsed before the error. The tree has no root at all (Root() is null, every cursor
    // operation answers 0 / false / absent) when the file cannot be read, the container is damaged,
    // or the text holds no node.
    DocLoadResult Load(const std::filesystem::path& file);
    // The same from bytes already in memory; `name` stands for the file in messages.
    DocLoadResult LoadFromBytes(std::string bytes, std::string_view name);

    // Writes the tree in the writer layout, replacing the file atomically.
    DocSaveResult Save(const std::filesystem::path& file) const;
    // The exact bytes Save writes.
    std::string ToText() const;

    void MoveToRoot();
    int CountChildren() const;
    CDocNode* FindChild(std::string_view name) const;
    bool EnterChild(std::string_view name);
    void ExitToParent();  // at the root the cursor stays where it is
    std::optional<std::string> GetChildText(std::string_view name) const;
    void AddChild(std::string_view name);
    void SetText(std::string_view text);
    // Unlike a lookup by name, the text always goes to the child just added, so a repeated name
    // cannot put the value on an earlier sibling.
    void AddTextChild(std::string_view name, std::string_view text);
    void AddIntChild(std::string_view name, std::int32_t value);
    void AddRealChild(std::string_view name, double value);

    CDocNode* Root() const { return root_; }
    CDocNode* Cursor() const { return cursor_; }
    std::size_t TextSize() const { return textSize_; }

    // Both delete every "," and read the leading number of at most the first 99 bytes; text with no
    // number gives 0. TextToInt clamps to the 32-bit range; TextToReal gives 0 for a number beyond
    // the range of a double.
    static std::int32_t TextToInt(std::string_view text);
    static double TextToReal(std::string_view text);

private:
    CDocNode* NewNode();
    DocLoadResult Fail(DocLoadResult result);

    IDocErrorSink* sink_;
    // Owns every node in blocks that never move, so node pointers stay valid, and freeing the tree
    // never recurses however deep it is.
    std::vector<std::unique_ptr<CDocNode[]>> blocks_;
    std::size_t lastBlockSize_ = 0;
    std::size_t lastBlockUsed_ = 0;
    CDocNode* root_ = nullptr;
    CDocNode* cursor_ = nullptr;
    std::size_t textSize_ = 0;
    std::filesystem::path path_;
};

}  // namespace valmore
