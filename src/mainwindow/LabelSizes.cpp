#include "mainwindow/LabelSizes.h"

#include <QLabel>

namespace app {

void LabelSizes::SetText(QLabel &label, const QString &text) {
    label.setText(text);
    Sizes &sizes = labels_[&label];
    if (sizes.font != label.font() || sizes.byText.size() >= Capacity) {
        sizes.font = label.font();
        sizes.byText.clear();
    }
    auto found = sizes.byText.find(text);
    if (found == sizes.byText.end()) {
        label.adjustSize();
        ++measured_;
        sizes.byText.insert(text, label.size());
        return;
    }
    label.resize(*found);
}

} // namespace app
