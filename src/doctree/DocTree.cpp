#include "doctree/DocTree.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>

#include "doctree/Lzss.h"
#include "platform/AtomicFile.h"
#include "platform/Sjis.h"

namespace valmore {

namespace {

constexpr std::size_t kFirstBlockNodes = 64;
constexpr std::size_t kLargestBlockNodes = 4096;
constexpr std::size_t kMaxNumberText = 99;

inline bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Deletes every "#" and what follows it up to, not including, the next CR; with no CR after it the
// rest of the text goes. Quoted values are not spared. Returns false when there was nothing to do.
bool DeleteComments(std::string_view text, std::string* out) {
    const char* data = text.data();
    const std::size_t size = text.size();
    const void* first = std::memchr(data, '#', size);
    if (first == nullptr) return false;
    out->clear();
    out->reserve(size);
    std::size_t read = 0;
    std::size_t hash = static_cast<const char*>(first) - data;
    for (;;) {
        out->append(data + read, hash - read);
        const void* cr = std::memchr(data + hash, '\r', size - hash);
        if (cr == nullptr) return true;
        read = static_cast<const char*>(cr) - data;
        const void* next = std::memchr(data + read, '#', size - read);
        if (next == nullptr) {
            out->append(data + read, size - read);
            return true;
        }
        hash = static_cast<const char*>(next) - data;
    }
}

// Where byte `kept` of the text after comment deletion stood in the original text.
std::size_t OriginalOffset(std::string_view original, std::size_t kept) {
    std::size_t pos = 0;
    while (pos < original.size()) {
        const void* hash = std::memchr(original.data() + pos, '#', original.size() - pos);
        std::size_t plainEnd = hash ? static_cast<const char*>(hash) - original.data() : original.size();
        if (kept < plainEnd - pos) return pos + kept;
        kept -= plainEnd - pos;
        const void* cr = std::memchr(original.data() + plainEnd, '\r', original.size() - plainEnd);
        if (cr == nullptr) return original.size();
        pos = static_cast<const char*>(cr) - original.data();
    }
    return pos + kept;
}

struct ParseError {
    std::size_t position = 0;
    const char* what = nullptr;
};

// The reader keeps its open nodes on an explicit stack rather than the call stack, so a file nested
// a million levels deep is read like any other.
class Parser {
public:
    Parser(std::string_view text, CDocNode* (*newNode)(void*), void* owner)
        : text_(text), newNode_(newNode), owner_(owner) {}

    // Fills the root (already created) from the text after its opening brace; returns the error or
    // nothing.
    std::optional<ParseError> Run(CDocNode* root, std::size_t afterBrace) {
        pos_ = afterBrace;
        ReadName(root);
        stack_.push_back({root, false});
        while (!stack_.empty()) {
            SkipLineComments();
            // The end of the text closes every open node.
            if (pos_ >= text_.size()) return std::nullopt;
            Frame& frame = stack_.back();
            const char c = text_[pos_];
            if (c == '{') {
                CDocNode* child = newNode_(owner_);
                CDocNode* node = frame.node;
                child->parent = node;
                if (frame.runOpen) {
                    child->previousSibling = node->lastChild;
                    node->lastChild->nextSibling = child;
                } else {
                    // A run of children after a value replaces the earlier run.
                    node->firstChild = child;
                }
                node->lastChild = child;
                frame.runOpen = true;
                ++pos_;
                ReadName(child);
                stack_.push_back({child, false});
            } else if (c == '"') {
                const char* start = text_.data() + pos_ + 1;
                const void* close = std::memchr(start, '"', text_.size() - pos_ - 1);
                if (close == nullptr) return ParseError{pos_, "quoted value without its closing quote"};
                const char* stop = static_cast<const char*>(close);
                frame.node->value.emplace(start, static_cast<std::size_t>(stop - start));
                frame.runOpen = false;
                pos_ = static_cast<std::size_t>(stop - text_.data()) + 1;
                SkipWhite();
            } else if (c == '}') {
                ++pos_;
                SkipWhite();
                stack_.pop_back();
            } else {
                return ParseError{pos_, "format error"};
            }
        }
        return std::nullopt;
    }

private:
    struct Frame {
        CDocNode* node;
        // True while children follow one another (comment lines between them included); a value
        // ends the run.
        bool runOpen;
    };

    void SkipWhite() {
        while (pos_ < text_.size() && IsWhite(text_[pos_])) ++pos_;
    }

    // A line comment ends at the first CR or LF, so a file with bare LF line ends loses nothing
    // after its first comment line.
    void SkipLineComments() {
        while (pos_ < text_.size() && text_[pos_] == ';') {
            while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
            SkipWhite();
        }
    }

    // The name is every byte up to the first whitespace byte, or up to the end of the text.
    void ReadName(CDocNode* node) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsWhite(text_[pos_])) ++pos_;
        node->name.assign(text_.data() + start, pos_ - start);
        SkipWhite();
    }

    std::string_view text_;
    CDocNode* (*newNode_)(void*);
    void* owner_;
    std::size_t pos_ = 0;
    std::vector<Frame> stack_;
};

