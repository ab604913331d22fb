#pragma once

// A list of texts stepped with LEFT and RIGHT buttons; the owner hears of every change of index.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/SkinButton.h"

namespace valmore {

class CItemSelector : public CPanel {
public:
    explicit CItemSelector(IViewHost& owner);
    ~CItemSelector() override;

    void Draw(CCanvas& dc) override;
    // Hover tracking, and a press dragged off an arrow lets it go.
    void OnMouseMove(Point point) override;
    void OnMouseUp(unsigned flags, int x, int y) override;
    void OnMouseDown(unsigned flags, int x, int y) override;
    void SetRect(int x, int y, int width, int height) override;

    void AddItem(std::string sjis);
    void Clear();
    int CurrentIndex() const { return index_; }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<std::string>& Items() const { return items_; }

    // Told the new index after every release over an arrow.
    std::function<void(int index)> onChange;

    CSkinButton& LeftButton() { return *leftButton_; }
    CSkinButton& RightButton() { return *rightButton_; }

private:
    void UpdateButtons();

    std::vector<std::string> items_;
    int index_ = 0;
    Rect leftRect_{};
    Rect rightRect_{};
    Rect textRect_{};
    std::unique_ptr<CSkinButton> leftButton_;
    std::unique_ptr<CSkinButton> rightButton_;
};

}  // namespace valmore
