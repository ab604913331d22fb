#pragma once

// A balloon: a rounded white box with an explanation in markup and, in its lower right corner, a
// short line telling the user what happens next.

#include <string>

#include "tutorial/Step.h"
#include "ui/MarkupText.h"

namespace valmore {

enum class Footer {
    None,
    Wait,    // "おまちください"
    Click,   // "クリックしてください"
    Follow,  // "指示に従って操作してください"
};

class CBalloonStep final : public CTutorialStep {
public:
    static constexpr int kTextInset = 10;
    static constexpr int kClipInset = 2;
    static constexpr int kFooterFont = 12;

    // placement follows the script's convention: a left edge of 0 centres the balloon horizontally on
    // the canvas with right as its width, and a top of 0 as well centres it vertically with bottom as
    // its height; any other rectangle is used as it is. text is Shift_JIS markup.
    CBalloonStep(int group, const Rect& placement, Size canvas, const Condition& condition, bool run, bool clicks,
                 Footer footer, std::string text);

    static Rect Place(const Rect& placement, Size canvas);

    StepKind Kind() const override { return StepKind::Balloon; }
    void Draw(CCanvas& canvas, const IMarkupSkin& skin) override;

    const std::string& Text() const { return text_; }
    Footer FooterKind() const { return footer_; }
    // Where the text is laid out.
    Rect TextRect() const;
    // Where the footer goes for a footer text of the given size.
    Rect FooterRect(Size footerSize) const;
    // The footer in Shift_JIS; empty for none.
    static const std::string& FooterText(Footer footer);

private:
    Footer footer_;
    std::string text_;
    CMarkupText markup_;
    bool laidOut_ = false;
};

}  // namespace valmore
