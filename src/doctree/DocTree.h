#pragma once

// The document tree: the one text format of every data file (scenarios, the glossary, snapshot.dat,
// result.dat). A tree of named nodes, each with an optional value, walked and built through a cursor.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace valmore {

struct CDocNode {
    std::string name;
    std::optional<std::string> value;  // absent when the node has no value line; "" for an empty quoted value
    CDocNode* firstChild = nullptr;
    CDocNode* parent = nullptr;           // the reader sets it on the first child of each child list only
    CDocNode* nextSibling = nullptr;
    CDocNode* previousSibling = nullptr;  // set by the reader on every child but the first
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

    bool Ok() const { return status == DocLoadStatus::Ok; }
    // "FILE: REASON", ready for standard error.
    std::string Message() const;
};

// Where a format error goes besides the return value; the screens turn it into the message box.
class IDocErrorSink {
public:
    virtual ~IDocErrorSink() = default;
    virtual void ReportFormatError(const DocLoadResult& result) = 0;
};

struct DocSaveResult {
    bool ok = false;
    std::string error;  // why the save failed; the previous file is then untouched
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
    // what was parsed before the error (or nothing for a damaged container).
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
    void AddTextChild(std::string_view name, std::string_view text);
    void AddIntChild(std::string_view name, std::int32_t value);
    void AddRealChild(std::string_view name, double value);

    CDocNode* Root() const { return root_; }
    CDocNode* Cursor() const { return cursor_; }
    std::size_t TextSize() const { return textSize_; }

    static std::int32_t TextToInt(std::string_view text);
    static double TextToReal(std::string_view text);

private:
    CDocNode* NewNode();

    IDocErrorSink* sink_;
    std::deque<CDocNode> nodes_;  // owns every node; a deque keeps their addresses stable
    CDocNode* root_ = nullptr;
    CDocNode* cursor_ = nullptr;
    std::size_t textSize_ = 0;
    std::filesystem::path path_;
};

}  // namespace valmore
