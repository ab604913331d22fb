#include "net/UserAccount.h"

#include <sys/stat.h>

#include <optional>
#include <utility>

#include "doctree/DocTree.h"
#include "platform/AtomicFile.h"
#include "platform/Sjis.h"

namespace valmore {

namespace {

constexpr unsigned kOwnerOnly = 0600;

// The statuses that a failure of the link itself leaves.
constexpr std::pair<AccountStatus, LinkOutcome> kLinkFailures[] = {
    {AccountStatus::NoConnection, LinkOutcome::NoConnection},
    {AccountStatus::ServerFailure, LinkOutcome::ServerFailure},
    {AccountStatus::VersionRefused, LinkOutcome::VersionRefused},
};

std::string FileName(const std::filesystem::path& file) {
    return Utf8ToCp932(file.string());
}

std::string DamagedText(const std::filesystem::path& file) {
    return Sj("アカウントファイル「") + FileName(file) +
           Sj("」が壊れているため読み込めませんでした。「登録情報」からユーザーID、ニックネーム、パスワードを登録し直し"
              "てください。");
}

// The longest head of the text within limit bytes that ends on a character boundary.
std::string CutToLimit(const std::string& text, std::size_t limit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = pos + SjisCharLength(text, pos);
        if (next > limit) break;
        pos = next;
    }
    return text.substr(0, pos);
}

// The document tree has no escapes: a quote would end the value early and "#" starts a comment.
bool Storable(const std::string& value) {
    return value.find_first_of("\"#") == std::string::npos;
}

bool IsHalfWidthSymbol(unsigned char c) {
    return (c >= 0x20 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x5F) || (c >= 0x7B && c <= 0x7F);
}

}  // namespace

std::optional<LinkOutcome> LinkFailureOf(AccountStatus status) {
    for (const auto& [failed, outcome] : kLinkFailures) {
        if (failed == status) return outcome;
    }
    return std::nullopt;
}

std::optional<AccountStatus> AccountStatusOf(LinkOutcome outcome) {
    for (const auto& [failed, failure] : kLinkFailures) {
        if (failure == outcome) return failed;
    }
    return std::nullopt;
}

bool HasHalfWidthSymbol(std::string_view sjis) {
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = SjisCharLength(sjis, pos);
        if (length == 1 && IsHalfWidthSymbol(static_cast<unsigned char>(sjis[pos]))) return true;
        pos += length;
    }
    return false;
}

std::optional<std::string> UserEntryProblem(std::string_view userId, std::string_view password,
                                            std::string_view nickname) {
    if (userId.empty()) return Sj("ユーザーIDを入力してください。");
    if (password.empty()) return Sj("パスワードを入力してください。");
    if (nickname.empty()) return Sj("ニックネームを入力してください。");
    if (HasHalfWidthSymbol(nickname)) return Sj("ニックネームに半角記号は使わないでください。");
    if (HasHalfWidthSymbol(password)) return Sj("パスワードに半角記号は使わないでください。");
    if (HasHalfWidthSymbol(userId)) return Sj("ユーザーIDを正しく入力してください。");
    return std::nullopt;
}

AccountFileResult CUserAccount::Load(const std::filesystem::path& file) {
    UserID.clear();
    Nickname.clear();
    Password.clear();
    AccountFileResult result;
    // Saves killed mid-way on an earlier run leave temporary files that nothing else would remove.
    RemoveLeftoverTemporaries(file);

    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return result;
    // Any access for the group or others counts: whoever may write the file may also swap the account.
    if ((info.st_mode & 077) != 0) {
        result.status = AccountFileStatus::Refused;
        result.message = Sj("アカウントファイル「") + FileName(file) +
                         Sj("」は他のユーザーにも読み書きが許されているため、使用しません。パスワードを守るため、"
                            "chmod 600 で本人だけが読み書きできるようにしてから起動し直してください。");
        return result;
    }
    std::string bytes;
    CDocTree tree;
    if (!S_ISREG(info.st_mode) || !ReadWholeFile(file, &bytes) ||
        !tree.LoadFromBytes(std::move(bytes), file.string()).Ok() || tree.Root() == nullptr) {
        result.status = AccountFileStatus::Damaged;
        result.message = DamagedText(file);
        return result;
    }
    tree.MoveToRoot();
    const std::optional<std::string> userId = tree.GetChildText("UserID");
    const std::optional<std::string> nickname = tree.GetChildText("Nickname");
    const std::optional<std::string> password = tree.GetChildText("Password");
    if (!userId || !nickname || !password) {
        result.status = AccountFileStatus::Damaged;
        result.message = DamagedText(file);
        return result;
    }
    UserID = CutToLimit(*userId, kUserIdLimit);
    Nickname = CutToLimit(*nickname, kNicknameLimit);
    Password = CutToLimit(*password, kPasswordLimit);
    result.status = AccountFileStatus::Loaded;
    return result;
}

bool CUserAccount::Save(const std::filesystem::path& file, std::string* message, int* errorNumber) const {
    if (errorNumber) *errorNumber = 0;
    if (!Storable(UserID) || !Storable(Nickname) || !Storable(Password)) {
        if (message) *message = Sj("ユーザーID、ニックネーム、パスワードに「\"」と「#」は使えません。");
        return false;
    }
    CDocTree tree;
    tree.CreateRoot();
    tree.AddTextChild("UserID", UserID);
    tree.AddTextChild("Nickname", Nickname);
    tree.AddTextChild("Password", Password);
    std::string error;
    if (!WriteFileAtomically(file, tree.ToText(), &error, kOwnerOnly, errorNumber)) {
        if (message) *message = Sj("アカウントファイル「") + FileName(file) + Sj("」に書き込めませんでした。");
        return false;
    }
    return true;
}

}  // namespace valmore