// Copies at most the first 99 bytes without their commas, ready for a converter.
std::size_t CopyNumberText(std::string_view text, char (&buffer)[kMaxNumberText + 1]) {
    std::size_t n = 0;
    for (char c : text.substr(0, kMaxNumberText)) {
        if (c != ',') buffer[n++] = c;
    }
    buffer[n] = '\0';
    return n;
}

inline bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string FormatErrorText() {
    return Sj("ファイルフォーマットが不正です。");
}

std::string DocLoadResult::Message() const {
    return reason.empty() ? file : file + ": " + reason;
}

LoadProblem DocLoadResult::Problem() const {
    LoadProblem problem;
    if (status == DocLoadStatus::FormatError) problem.kind = LoadProblemKind::FormatError;
    if (status == DocLoadStatus::DamagedContainer) problem.kind = LoadProblemKind::DamagedContainer;
    problem.line = line;
    problem.message = Message();
    return problem;
}

CDocTree::CDocTree(IDocErrorSink* sink) : sink_(sink) {}

CDocTree::~CDocTree() = default;

void CDocTree::Release() {
    blocks_.clear();
    lastBlockSize_ = 0;
    lastBlockUsed_ = 0;
    root_ = nullptr;
    cursor_ = nullptr;
    textSize_ = 0;
    path_.clear();
}

CDocNode* CDocTree::NewNode() {
    if (lastBlockUsed_ == lastBlockSize_) {
        lastBlockSize_ = blocks_.empty() ? kFirstBlockNodes : std::min(lastBlockSize_ * 2, kLargestBlockNodes);
        // Default-initialised: the nodes' own initialisers are enough, and zeroing a block that a
        // small tree barely uses first cost more than parsing it.
        blocks_.push_back(std::make_unique_for_overwrite<CDocNode[]>(lastBlockSize_));
        lastBlockUsed_ = 0;
    }
    return &blocks_.back()[lastBlockUsed_++];
}

void CDocTree::CreateRoot() {
    Release();
    root_ = NewNode();
    root_->name = "root";
    cursor_ = root_;
}

DocLoadResult CDocTree::Fail(DocLoadResult result) {
    if (sink_) sink_->ReportFormatError(result);
    return result;
}

DocLoadResult CDocTree::Load(const std::filesystem::path& file) {
    Release();
    std::string bytes;
    if (!ReadWholeFile(file, &bytes)) {
        DocLoadResult result;
        result.status = DocLoadStatus::CannotOpen;
        result.file = file.string();
        result.reason = "cannot be opened or read";
        return result;
    }
    DocLoadResult result = LoadFromBytes(std::move(bytes), file.string());
    path_ = file;
    return result;
}

DocLoadResult CDocTree::LoadFromBytes(std::string bytes, std::string_view name) {
    Release();
    DocLoadResult result;
    result.file = std::string(name);
    path_ = std::filesystem::path(name);

    std::string unpacked;
    if (IsPackedContainer(bytes)) {
        if (!UnpackContainer(bytes, &unpacked, &result.reason)) {
            result.status = DocLoadStatus::DamagedContainer;
            return Fail(std::move(result));
        }
        std::string().swap(bytes);
    } else {
        unpacked = std::move(bytes);
    }
    textSize_ = unpacked.size();

    std::string withoutComments;
    std::string_view text = DeleteComments(unpacked, &withoutComments) ? std::string_view(withoutComments) : unpacked;

    std::size_t pos = 0;
    while (pos < text.size() && IsWhite(text[pos])) ++pos;
    std::optional<ParseError> error;
    if (pos >= text.size()) {
        error = ParseError{pos, "the text holds no node"};
    } else if (text[pos] != '{') {
        error = ParseError{pos, "the text does not begin with an opening brace"};
    } else {
        root_ = NewNode();
        Parser parser(
            text, [](void* owner) { return static_cast<CDocTree*>(owner)->NewNode(); }, this);
        error = parser.Run(root_, pos + 1);
    }
    cursor_ = root_;
    if (!error) return result;

    const std::size_t at = text.data() == unpacked.data() ? error->position : OriginalOffset(unpacked, error->position);
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(unpacked.begin(), unpacked.begin() + at, '\n'));
    result.status = DocLoadStatus::FormatError;
    result.line = static_cast<int>(std::min<std::size_t>(line, std::numeric_limits<int>::max()));
    result.reason =
        std::string(error->what) + " at byte " + std::to_string(at) + " (line " + std::to_string(line) + ")";
    return Fail(std::move(result));
}

std::string CDocTree::ToText() const {
    std::string out;
    if (root_ == nullptr) return out;
    // Depth first without recursion: `open` holds the ancestors of the node being written.
    std::vector<const CDocNode*> open;
    const CDocNode* node = root_;
    for (;;) {
        const std::size_t depth = open.size();
        out.append(depth, '\t');
        out += '{';
        out += node->name;
        out += '\n';
        if (node->value) {
            out.append(depth + 1, '\t');
            out += '"';
            out += *node->value;
            out += "\"\n";
        }
        if (node->firstChild != nullptr) {
            open.push_back(node);
            node = node->firstChild;
            continue;
        }
        for (;;) {
            out.append(open.size(), '\t');
            out += "}\n";
            if (open.empty()) return out;
            if (node->nextSibling != nullptr) {
                node = node->nextSibling;
                break;
            }
            node = open.back();
            open.pop_back();
        }
    }
}

