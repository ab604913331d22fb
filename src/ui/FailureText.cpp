#include "ui/FailureText.h"

#include <cerrno>
#include <filesystem>

#include "platform/Sjis.h"
#include "ui/MarkupText.h"

namespace valmore {

std::string LoadProblemText(const LoadProblem& problem) {
    switch (problem.kind) {
        case LoadProblemKind::FormatError:
            return DocumentFailureText(DocLoadStatus::FormatError, problem.line);
        case LoadProblemKind::DamagedContainer:
            return DocumentFailureText(DocLoadStatus::DamagedContainer, 0);
        case LoadProblemKind::PartLeftOut:
            if (problem.scenario.empty()) {
                return std::to_string(problem.part) + Sj("件目の記録が読めないため、除きました。");
            }
            return Sj("シナリオ「") + EscapeMarkup(problem.scenario) + Sj("」の") + std::to_string(problem.part) +
                   Sj("件目の記録が読めないため、除きました。");
        case LoadProblemKind::Unreadable:
            break;
    }
    return Sj("ファイルを読み込めません。");
}

std::string DocumentFailureText(DocLoadStatus status, int line) {
    switch (status) {
        case DocLoadStatus::CannotOpen:
            return Sj("ファイルが見つからないか、開けません。");
        case DocLoadStatus::FormatError:
            return std::to_string(line) + Sj("行目から先の書式が崩れています。");
        case DocLoadStatus::DamagedContainer:
            return Sj("圧縮されたデータが壊れています。");
        case DocLoadStatus::Ok:
            break;
    }
    return Sj("内容に誤りがあります。");
}

std::string WriteFailureCause(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
        case EDQUOT:
            return Sj("ディスクの空きが足りません");
        case EACCES:
        case EPERM:
        case EROFS:
            return Sj("書き込みが許されていません");
        case ENOENT:
        case ENOTDIR:
            return Sj("保存先のフォルダーがありません");
        case EIO:
            return Sj("ディスクの読み書きに失敗しました");
        default:
            return Sj("ファイルを書き込めません");
    }
}

std::string FileNameText(std::string_view path) {
    return EscapeMarkup(Utf8ToCp932(std::filesystem::path(path).filename().string()));
}

}  // namespace valmore
