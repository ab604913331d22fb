#include "net/ServerMessages.h"

#include "platform/Sjis.h"

namespace valmore {

std::string NoInternetMessage() {
    return Sj(
        "インターネットに接続できません。この後、通信機能をお使いになる場合は、お使いのパソコンがインターネットに正常に"
        "接続しているかをご確認下さい。");
}

std::string ServerFailureMessage(std::string_view frontPage) {
    return Sj("ヴァルモアサーバーに接続できません。サーバーのメンテナンスか障害が原因と考えられますので、しばらく待って"
              "から接続し直してください。メンテナンス等の情報は、") +
           std::string(frontPage) + Sj(" でご確認ください。");
}

std::string NoAccountMessage() {
    return Sj(
        "ユーザーIDとパスワードが設定されていません。「登録情報」からID、ニックネーム、パスワードを入力して登録を完了し"
        "てください。");
}

std::string AccountInvalidMessage() {
    return Sj(
        "ユーザーIDまたはパスワードが無効になっています。IDの期限をご確認の上、「登録情報」からIDまたはパスワードを入力"
        "し直してください。");
}

std::string AccountRejectedMessage() {
    return Sj("ユーザーID、又はパスワードが無効です。内容をご確認の上再度登録してください。");
}

std::string ResultRefusedMessage() {
    return Sj("サーバーが成績を受け付けませんでした。");
}

std::string RankingNotLoadedMessage() {
    return Sj("ランキングを読み込めませんでした。");
}

std::string VersionRefusedMessage() {
    return Sj("ヴァルモアのバージョンが古いため接続できません、アップデートしてください。");
}

}  // namespace valmore
