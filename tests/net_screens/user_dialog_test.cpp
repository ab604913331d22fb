// The user dialog driven through the headless window as the program's modal loop drives it: the
// checks in their order with their messages, the byte limits counted in Shift_JIS, the keys, the
// caret blinking with the timer and the input method placed at the field, in both variants.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "net/screens/UserValidateDlg.h"
#include "net/screens/UserValidateDlgSXGA.h"
#include "platform/Sjis.h"
#include "ui/FakeViewHost.h"

namespace valmore {
namespace {

InputEvent Type(std::string_view utf8) {
    return InputEvent::Text(Sj(utf8));
}
InputEvent Key(int key, unsigned flags = 0) {
    return InputEvent::KeyDown(key, flags);
}

struct DialogOnHost {
    test::FakeViewHost host;
    std::unique_ptr<QVUserValidateDlg> dialog;

    explicit DialogOnHost(int mode = kModeXga) : host(mode), dialog(MakeUserDialog(host, host.TextServices())) {}

    // Shows the dialog with the events waiting in the queue; a showing they do not end ends when the
    // queue runs dry, as not accepted.
    bool Show(const std::vector<InputEvent>& events) {
        for (const InputEvent& e : events) host.Window().QueueInput(e);
        return dialog->Show();
    }
    // The three entries typed into empty fields, then Enter.
    bool Enter(std::string_view userId, std::string_view nickname, std::string_view password) {
        return Show({Type(userId), Key(kKeyTab), Type(nickname), Key(kKeyTab), Type(password), Key(kKeyEnter)});
    }
    std::string Message() const { return Cp932ToUtf8(dialog->Message()); }
};

TEST(UserDialog, OkChecksTheEntriesInTheirOrderAndStaysOpenWithTheFirstBrokenRule) {
    struct Case {
        const char* userId;
        const char* nickname;
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {"", "", "", "ユーザーIDを入力してください。"},
        {"taro", "", "", "パスワードを入力してください。"},
        {"taro", "", "pw", "ニックネームを入力してください。"},
        {"a b", "た!ろ", "p-w", "ニックネームに半角記号は使わないでください。"},
        {"a b", "たろう", "p-w", "パスワードに半角記号は使わないでください。"},
        {"a b", "たろう", "pw", "ユーザーIDを正しく入力してください。"},
        {"a-b", "たろう", "pw", "ユーザーIDを正しく入力してください。"},
        {"a_b", "たろう", "pw", "ユーザーIDを正しく入力してください。"},
    };
    for (const Case& c : cases) {
        DialogOnHost d;
        EXPECT_FALSE(d.Enter(c.userId, c.nickname, c.password)) << c.message;
        EXPECT_EQ(d.Message(), c.message);
        EXPECT_EQ(d.dialog->UserId(), "") << "nothing is taken over before the rules hold";
    }

    // A grave accent, a full-width symbol and a trail byte that looks like "\" all pass.
    DialogOnHost d;
    EXPECT_TRUE(d.Enter("a`b", "表ソ", "ｐ＃"));
    EXPECT_EQ(d.dialog->UserId(), "a`b");
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Nickname()), "表ソ");
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Password()), "ｐ＃");
}

TEST(UserDialog, TheLimitsAreShiftJisBytesAndACharacterBeyondThemIsNotTaken) {
    DialogOnHost d;
    EXPECT_TRUE(d.Enter(std::string(33, 'u'), "一二三四五六七八九十壱", std::string(17, 'p')));
    EXPECT_EQ(d.dialog->UserId(), std::string(32, 'u'));
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Nickname()), "一二三四五六七八九十");
    EXPECT_EQ(d.dialog->Nickname().size(), 20u);
    EXPECT_EQ(d.dialog->Password(), std::string(16, 'p'));

    // Nineteen bytes leave no room for a two-byte character, but for a one-byte one typed after it.
    DialogOnHost e;
    EXPECT_TRUE(e.Show({Type("u"), Key(kKeyTab), Type("一二三四五六七八九x"), Type("十"), Type("y"), Key(kKeyTab),
                        Type("p"), Key(kKeyEnter)}));
    EXPECT_EQ(Cp932ToUtf8(e.dialog->Nickname()), "一二三四五六七八九xy");
}

