// The user dialog driven through the headless window as the program's modal loop drives it: the
// checks in their order, the byte limits counted in Shift_JIS, Escape, and the caret and the input
// method at the focused field. Tab, Shift+Tab and Enter are walked in tests/shell.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "net/screens/UserValidateDlg.h"
#include "platform/Sjis.h"
#include "ui/FakeViewHost.h"

namespace valmore {
namespace {

InputEvent Type(std::string_view utf8) {
    return InputEvent::Text(Sj(utf8));
}

// Shows the dialog with the events waiting; a showing they do not end ends, not accepted, when they
// run out.
struct DialogOnHost {
    test::FakeViewHost host;
    std::unique_ptr<QVUserValidateDlg> dialog;

    explicit DialogOnHost(int mode = kModeXga) : host(mode), dialog(MakeUserDialog(host, host.TextServices())) {}
    bool Show(const std::vector<InputEvent>& events) {
        for (const InputEvent& e : events) host.Window().QueueInput(e);
        return dialog->Show();
    }
    bool Enter(std::string_view userId, std::string_view nickname, std::string_view password) {
        const InputEvent tab = InputEvent::KeyDown(kKeyTab);
        return Show({Type(userId), tab, Type(nickname), tab, Type(password), InputEvent::KeyDown(kKeyEnter)});
    }
};

TEST(UserDialog, OkChecksTheEntriesInOrderAndTakesThemOnlyWhenTheyKeepEveryRule) {
    const char* cases[][4] = {
        {"", "", "", "ユーザーIDを入力してください。"},
        {"taro", "", "", "パスワードを入力してください。"},
        {"taro", "", "pw", "ニックネームを入力してください。"},
        {"a b", "た!ろ", "p-w", "ニックネームに半角記号は使わないでください。"},
        {"a b", "たろう", "p-w", "パスワードに半角記号は使わないでください。"},
        {"a-b", "たろう", "pw", "ユーザーIDを正しく入力してください。"},
        {"a_b", "たろう", "pw", "ユーザーIDを正しく入力してください。"},
    };
    for (const auto& c : cases) {
        DialogOnHost d;
        EXPECT_FALSE(d.Enter(c[0], c[1], c[2])) << c[3];
        EXPECT_EQ(Cp932ToUtf8(d.dialog->Message()), c[3]);
        EXPECT_EQ(d.dialog->UserId(), "");
    }
    // A grave accent, a full-width symbol and a trail byte that looks like "\" all pass; Escape
    // afterwards leaves the values as they were taken.
    DialogOnHost d;
    EXPECT_TRUE(d.Enter("a`b", "表ソ", "ｐ＃"));
    EXPECT_FALSE(d.Show({Type("x"), InputEvent::KeyDown(kKeyEscape)}));
    EXPECT_FALSE(d.dialog->IsOpen());
    EXPECT_EQ(d.dialog->UserId(), "a`b");
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Nickname()), "表ソ");
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Password()), "ｐ＃");
}

TEST(UserDialog, TheLimitsAreShiftJisBytesAndACharacterBeyondThemIsNotTaken) {
    DialogOnHost d;
    EXPECT_TRUE(d.Enter(std::string(33, 'u'), "一二三四五六七八九十壱", std::string(17, 'p')));
    EXPECT_EQ(d.dialog->UserId(), std::string(32, 'u'));
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Nickname()), "一二三四五六七八九十");
    EXPECT_EQ(d.dialog->Password(), std::string(16, 'p'));
    // Nineteen bytes leave no room for a two-byte character, but for a one-byte one typed after it.
    EXPECT_TRUE(d.Show({InputEvent::KeyDown(kKeyTab), InputEvent::KeyDown('A', kModifierControl),
                        Type("一二三四五六七八九x"), Type("十"), Type("y"), InputEvent::KeyDown(kKeyEnter)}));
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Nickname()), "一二三四五六七八九xy");
}

TEST(UserDialog, TheCaretBlinksWithTheTimerAndTheCompositionSitsAtTheFocusedField) {
    for (int mode : {kModeXga, kModeSxga}) {
        DialogOnHost d(mode);
        CTextField& nickname = d.dialog->TextField(QVUserValidateDlg::kNicknameField);
        std::vector<bool> caret;
        d.host.onTick = [&] { caret.push_back(nickname.CaretVisible()); };
        d.host.Window().QueueInput(InputEvent::KeyDown(kKeyTab));
        d.host.Window().QueueTick(10);
        // While the input method composes, Enter is its own and does not end the dialog.
        EXPECT_FALSE(d.Show({InputEvent::TextEditing(Sj("かん")), InputEvent::KeyDown(kKeyEnter)}));
        EXPECT_EQ(caret, (std::vector<bool>{true, true, true, true, true, false, false, false, false, false}));
        const Rect field = nickname.GetRect().Offset(d.dialog->Bounds().left, d.dialog->Bounds().top);
        const Rect area = d.host.Window().TextInputArea();
        EXPECT_TRUE(field.Contains(area.left + 1, area.top) && area.left > field.left + 20) << "mode " << mode;
    }
}

}  // namespace
}  // namespace valmore
