#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "ui/FakeViewHost.h"
#include "ui/TextField.h"
#include "ui/UiPixels.h"

namespace valmore {
namespace {

// A text field at (100, 50), 150 x 24, fed through the headless window's queue as a screen would.
struct FieldOnWindow : IEventHandler {
    test::FakeViewHost host;
    CTextField field;

    explicit FieldOnWindow(std::size_t limit = 32) : field(host, host.Window(), limit) {
        field.SetRect(100, 50, 150, 24);
        field.SetFocus(true);
    }
    void OnInput(const InputEvent& event) override { field.OnInput(event); }
    void OnTick() override { field.OnTick(); }
    void OnPaint(CCanvas& canvas, const Rect&) override {
        canvas.FillSolid(Rect{0, 0, 1024, 768}, Rgb{255, 255, 255});
        field.Draw(canvas);
    }
    FieldOnWindow& Do(std::initializer_list<InputEvent> events) {
        for (const InputEvent& e : events) host.Window().QueueInput(e);
        host.Window().RunUntilIdle(*this);
        return *this;
    }
    static InputEvent Key(int key, unsigned flags = 0) { return InputEvent::KeyDown(key, flags); }
    static InputEvent Type(std::string_view utf8) { return InputEvent::Text(Sj(utf8)); }
};

TEST(TextField, TypingAndTheEditingKeysWorkCharacterByCharacter) {
    FieldOnWindow f;
    f.Do({f.Type("abcd"), f.Key(kKeyLeft), f.Key(kKeyLeft), f.Key(kKeyBackspace), f.Key(kKeyDelete)});
    EXPECT_EQ(f.field.Text(), "ad");
    f.Do({f.Key(kKeyHome), f.Type("x"), f.Key(kKeyEnd), f.Type("あい"), f.Key(kKeyLeft)});
    EXPECT_EQ(f.field.Text(), Sj("xadあい"));
    EXPECT_EQ(f.field.Caret(), 5u);  // before the last two-byte character
    f.Do({f.Key(kKeyBackspace), f.Key(kKeyRight), f.Key(kKeyBackspace)});
    EXPECT_EQ(f.field.Text(), "xad");
    EXPECT_FALSE(f.field.OnInput(f.Key(kKeyTab)));  // Tab, Enter and Escape are the dialog's
}

TEST(TextField, SelectionByShiftArrowsAndMouseFeedsCopyCutAndPaste) {
    FieldOnWindow f;
    f.Do({f.Type("hello"), f.Key(kKeyLeft, kModifierShift), f.Key(kKeyLeft, kModifierShift)});
    EXPECT_EQ(f.field.SelectedText(), "lo");
    f.Do({f.Key('C', kModifierControl), f.Key(kKeyHome), f.Key('V', kModifierControl)});
    EXPECT_EQ(f.field.Text(), "lohello");
    EXPECT_EQ(f.host.Window().ClipboardText(), "lo");

    // Dragging from the left edge to past the end selects everything; typing replaces it.
    f.Do(
        {InputEvent::LeftDown(101, 60), InputEvent::MouseMove(240, 60, kMouseLeftButton), InputEvent::LeftUp(240, 60)});
    EXPECT_EQ(f.field.SelectedText(), "lohello");
    f.Do({f.Key('X', kModifierControl)});
    EXPECT_EQ(f.field.Text(), "");
    f.host.Window().SetClipboardText(Sj("一行目\r\n二行目"));
    f.Do({f.Key('V', kModifierControl), f.Key(kKeyLeft), f.Key(kKeyRight, kModifierShift), f.Type("\t!")});
    EXPECT_EQ(f.field.Text(), Sj("一行!"));

    // A password is never copied out.
    f.field.SetPasswordMode(true);
    f.Do({f.Key('A', kModifierControl), f.Key('C', kModifierControl)});
    EXPECT_EQ(f.host.Window().ClipboardText(), Sj("一行目\r\n二行目"));
}

TEST(TextField, TheCompositionIsShownAtTheCaretAndOnlyCommittedTextIsKept) {
    FieldOnWindow f;
    f.Do({f.Type("ab"), f.Key(kKeyLeft)});
    const Rect areaBefore = f.host.Window().TextInputArea();
    const test::Ink plain = test::InkOn(f.host.Window().BackBuffer(), f.field.GetRect());
    f.Do({InputEvent::TextEditing(Sj("にほん")), f.Key(kKeyBackspace)});
    EXPECT_EQ(f.field.Text(), "ab");  // the key belonged to the input method
    EXPECT_EQ(f.field.Composition(), Sj("にほん"));
    EXPECT_GT(f.host.Window().TextInputArea().left, areaBefore.left);
    const test::Ink composing = test::InkOn(f.host.Window().BackBuffer(), f.field.GetRect());
    f.Do({f.Type("日本"), InputEvent::TextEditing("")});
    EXPECT_EQ(f.field.Text(), Sj("a日本b"));
    EXPECT_EQ(f.field.Composition(), "");
    EXPECT_GT(composing.pixels, plain.pixels);
}

TEST(TextField, ACharacterThatWouldPassTheByteLimitIsNotTaken) {
    FieldOnWindow nickname(20);
    nickname.Do({nickname.Type("あいうえおかきくけこ"), nickname.Type("さ"), nickname.Type("x")});
    EXPECT_EQ(nickname.field.Text(), Sj("あいうえおかきくけこ"));

    FieldOnWindow odd(20);
    odd.Do({odd.Type("aあいうえおかきくけこ")});
    EXPECT_EQ(odd.field.Text(), Sj("aあいうえおかきくけ"));  // 19 bytes; the tenth wide one would make 21
}

TEST(TextField, LongTextScrollsToKeepTheBlinkingCaretInView) {
    FieldOnWindow f(200);
    f.Do({f.Type(std::string(60, 'W'))});
    EXPECT_GT(f.field.ScrollOffset(), 0);
    EXPECT_LE(f.host.Window().TextInputArea().left, f.field.GetRect().right);
    f.Do({f.Key(kKeyHome)});
    EXPECT_EQ(f.field.ScrollOffset(), 0);

    // The caret blinks on the timer and shows again on every edit.
    EXPECT_TRUE(f.field.CaretVisible());
    f.host.Window().QueueTick(5);
    f.host.Window().RunUntilIdle(f);
    EXPECT_FALSE(f.field.CaretVisible());
    f.Do({f.Type("a")});
    EXPECT_TRUE(f.field.CaretVisible());
}

TEST(TextField, APasswordIsDrawnAsOneStarPerCharacter) {
    FieldOnWindow secret, stars;
    secret.field.SetPasswordMode(true);
    secret.field.SetText(Sj("aあ"));
    stars.field.SetText("**");
    secret.Do({});
    stars.Do({});
    const Rect inside{101, 51, 249, 73};
    EXPECT_EQ(test::InkOn(secret.host.Window().BackBuffer(), inside).box,
              test::InkOn(stars.host.Window().BackBuffer(), inside).box);
    EXPECT_GT(test::InkOn(stars.host.Window().BackBuffer(), inside).pixels, 0);
}

}  // namespace
}  // namespace valmore