TEST(UserDialog, KeysMoveTheFocusEnterAcceptsEscapeCancelsAndTheFieldsStartFromTheValues) {
    DialogOnHost d;
    d.dialog->SetValues("old", Sj("旧"), "oldpw");
    // Escape leaves the values as they were, whatever was typed.
    EXPECT_FALSE(d.Show({Type("x"), Key(kKeyEscape)}));
    EXPECT_FALSE(d.dialog->IsOpen());
    EXPECT_EQ(d.dialog->UserId(), "old");

    // The user ID field has the focus; Shift+Tab goes round to the password, Tab back to the user ID.
    EXPECT_TRUE(d.Show(
        {Key(kKeyTab, kModifierShift), Key(kKeyBackspace), Key(kKeyTab), Key(kKeyTab), Type("2"), Key(kKeyEnter)}));
    EXPECT_EQ(d.dialog->UserId(), "old");
    EXPECT_EQ(Cp932ToUtf8(d.dialog->Nickname()), "旧2");
    EXPECT_EQ(d.dialog->Password(), "oldp");

    // A click in a field gives it the focus; the OK button accepts as Enter does.
    const Rect bounds = d.dialog->Bounds();
    const Rect password = d.dialog->TextField(QVUserValidateDlg::kPasswordField).GetRect();
    const Rect ok = d.dialog->OkButton().GetRect();
    const int okX = bounds.left + (ok.left + ok.right) / 2;
    const int okY = bounds.top + (ok.top + ok.bottom) / 2;
    EXPECT_TRUE(d.Show({InputEvent::LeftDown(bounds.left + password.right - 2, bounds.top + password.top + 5),
                        InputEvent::LeftUp(bounds.left + password.right - 2, bounds.top + password.top + 5), Type("9"),
                        InputEvent::LeftDown(okX, okY), InputEvent::LeftUp(okX, okY)}));
    EXPECT_EQ(d.dialog->Password(), "oldp9");
}

TEST(UserDialog, TheCaretBlinksWithTheTimerAndTheCompositionSitsAtTheFocusedField) {
    for (int mode : {kModeXga, kModeSxga}) {
        DialogOnHost d(mode);
        CTextField& nickname = d.dialog->TextField(QVUserValidateDlg::kNicknameField);
        std::vector<bool> caret;
        d.host.onTick = [&] { caret.push_back(nickname.CaretVisible()); };
        d.host.Window().QueueInput(Key(kKeyTab));
        d.host.Window().QueueTick(12);
        // While the input method composes, Enter is its own and does not end the dialog.
        d.host.Window().QueueInput(InputEvent::TextEditing(Sj("かん")));
        d.host.Window().QueueInput(Key(kKeyEnter));
        EXPECT_FALSE(d.dialog->Show());
        ASSERT_EQ(caret.size(), 12u);
        // The main view has each tick before the dialog: the caret is seen on for five, off for five.
        EXPECT_EQ(std::count(caret.begin(), caret.begin() + 10, true), 5);
        EXPECT_NE(caret[4], caret[5]);
        EXPECT_EQ(Cp932ToUtf8(nickname.Composition()), "");  // cleared when the showing ended
        EXPECT_EQ(d.dialog->FocusedField(), QVUserValidateDlg::kNicknameField);
        const Rect field = nickname.GetRect().Offset(d.dialog->Bounds().left, d.dialog->Bounds().top);
        const Rect area = d.host.Window().TextInputArea();
        EXPECT_TRUE(field.Contains(area.left, area.top)) << "mode " << mode;
        EXPECT_GT(area.left, field.left + 20) << "the input area follows the composition";
    }
}

TEST(UserDialog, BothVariantsKeepTheirFieldsLabelsAndButtonsInsideTheDialogAndApart) {
    for (int mode : {kModeXga, kModeSxga}) {
        DialogOnHost d(mode);
        EXPECT_EQ(dynamic_cast<QVUserValidateDlgSXGA*>(d.dialog.get()) != nullptr, mode == kModeSxga);
        const Rect bounds = d.dialog->Bounds();
        const Rect inside = Rect::FromSize(0, 0, bounds.Width(), bounds.Height());
        std::vector<Rect> parts{d.dialog->OkButton().GetRect(), d.dialog->CancelButton().GetRect()};
        for (int f = 0; f < QVUserValidateDlg::kFieldCount; ++f) {
            const Rect field = d.dialog->TextField(f).GetRect();
            EXPECT_GE(field.left - QVUserValidateDlg::kLabelOffset, 0);
            EXPECT_GT(field.top, d.dialog->Layout().messageTop);
            parts.push_back(field);
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i].Intersect(inside), parts[i]) << "part " << i << " mode " << mode;
            for (std::size_t j = i + 1; j < parts.size(); ++j) {
                EXPECT_TRUE(parts[i].Intersect(parts[j]).IsEmpty()) << i << " and " << j << " mode " << mode;
            }
        }
    }
}

}  // namespace
}  // namespace valmore