DocSaveResult CDocTree::Save(const std::filesystem::path& file) const {
    DocSaveResult result;
    if (root_ == nullptr) {
        result.error = file.string() + ": the document is empty";
        return result;
    }
    result.ok = WriteFileAtomically(file, ToText(), &result.error, 0644, &result.errorNumber);
    return result;
}

void CDocTree::MoveToRoot() {
    cursor_ = root_;
}

int CDocTree::CountChildren() const {
    if (cursor_ == nullptr) return 0;
    int count = 0;
    for (const CDocNode* child = cursor_->firstChild; child != nullptr; child = child->nextSibling) ++count;
    return count;
}

CDocNode* CDocTree::FindChild(std::string_view name) const {
    if (cursor_ == nullptr) return nullptr;
    for (CDocNode* child = cursor_->firstChild; child != nullptr; child = child->nextSibling) {
        if (child->name == name) return child;
    }
    return nullptr;
}

bool CDocTree::EnterChild(std::string_view name) {
    CDocNode* child = FindChild(name);
    if (child == nullptr) return false;
    cursor_ = child;
    return true;
}

void CDocTree::ExitToParent() {
    if (cursor_ == nullptr || cursor_ == root_) return;
    const CDocNode* node = cursor_;
    while (node->parent == nullptr && node->previousSibling != nullptr) node = node->previousSibling;
    if (node->parent != nullptr) cursor_ = node->parent;
}

std::optional<std::string> CDocTree::GetChildText(std::string_view name) const {
    const CDocNode* child = FindChild(name);
    if (child == nullptr) return std::nullopt;
    return child->value;
}

void CDocTree::AddChild(std::string_view name) {
    if (cursor_ == nullptr) return;
    CDocNode* node = NewNode();
    node->name.assign(name);
    node->parent = cursor_;
    CDocNode* last = cursor_->lastChild != nullptr ? cursor_->lastChild : cursor_->firstChild;
    if (last == nullptr) {
        cursor_->firstChild = node;
    } else {
        while (last->nextSibling != nullptr) last = last->nextSibling;
        last->nextSibling = node;
        node->previousSibling = last;
    }
    cursor_->lastChild = node;
}

void CDocTree::SetText(std::string_view text) {
    if (cursor_ != nullptr) cursor_->value.emplace(text);
}

void CDocTree::AddTextChild(std::string_view name, std::string_view text) {
    if (cursor_ == nullptr) return;
    AddChild(name);
    cursor_->lastChild->value.emplace(text);
}

void CDocTree::AddIntChild(std::string_view name, std::int32_t value) {
    AddTextChild(name, std::to_string(value));
}

void CDocTree::AddRealChild(std::string_view name, double value) {
    // Fixed point with six decimals, written the same whatever the locale.
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    AddTextChild(name, ec == std::errc() ? std::string_view(buffer, static_cast<std::size_t>(end - buffer))
                                         : std::string_view("0.000000"));
}

std::int32_t CDocTree::TextToInt(std::string_view text) {
    char buffer[kMaxNumberText + 1];
    const std::size_t size = CopyNumberText(text, buffer);
    std::size_t pos = 0;
    while (pos < size && IsCSpace(buffer[pos])) ++pos;
    bool negative = false;
    if (pos < size && (buffer[pos] == '+' || buffer[pos] == '-')) negative = buffer[pos++] == '-';
    // Accumulating past the 32-bit range stops early, so no digit string can overflow.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; pos < size && buffer[pos] >= '0' && buffer[pos] <= '9'; ++pos) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (buffer[pos] - '0'), kLimit);
    }
    if (negative) return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min<std::int64_t>(magnitude, kLimit - 1));
}

double CDocTree::TextToReal(std::string_view text) {
    char buffer[kMaxNumberText + 1];
    const std::size_t size = CopyNumberText(text, buffer);
    std::size_t pos = 0;
    while (pos < size && IsCSpace(buffer[pos])) ++pos;
    bool negative = false;
    if (pos < size && (buffer[pos] == '+' || buffer[pos] == '-')) negative = buffer[pos++] == '-';
    // Only a decimal number counts: words such as "inf" or "nan" give 0 like any other text.
    const bool digitFirst = pos < size && buffer[pos] >= '0' && buffer[pos] <= '9';
    const bool pointFirst = pos + 1 < size && buffer[pos] == '.' && buffer[pos + 1] >= '0' && buffer[pos + 1] <= '9';
    if (!digitFirst && !pointFirst) return 0.0;
    double value = 0.0;
    auto [end, ec] = std::from_chars(buffer + pos, buffer + size, value, std::chars_format::general);
    (void)end;
    if (ec != std::errc()) return 0.0;
    return negative ? -value : value;
}

}  // namespace valmore
